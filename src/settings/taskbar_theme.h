// The taskbar's colour as the user chose it (Settings > Personalisation > Colours, "Choose
// your default Windows mode"), so that the tray icon stays visible on it.
#pragma once

#include <windows.h>

namespace mirel {

// True for a light taskbar. Windows keeps the choice in HKCU ...\Themes\Personalize,
// SystemUsesLightTheme (a DWORD, 1 for light); without that value, as before Windows 10
// 1903 and on systems that never had a light taskbar, the taskbar is dark.
bool TaskbarIsLight();

inline constexpr const wchar_t* kPersonalizeKey = L"Software\\Microsoft\\Windows\\CurrentVersion\\Themes\\Personalize";
inline constexpr const wchar_t* kLightTaskbarValue = L"SystemUsesLightTheme";

}  // namespace mirel
