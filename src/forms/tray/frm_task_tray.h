// The invisible tray window: the notification-area icon and the tray menu with every
// command; the mouse-edge watch and the panic key run on its messages.
#pragma once

#include <windows.h>

#include <shellapi.h>

#include <cstdint>
#include <vector>

#include "app/menu_commands.h"
#include "core/tray_icon_input.h"
#include "forms/tray/edge_watcher.h"
#include "forms/tray/panic_key.h"
#include "platform/handles.h"
#include "platform/notify_icon.h"
#include "platform/window.h"

namespace mirel {

class Application;

// The icon reports its events with this message, the event in lParam's low word and the
// icon's anchor point in wParam (version 4 of the shell's protocol).
inline constexpr UINT kTrayCallbackMessage = WM_MOUSEMOVE;
inline constexpr UINT kTrayIconId = 1;
// The tray window's class: a second start of Mirel.exe finds the running one by it.
inline constexpr const wchar_t* kTrayWindowClass = L"MirelTray";

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
  // The idle cover: a look at the time since the last input, at the soonest moment the
  // settings' minutes can have gone by (at least once a minute while it is on).
  void WatchIdleness();
  void tmrIdle_Timer();

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

  // An event of the icon (the callback message's wParam and lParam): a right click, or
  // Enter, Space, Shift+F10 or the menu key while the icon has the keyboard focus, opens
  // the menu at the icon.
  void TrayIcon_Event(WPARAM wParam, LPARAM lParam);
  // The menu at the icon's anchor point; opened from the keyboard, the focus goes back to
  // the notification area when it closes.
  void TrayIcon_MenuRequested(POINT anchor, bool fromKeyboard);

  // A second start of Mirel.exe asks for the main window: shown unless the cover is up or
  // a modal window is open. True when it was shown.
  bool SecondStart_Requested();

  bool IconShown() const { return icon_.shown(); }
  // The picture the shell was given for the icon.
  HICON TrayIcon() const { return icon_.icon(); }
  // How often the keyboard focus was given back to the notification area.
  int IconFocusReturns() const { return icon_.focusReturns(); }
  bool IconVersion4() const { return icon_.version4(); }

 protected:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  void BuildMenu();
  // The icon's picture for the taskbar's colour and the small-icon size of now; the
  // shell gets it when either changed.
  void UpdateIconPicture();
  UINT TrackTrayMenu(POINT at, UINT flags);

  Application& app_;
  UniqueMenu mnuTray_;
  NotifyIcon icon_;
  UniqueIcon iconPicture_;
  bool lightTaskbar_ = false;
  int iconSize_ = 0;
  IconInput iconInput_;
  bool menuOpen_ = false;
  UINT showRequest_ = 0;
  EdgeWatcher watch_;
  IdleWatch idle_;
  PanicKey panicKey_;
};

}  // namespace mirel
