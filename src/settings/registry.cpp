#include "settings/registry.h"

#include <windows.h>

#include <vector>

#include "core/registry_value.h"
#include "platform/handles.h"
#include "platform/text.h"

namespace mirel {

namespace {

UniqueRegKey OpenForReading() {
  HKEY key = nullptr;
  if (RegOpenKeyExA(HKEY_CURRENT_USER, kSettingsKey, 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS) return nullptr;
  return UniqueRegKey(key);
}

UniqueRegKey OpenForWriting() {
  HKEY key = nullptr;
  SECURITY_ATTRIBUTES security{sizeof(SECURITY_ATTRIBUTES), nullptr, FALSE};
  if (RegCreateKeyExA(HKEY_CURRENT_USER, kSettingsKey, 0, const_cast<char*>(""), REG_OPTION_NON_VOLATILE, KEY_SET_VALUE,
                      &security, &key, nullptr) != ERROR_SUCCESS)
    return nullptr;
  return UniqueRegKey(key);
}

// The value's bytes, asked for their size first so that nothing is cut off; `query` is
// RegQueryValueEx's A or W form for the value.
template <typename Query>
bool QueryBytes(Query query, std::vector<std::uint8_t>& data) {
  for (int attempt = 0; attempt < 4; ++attempt) {
    DWORD size = 0;
    if (query(nullptr, &size) != ERROR_SUCCESS) return false;
    data.assign(size + 2, 0);  // room for terminators the stored text may lack
    DWORD got = static_cast<DWORD>(data.size());
    const LONG result = query(data.data(), &got);
    if (result == ERROR_MORE_DATA) continue;  // it grew in between
    if (result != ERROR_SUCCESS) return false;
    data.resize(got);
    return true;
  }
  return false;
}

bool QueryBytes(HKEY key, const char* name, std::vector<std::uint8_t>& data) {
  return QueryBytes(
      [&](BYTE* bytes, DWORD* size) { return RegQueryValueExA(key, name, nullptr, nullptr, bytes, size); }, data);
}

std::wstring WideName(const char* name) {
  return std::wstring(name, name + std::char_traits<char>::length(name));  // ASCII value names
}

// The user is not told of a setting that could not be stored; a debug viewer is.
bool Written(const char* name, bool ok) {
  if (!ok) {
    const std::string line = std::string("Mirel: the setting ") + name + " could not be stored\n";
    OutputDebugStringA(line.c_str());
  }
  return ok;
}

}  // namespace

std::int32_t ReadRegistry(const char* name, std::int32_t fallback) {
  const auto key = OpenForReading();
  if (!key) return fallback;
  std::vector<std::uint8_t> data;
  if (!QueryBytes(key.get(), name, data)) return fallback;
  return DecodeRegistryDword(data).value_or(fallback);
}

std::wstring ReadRegistry(const char* name, const std::wstring& fallback) {
  const auto key = OpenForReading();
  if (!key) return fallback;
  std::vector<std::uint8_t> data;
  if (!QueryBytes(key.get(), name, data)) return fallback;
  return AnsiToWide(DecodeRegistryText(data));
}

bool WriteRegistry(const char* name, std::int32_t value) {
  const auto key = OpenForWriting();
  const auto data = EncodeRegistryDword(value);
  return Written(name, key && RegSetValueExA(key.get(), name, 0, REG_DWORD, data.data(),
                                             static_cast<DWORD>(data.size())) == ERROR_SUCCESS);
}

bool WriteRegistryAnsi(const char* name, const std::string& ansi) {
  const auto key = OpenForWriting();
  const auto data = EncodeRegistryText(ansi);
  return Written(name, key && RegSetValueExA(key.get(), name, 0, REG_SZ, data.data(),
                                             static_cast<DWORD>(data.size())) == ERROR_SUCCESS);
}

bool WriteRegistry(const char* name, const std::wstring& value) {
  const auto ansi = WideToAnsiExact(value);
  if (!ansi) return false;
  return WriteRegistryAnsi(name, *ansi);
}

std::wstring ReadRegistryUnicode(const char* name, const std::wstring& fallback) {
  const auto key = OpenForReading();
  if (!key) return fallback;
  const std::wstring wide = WideName(name);
  std::vector<std::uint8_t> data;
  DWORD type = 0;
  const auto query = [&](BYTE* bytes, DWORD* size) {
    return RegQueryValueExW(key.get(), wide.c_str(), nullptr, &type, bytes, size);
  };
  if (!QueryBytes(query, data)) return fallback;
  if (type != REG_SZ && type != REG_EXPAND_SZ) return AnsiToWide(DecodeRegistryText(data));  // as the A form reads it
  std::wstring text;
  for (std::size_t i = 0; i + 1 < data.size(); i += 2) {
    const auto c = static_cast<wchar_t>(data[i] | data[i + 1] << 8);
    if (c == 0) break;
    text += c;
  }
  return text;
}

bool WriteRegistryUnicode(const char* name, const std::wstring& value) {
  const auto key = OpenForWriting();
  const std::wstring wide = WideName(name);
  return Written(name,
                 key && RegSetValueExW(key.get(), wide.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                                       static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t))) == ERROR_SUCCESS);
}

void DeleteSettingsKey() {
  RegDeleteKeyA(HKEY_CURRENT_USER, kSettingsKey);
}

}  // namespace mirel
