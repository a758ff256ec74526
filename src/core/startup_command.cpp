#include "core/startup_command.h"

namespace mirel {

namespace {

// A name without an extension is started as NAME.exe.
std::wstring WithExtension(std::wstring name) {
  const auto slash = name.find_last_of(L"\\/");
  const auto dot = name.find_last_of(L'.');
  if (dot == std::wstring::npos || (slash != std::wstring::npos && dot < slash)) name += L".exe";
  return name;
}

}  // namespace

std::vector<std::wstring> RunCommandCandidates(const std::wstring& command) {
  const auto start = command.find_first_not_of(L" \t");
  if (start == std::wstring::npos) return {};
  if (command[start] == L'"') {
    const auto end = command.find(L'"', start + 1);
    const auto program = command.substr(start + 1, end == std::wstring::npos ? std::wstring::npos : end - start - 1);
    return program.empty() ? std::vector<std::wstring>{} : std::vector<std::wstring>{WithExtension(program)};
  }
  // Unquoted, "C:\Users\Taro Yamada\Mirel.exe /min" may start "C:\Users\Taro.exe", then
  // "C:\Users\Taro Yamada\Mirel.exe", then the whole: each text up to a space in turn.
  std::vector<std::wstring> candidates;
  std::size_t end = start;
  for (;;) {
    end = command.find_first_of(L" \t", end);
    const std::wstring program = command.substr(start, end == std::wstring::npos ? std::wstring::npos : end - start);
    if (candidates.empty() || candidates.back() != WithExtension(program)) candidates.push_back(WithExtension(program));
    if (end == std::wstring::npos) break;
    end = command.find_first_not_of(L" \t", end);
    if (end == std::wstring::npos) break;
  }
  return candidates;
}

bool StartupApproved(const std::vector<std::uint8_t>& data) {
  return data.empty() || (data[0] & 1) == 0;
}

}  // namespace mirel
