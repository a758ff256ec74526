// The application object: the settings in force, the shared state and the three windows
// that live for the whole run. The windows meet here: a window asks this object (or an
// action of app/actions.h) for what another window does, never that window itself.
#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <random>
#include <string>

#include "app/shared_state.h"
#include "dialogs/prompts.h"
#include "platform/audio_mute.h"
#include "platform/background_task.h"
#include "platform/handles.h"
#include "platform/picture_worker.h"
#include "settings/settings.h"

namespace mirel {

class ListFileSystem;
class frmMain;
class frmDummy;
class frmTaskTray;

class Application {
 public:
  Application(UserPrompts& prompts, std::wstring exeFolder);
  ~Application();
  Application(const Application&) = delete;
  Application& operator=(const Application&) = delete;

  // Start-up after the instance check: help path, switching settings, the three windows.
  void Main();

  SharedState state;
  // The settings in force: read at start-up, changed by the user's actions and the options
  // dialog's OK (ApplyOptions), stored by those and at exit.
  const Settings& settings() const { return settings_; }
  Settings& settings() { return settings_; }
  // The options dialog's OK: `after` becomes the settings in force; the windows, the
  // watch, the panic key and the cover take what changed, and the options' values are
  // stored. The main window's picture is loaded again from its path. Warnings are owned by
  // `dialog`.
  void ApplyOptions(const Settings& after, HWND dialog);

  frmMain& main() { return *main_; }
  // What the windows ask of each other, so that none needs another's class.
  HWND mainWindow() const;
  bool CoverShown() const;  // the cover's window is on the screen
  bool CoverUp() const;     // between the cover's coming up and the return
  void KeepMainWindowOnScreen();
  // What the main window's unload ends with: the cover's and the tray's windows (the
  // tray takes its icon with it).
  void UnloadCoverAndTray();
  // True once the main window has begun to unload: the program is ending.
  bool Unloading() const;
  // The return from the cover: the main window shown again if it was before the cover, and
  // the edges quiet until the pointer has left them.
  void MainWindowAsBeforeTheCover();
  void DisarmTheEdgesUntilLeft();
  // The main window in the topmost band as the user set it, and the watch running when it
  // is on and the main window hidden: after a modal window and after a return.
  void RestoreBandAndWatch();
  // The next cover's picture prepared once the windows are idle.
  void PrepareCoverSoon();
  HICON appIcon(bool large) const;
  frmDummy& dummy() { return *dummy_; }
  frmTaskTray& tray() { return *tray_; }
  UserPrompts& prompts() { return prompts_; }
  // Decodes pictures away from the windows' thread, one at a time.
  PictureWorker& pictures() { return pictures_; }
  const std::wstring& exeFolder() const { return exeFolder_; }
  std::wstring listPath() const;

  // Reads MIREL.DAT into the working list away from the windows (a picture on a share
  // that does not answer can take seconds to say so), waiting out a short lock for up to
  // `waitMilliseconds`. A file that could not be read leaves gDummyListUnread, and the
  // user is told when `warnIfUnread`. A cover that came up meanwhile without a picture
  // for want of the list gets the list's next picture.
  void ReadDummyListSoon(unsigned waitMilliseconds, bool warnIfUnread);
  // True while that read is on its way.
  bool ReadingDummyList() const { return listRead_.Busy(); }
  // What the list's reads and rewrites ask of the file system: the system's own unless
  // another is given (a test's volume that is slow to answer).
  ListFileSystem* listFiles() const { return listFiles_; }
  void UseListFileSystem(ListFileSystem& files) { listFiles_ = &files; }
  // Picks the next dummy image and puts the cover over the desktop.
  void ShowDummyScreen();
  // What a click on the main window's picture, an edge touch and the panic key do: the
  // cover into the topmost band first, then up.
  void BringUpCover();
  // Decodes the picture the next switch will show.
  void PrepareNextPicture();
  // The primary screen is now width x height pixels.
  void DisplayChanged(int width, int height);

  // What every modal window (the preview, the about box) does as it loads and unloads:
  // while it is open no cover comes up and an always-on-top main window cannot hide it;
  // afterwards the band is the user's again, and the watch runs when it is on and the
  // main window is hidden.
  void ModalWindowLoading();
  void ModalWindowUnloaded();
  // True while a modal window has the main and tray windows disabled.
  bool ModalWindowOpen() const;
  // Shows the modal window and runs its messages until `done`, with the main and tray
  // windows disabled meanwhile. `accelerators` may be null; `dialogKeys` lets Enter,
  // Esc and Tab work as in a dialog. `preTranslate`, when given, sees each message first
  // and returns true for one it has dealt with.
  void RunModal(HWND window, HWND focus, const bool& done, HACCEL accelerators, bool dialogKeys,
                const std::function<bool(MSG&)>& preTranslate = nullptr);

  std::mt19937& random() { return random_; }
  // The sound muted while a cover is up (quiet covers), given back at the return or exit.
  AudioMute& quiet() { return quiet_; }

 private:
  // The entry the next switch shows, without moving the list-order counter.
  std::int32_t UpcomingIndex();

  // Shows the next picture of the list: the cover's, on its way up or already up.
  void PickCoverPicture();

  UserPrompts& prompts_;
  std::wstring exeFolder_;
  Settings settings_;
  BackgroundTask listRead_;
  ListFileSystem* listFiles_ = nullptr;
  bool coverAwaitsList_ = false;  // up in its colour alone until the list's read is in
  PictureWorker pictures_;        // outlives the windows that ask it
  std::mt19937 random_;
  std::int32_t nextRandom_ = -1;  // drawn ahead so that its picture can be prepared
  std::unique_ptr<frmMain> main_;
  std::unique_ptr<frmDummy> dummy_;
  std::unique_ptr<frmTaskTray> tray_;
  AudioMute quiet_;
};

// True when this is the only running instance for the user; the claim lasts as long as
// the returned object lives.
class SingleInstance {
 public:
  explicit SingleInstance(const wchar_t* name);
  bool IsFirst() const { return first_; }

 private:
  UniqueHandle mutex_;  // the claim: held as long as this object lives
  bool first_ = false;
};

inline constexpr const wchar_t* kInstanceName = L"Local\\Kalv.Mirel.Instance";
// Registered window message: a second start of Mirel.exe asks the running one for its main
// window. Answered 1 when it was shown, 0 when nothing changed.
inline constexpr const wchar_t* kShowMainWindowMessage = L"Kalv.Mirel.ShowMainWindow";

// What a second start does before it ends: asks the running Mirel (waiting a moment for its
// windows when it is still starting) to show its main window in front. True when it did.
bool AskRunningInstanceToShow();

}  // namespace mirel
