#include "settings/startup_command.h"

namespace mirel {

std::wstring RunCommandProgram(const std::wstring& command) {
  const auto start = command.find_first_not_of(L" \t");
  if (start == std::wstring::npos) return {};
  if (command[start] == L'"') {
    const auto end = command.find(L'"', start + 1);
    return command.substr(start + 1, end == std::wstring::npos ? std::wstring::npos : end - start - 1);
  }
  const auto end = command.find_first_of(L" \t", start);
  return command.substr(start, end == std::wstring::npos ? std::wstring::npos : end - start);
}

bool StartupApproved(const std::vector<std::uint8_t>& data) {
  return data.empty() || (data[0] & 1) == 0;
}

}  // namespace mirel
