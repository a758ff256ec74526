#include "settings/startup_entry.h"

#include <windows.h>

#include <vector>

#include "core/startup_command.h"
#include "platform/files.h"
#include "platform/handles.h"

namespace mirel {

namespace {

constexpr const wchar_t* kRunKey = L"Software\\Microsoft\\Windows\\CurrentVersion\\Run";
constexpr const wchar_t* kApprovedKey = L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\StartupApproved\\Run";
constexpr const wchar_t* kValueName = L"Mirel";

UniqueRegKey Open(const wchar_t* path, REGSAM access) {
  HKEY key = nullptr;
  if (RegOpenKeyExW(HKEY_CURRENT_USER, path, 0, access, &key) != ERROR_SUCCESS) return nullptr;
  return UniqueRegKey(key);
}

// The value's bytes, or nothing when there is no such value.
bool Query(const wchar_t* path, std::vector<std::uint8_t>& data, DWORD& type) {
  const auto key = Open(path, KEY_QUERY_VALUE);
  if (!key) return false;
  for (int attempt = 0; attempt < 4; ++attempt) {
    DWORD size = 0;
    if (RegQueryValueExW(key.get(), kValueName, nullptr, &type, nullptr, &size) != ERROR_SUCCESS) return false;
    data.assign(size + sizeof(wchar_t), 0);
    DWORD got = size;
    const LONG result = RegQueryValueExW(key.get(), kValueName, nullptr, &type, data.data(), &got);
    if (result == ERROR_MORE_DATA) continue;
    if (result != ERROR_SUCCESS) return false;
    data.resize(got);
    return true;
  }
  return false;
}

// The program the Run value starts, environment strings expanded; empty without one, or
// when it names no file that is there.
std::wstring RunProgram() {
  std::vector<std::uint8_t> data;
  DWORD type = 0;
  if (!Query(kRunKey, data, type) || (type != REG_SZ && type != REG_EXPAND_SZ)) return {};
  std::wstring command(reinterpret_cast<const wchar_t*>(data.data()), data.size() / sizeof(wchar_t));
  command.resize(wcsnlen(command.c_str(), command.size()));
  if (type == REG_EXPAND_SZ) {
    const DWORD needed = ExpandEnvironmentStringsW(command.c_str(), nullptr, 0);
    std::wstring expanded(needed, L'\0');
    if (needed && ExpandEnvironmentStringsW(command.c_str(), expanded.data(), needed) == needed) {
      expanded.resize(needed - 1);
      command = expanded;
    }
  }
  for (const auto& candidate : RunCommandCandidates(command))
    if (!candidate.empty() && FileExists(candidate)) return candidate;
  return {};
}

// The same file under any name: a short (8.3) name, the \\?\ form, other letter case.
bool NamesThisCopy(const std::wstring& program) {
  const std::wstring named = RunProgram();
  return !named.empty() && SameFile(named, program);
}

bool Approved() {
  std::vector<std::uint8_t> data;
  DWORD type = 0;
  if (!Query(kApprovedKey, data, type)) return true;
  return StartupApproved(data);
}

}  // namespace

bool StartsWithWindows(const std::wstring& program) {
  return NamesThisCopy(program) && Approved();
}

bool SetStartWithWindows(const std::wstring& program, bool on) {
  if (!on) {
    if (!NamesThisCopy(program)) return true;
    const auto key = Open(kRunKey, KEY_SET_VALUE);
    return key && RegDeleteValueW(key.get(), kValueName) == ERROR_SUCCESS;
  }
  HKEY created = nullptr;
  if (RegCreateKeyExW(HKEY_CURRENT_USER, kRunKey, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_SET_VALUE, nullptr, &created,
                      nullptr) != ERROR_SUCCESS)
    return false;
  const UniqueRegKey run(created);
  const std::wstring command = RunCommandFor(program);
  if (RegSetValueExW(run.get(), kValueName, 0, REG_SZ, reinterpret_cast<const BYTE*>(command.c_str()),
                     static_cast<DWORD>((command.size() + 1) * sizeof(wchar_t))) != ERROR_SUCCESS)
    return false;
  // The user's tick now overrides what Task Manager had turned off.
  if (!Approved()) {
    if (const auto approved = Open(kApprovedKey, KEY_SET_VALUE)) RegDeleteValueW(approved.get(), kValueName);
  }
  return true;
}

}  // namespace mirel
