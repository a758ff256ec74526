#include "app/actions.h"

#include "app/application.h"
#include "app/window_utils.h"
#include "forms/about/frm_about.h"
#include "forms/main/frm_main.h"
#include "forms/option/frm_option.h"
#include "forms/tray/frm_task_tray.h"

namespace mirel {

void ShowMainWindow(Application& app) {
  auto& main = app.main();
  if (!main.hwnd()) return;
  main.SetVisible(true);
  if (IsIconic(main.hwnd())) ShowWindow(main.hwnd(), SW_RESTORE);
  SetForegroundWindow(main.hwnd());
  app.tray().MainWindowShown(true);
  app.tray().SetWatchEnabled(false);  // the watch is the hidden window's
}

void HideMainWindow(Application& app) {
  app.main().SetVisible(false);
  app.tray().MainWindowShown(false);
  app.tray().SetWatchEnabled(app.settings().checkMouse);
}

void ToggleMainWindow(Application& app) {
  if (app.main().Visible())
    HideMainWindow(app);
  else
    ShowMainWindow(app);
}

void ShowOrHideTitleBar(Application& app) {
  auto& main = app.main();
  bool& hidden = app.settings().nonTitleBar;
  hidden = !hidden;
  ToggleTitleBar(main.hwnd());
  main.SetMenusVisible(!hidden);
  app.tray().SetItemChecked(kMnuTrayTitleBar, !hidden);
}

void ToggleWatch(Application& app) {
  bool& watch = app.settings().checkMouse;
  watch = !watch;
  app.tray().SetItemChecked(kMnuTrayMouse, watch);
  app.tray().SetWatchEnabled(watch);
}

void ShowOptions(Application& app) {
  frmOption::ShowModal(app, app.main().hwnd());
}

void ShowAbout(Application& app) {
  frmAbout::ShowModal(app, app.main().hwnd());
}

void ExitMirel(Application& app) {
  app.main().Unload();
}

void OpenTrayMenu(Application& app, UINT flags) {
  app.tray().PopupTrayMenu(flags);
}

}  // namespace mirel
