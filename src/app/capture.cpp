#include "app/capture.h"

#include "app/application.h"
#include "app/window_utils.h"
#include "forms/main/frm_main.h"
#include "forms/preview/frm_preview.h"
#include "forms/tray/frm_task_tray.h"
#include "platform/capture.h"

namespace mirel {

namespace {
// Time for the windows under the main window to repaint, and for the system to activate
// the next window, before the screen is taken.
constexpr DWORD kSettleMs = 200;
}  // namespace

Picture TakeSnapshot(Application& app, Snapshot kind) {
  auto& main = app.main();
  // The edge watch must not bring up the cover into the snapshot.
  app.tray().SetWatchEnabled(false);
  main.SetVisible(false);
  ProcessPendingMessages();
  Sleep(kSettleMs);
  Picture snapshot;
  if (kind == Snapshot::kDesktop) {
    snapshot = CaptureScreen(VirtualScreenRect());
  } else if (const auto window = ForegroundWindowRect()) {
    snapshot = CaptureScreen(*window);
  }
  if (!snapshot.empty()) PutPictureOnClipboard(main.hwnd(), snapshot);
  ProcessPendingMessages();
  return snapshot;
}

void CaptureIntoPreview(Application& app, Snapshot kind, bool mainComesBack) {
  auto& main = app.main();
  SetTopMost(main.hwnd(), app.settings().alwaysTop);
  Picture snapshot = TakeSnapshot(app, kind);
  if (mainComesBack) {
    main.SetVisible(true);
    SetForegroundWindow(main.hwnd());
    SetFocus(main.hwnd());
  }
  frmPreview::ShowModal(app, std::move(snapshot));
  SetTopMost(main.hwnd(), app.settings().alwaysTop);
}

}  // namespace mirel
