// The invisible tray window: the notification-area icon and the tray menu with every
// command; the mouse-edge watch and the panic key run on its messages.
#pragma once

#include <windows.h>

#include <shellapi.h>

#include <cstdint>
#include <vector>

#include "forms/tray/edge_watcher.h"
#include "forms/tray/panic_key.h"
#include "platform/handles.h"
#include "platform/notify_icon.h"
#include "platform/window.h"

namespace mirel {

class Application;

enum TrayMenuId : UINT {
  kMnuTrayView = 200,
  kMnuTrayTitleBar,
  kMnuTrayMouse,
  kMnuTrayCapture,
  kMnuTrayOption,
  kMnuTrayHelp,
  kMnuTrayAbout,
  kMnuTrayExit,
};

// The icon reports its mouse events with this message, the event in lParam.
inline constexpr UINT kTrayCallbackMessage = WM_MOUSEMOVE;
inline constexpr UINT kTrayIconId = 1;

class frmTaskTray : public Window {
 public:
  explicit frmTaskTray(Application& app);
  ~frmTaskTray() override { Unload(); }

  void Form_Load();
  void Unload();
  void tmrTaskTray_Timer();

  void mnuTrayView_Click();
  void mnuTrayTitleBar_Click();
  void mnuTrayMouse_Click();
  void mnuTrayCapture_Click();
  void mnuTrayOption_Click();
  void mnuTrayHelp_Click();
  void mnuTrayAbout_Click();
  void mnuTrayExit_Click();

  // The mouse-edge watch.
  void SetWatchEnabled(bool enabled);
  bool WatchEnabled() const { return watch_.enabled(); }
  std::uint32_t WatchInterval() const { return watch_.interval(); }
  // The cover from anywhere: the panic key's press.
  void PanicKey_Pressed();
  // Registers the panic key of the settings (none when it is 0); a key that another
  // program holds gets a warning naming it and stays in the settings.
  void RegisterPanicKey(HWND warningOwner = nullptr);
  bool PanicKeyRegistered() const { return panicKey_.registered(); }
  bool InstantEdgesOn() const { return watch_.instant(); }
  // The edges the watch looks at: the primary screen of this size alone, or every monitor.
  void UpdateScreens(int primaryWidth, int primaryHeight);

  // After a return: the watch brings up no cover until the pointer has left every watched edge.
  void DisarmUntilPointerLeavesEdges() { watch_.Disarm(); }
  // A new interval takes effect at once when the watch is running.
  void SetWatchInterval(std::uint32_t interval);

  // The entries that follow the main window: shown or hidden.
  void MainWindowShown(bool visible);
  void SetItemChecked(UINT id, bool checked);
  void SetItemEnabled(UINT id, bool enabled);
  bool ItemChecked(UINT id) const;
  bool ItemEnabled(UINT id) const;
  HMENU menu() const { return mnuTray_.get(); }

  // Pops the tray menu up at the pointer and carries out the chosen entry.
  void PopupTrayMenu(UINT flags);
  void RunMenuCommand(UINT id);

  bool IconShown() const { return icon_.shown(); }

 protected:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  void BuildMenu();

  Application& app_;
  UniqueMenu mnuTray_;
  NotifyIcon icon_;
  EdgeWatcher watch_;
  PanicKey panicKey_;
};

}  // namespace mirel
