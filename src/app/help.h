// The help commands: MIREL.CHM beside the exe, shown by the system's HTML Help viewer.
#pragma once

#include <windows.h>

#include <string>

namespace mirel {

class Application;

// Contents (F1 and the help menus), the keyword index (topic search), a context topic.
// A missing file, or one the viewer refuses, gets a warning naming it.
void ShowHelpContents(Application& app, HWND owner);
void ShowHelpIndex(Application& app, HWND owner);
// `topic`: a file inside MIREL.CHM ("opt_password.htm"); nothing happens without one.
void ShowContextHelp(Application& app, HWND owner, const wchar_t* topic);
// Closes every help window the program opened (the main window's unload).
void CloseHelp(Application& app);

}  // namespace mirel
