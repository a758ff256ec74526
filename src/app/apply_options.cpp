// The options dialog's OK: the settings it edited become the ones in force, and every
// window takes its part, in the order the pages' changes always had.
#include <windows.h>

#include "app/actions.h"
#include "app/application.h"
#include "forms/dummy/frm_dummy.h"
#include "forms/main/frm_main.h"
#include "forms/tray/frm_task_tray.h"
#include "platform/files.h"
#include "platform/picture.h"

namespace mirel {

void Application::ApplyOptions(const Settings& after, HWND dialog) {
  const Settings before = settings_;
  settings_ = after;
  settings_.nonTitleBar = before.nonTitleBar;  // switched below, with its menus
  frmMain& main = *main_;
  // The main window: its picture loaded again (decoded away from the windows and shown,
  // the window fitted, once it is there; one that cannot be is told then), laid over the
  // colour set next.
  if (after.mainLoadFile.empty())
    main.SetPicture(Picture());
  else if (FileExistsNormal(after.mainLoadFile))
    main.RequestPicture(frmMain::PictureOrder(after.mainLoadFile, true, true));
  main.SetBackColor(after.mainBackColor.stored);
  // The title bar only when it changed; the menu bar and the tray's mark follow.
  if (after.nonTitleBar != before.nonTitleBar) ShowOrHideTitleBar(*this);
  if (after.nonTitleBar && after.autoAdjust) main.FitWindowToPicture();
  // The topmost band itself, and the watch, are set as the dialog closes: started here,
  // the watch could bring up a cover over a warning still to come.
  dummy_->SetBackColor(after.viewBackColor.stored);
  tray_->SetItemChecked(kMnuTrayMouse, after.checkMouse);
  tray_->SetWatchInterval(after.checkMouseInterval);
  tray_->UpdateScreens(GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));
  if (after.panicKey != before.panicKey) tray_->RegisterPanicKey(dialog);
  StoreOptions(settings_);
  tray_->WatchIdleness();  // the minutes may have changed
  dummy_->PrepareSoon();   // the next cover's picture may have changed
}

}  // namespace mirel
