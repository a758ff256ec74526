// What the sign-in start of a program looks like in the registry. Portable.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace mirel {

// The programs a Run value may start, in the order Windows tries them: the quoted path;
// or, unquoted, the text up to each space in turn and then the whole text (Windows starts
// the first that names a file). ".exe" is added to a name without an extension.
std::vector<std::wstring> RunCommandCandidates(const std::wstring& command);

// The value a Run entry for this program holds: its path in quotes, so that a folder with
// spaces in its name starts the right program.
inline std::wstring RunCommandFor(const std::wstring& program) {
  return L"\"" + program + L"\"";
}

// Task Manager's start-up list keeps an entry of 12 bytes per program it knows: an odd
// first byte means the user turned the start off there. No entry means on.
bool StartupApproved(const std::vector<std::uint8_t>& data);

}  // namespace mirel
