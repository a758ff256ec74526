// The help commands: MIREL.CHM beside the exe, shown by the system's HTML Help viewer.
#pragma once

#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>

namespace mirel {

class Application;

// The topic file of a context-help number of the options dialog, or nothing.
std::optional<std::wstring> ContextHelpTopic(std::uint32_t number);

// Contents (F1 and the help menus), the keyword index (topic search), a context topic.
// A missing file, or one the viewer refuses, gets a warning naming it.
void ShowHelpContents(Application& app, HWND owner);
void ShowHelpIndex(Application& app, HWND owner);
void ShowContextHelp(Application& app, HWND owner, std::uint32_t number);
// Closes every help window the program opened (the main window's unload).
void CloseHelp(Application& app);

inline constexpr const wchar_t* kHelpMissingText = L"ヘルプ ファイルが見つかりません。";
inline constexpr const wchar_t* kHelpFailedText = L"ヘルプ ファイルを開けませんでした。";

}  // namespace mirel
