// What the user can ask of Mirel, one function each, whichever menu, key, click or dialog
// asks it: the main window's menus, the tray's, the options dialog's OK, a second start.
// The windows call these and never each other; each keeps the other windows' marks (the
// tray's ticks, the menu bar) in step. The cover's own (up at an edge, the picture, the
// panic key) are Application::BringUpCover; help is in app/help.h; capture in app/capture.h.
#pragma once

#include <windows.h>

namespace mirel {

class Application;

// The main window shown in front, the watch stopped (it is the hidden window's); or
// hidden, the watch running when it is on.
void ShowMainWindow(Application& app);
void HideMainWindow(Application& app);
// The tray's first entry: the one or the other.
void ToggleMainWindow(Application& app);
// The main window's title bar (and its menu bar) off or on again.
void ShowOrHideTitleBar(Application& app);
// The edge watch on or off.
void ToggleWatch(Application& app);
// The options dialog and the about box, modal, owned by the main window.
void ShowOptions(Application& app);
void ShowAbout(Application& app);
// The end of Mirel, the settings stored (or, when the user asked for that, removed).
void ExitMirel(Application& app);
// The tray's menu where the pointer is (a right click on the borderless main window).
void OpenTrayMenu(Application& app, UINT flags);

}  // namespace mirel
