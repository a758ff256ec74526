// "Start with Windows": the value "Mirel" under HKCU\...\CurrentVersion\Run. The value is
// the setting itself; nothing of it is kept in Mirel's own key.
#pragma once

#include <string>

namespace mirel {

// Whether Windows starts this copy at sign-in: the Run value names `program`, and the
// user has not turned it off in Task Manager's start-up list.
bool StartsWithWindows(const std::wstring& program);

// On: the Run value names `program` (replacing one that named another copy), and an entry
// that Task Manager had turned off is on again. Off: the Run value goes, if it names this
// copy; one that names another copy is that copy's. False when the registry refused.
bool SetStartWithWindows(const std::wstring& program, bool on);

// The command line with which the installer's removal starts Mirel.exe: the Run value
// goes when it names that exe (SetStartWithWindows off), and Mirel ends at once.
inline constexpr const wchar_t* kRemoveStartEntrySwitch = L"/remove-start-entry";

}  // namespace mirel
