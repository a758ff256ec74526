#include "app/application.h"

#include <windows.h>

#include "app/window_utils.h"
#include "core/cover_layout.h"
#include "core/edge_watch.h"
#include "core/picker.h"
#include "core/registry_value.h"
#include "core/ui_text.h"
#include "forms/dummy/frm_dummy.h"
#include "forms/main/frm_main.h"
#include "forms/tray/frm_task_tray.h"
#include "platform/files.h"
#include "platform/modal_loop.h"
#include "settings/dummy_list.h"
#include "settings/settings.h"

namespace mirel {

Application::Application(UserPrompts& prompts, std::wstring exeFolder)
    : prompts_(prompts),
      exeFolder_(std::move(exeFolder)),
      random_(static_cast<std::mt19937::result_type>(GetTickCount() ^ GetCurrentProcessId())),
      main_(std::make_unique<frmMain>(*this)),
      dummy_(std::make_unique<frmDummy>(*this)),
      tray_(std::make_unique<frmTaskTray>(*this)) {}

Application::~Application() {
  // The tray goes first so that its icon leaves the notification area.
  tray_.reset();
  dummy_.reset();
  main_.reset();
}

HWND Application::mainWindow() const {
  return main_->hwnd();
}

bool Application::CoverShown() const {
  return dummy_->Visible();
}

bool Application::CoverUp() const {
  return dummy_->up();
}

void Application::KeepMainWindowOnScreen() {
  main_->KeepOnScreen();
}

void Application::UnloadCoverAndTray() {
  dummy_->Unload();
  tray_->Unload();
}

bool Application::Unloading() const {
  return main_->unloaded();
}

void Application::MainWindowAsBeforeTheCover() {
  main_->SetVisible(state.gMainWasVisible);
}

void Application::DisarmTheEdgesUntilLeft() {
  tray_->DisarmUntilPointerLeavesEdges();
}

void Application::PrepareCoverSoon() {
  dummy_->PrepareSoon();
}

HICON Application::appIcon(bool large) const {
  return large ? main_->largeIcon() : main_->icon();
}

std::wstring Application::listPath() const {
  return DummyListPath(exeFolder_);
}

void Application::Main() {
  // An installer's Restart Manager ends Mirel for an upgrade (WM_ENDSESSION with
  // ENDSESSION_CLOSEAPP, answered as at log-off unless the cover is up) and starts it again
  // afterwards. Not after a crash, a hang or a reboot: starting at sign-in is the user's
  // own setting.
  RegisterApplicationRestart(L"", RESTART_NO_CRASH | RESTART_NO_HANG | RESTART_NO_REBOOT);
  state.gDeleteSettings = false;
  settings_ = LoadSettings();
  // The language is chosen before the first window, for the whole run.
  SetCurrentLanguage(ChooseLanguage(settings_.uiLanguage, GetUserDefaultUILanguage()));
  state.gHelpFile = BesideExe(exeFolder_, HelpFileName(CurrentLanguage()));

  main_->Form_Load();
  dummy_->Form_Load();
  tray_->Form_Load();
  dummy_->PrepareSoon();
}

void Application::ReadDummyListSoon(unsigned waitMilliseconds, bool warnIfUnread) {
  // What the list was when the read began: a list the program changed meanwhile (the
  // options dialog's OK, a capture added) is newer than what the read found.
  auto before = std::make_shared<DummyList>(state.gDummyList);
  listRead_.Start([this, path = listPath(), waitMilliseconds, warnIfUnread, before,
                   files = listFiles_]() -> BackgroundTask::Answer {
    auto read = std::make_shared<ListRead>(ListRead::kOk);
    auto list = std::make_shared<DummyList>(LoadDummyList(path, read.get(), waitMilliseconds, files));
    return [this, read, list, warnIfUnread, before] {
      if (state.gDummyList != *before) return;
      state.gDummyListUnread = *read == ListRead::kUnreadable;
      if (state.gDummyListUnread) {
        coverAwaitsList_ = false;
        if (warnIfUnread)
          prompts_.Warn(main_->hwnd(), std::wstring(UiText(Text::kListUnreadableAtStart)) + L"\r\n" + listPath());
        return;
      }
      state.gDummyList = std::move(*list);
      if (coverAwaitsList_ && dummy_->Visible()) PickCoverPicture();
      coverAwaitsList_ = false;
      dummy_->PrepareSoon();
    };
  });
}

void Application::PickCoverPicture() {
  const std::int32_t index = UpcomingIndex();
  if (settings().viewRandom) {
    nextRandom_ = -1;  // used up
  } else {
    state.gDummyIndex = static_cast<std::int16_t>(index);  // the wrap, when there was one
  }
  const auto& list = state.gDummyList;
  // A picture that cannot be loaded any more still brings up the cover, in the
  // background colour alone: hiding the desktop at once is the point.
  dummy_->SetPicture(list[static_cast<std::size_t>(index)]);
  if (!settings().viewRandom) state.gDummyIndex = AdvanceIndex(state.gDummyIndex);
}

void Application::ShowDummyScreen() {
  // Without a cover window nothing may change: hiding the main window and stopping the
  // watch would leave the user with neither the window nor the cover.
  if (!dummy_->hwnd()) return;
  // A list that could not be read at start-up is tried again, without waiting: the cover
  // comes up at once in its colour, and shows the list's picture once it is read.
  if (state.gDummyListUnread) {
    coverAwaitsList_ = true;
    ReadDummyListSoon(0, false);
    dummy_->SetPicture(std::wstring());
  } else {
    PickCoverPicture();
  }

  state.gMainWasVisible = main_->Visible();
  tray_->SetWatchEnabled(false);
  // The cover goes up first and the main window goes away behind it: the desktop under
  // the main window is never repainted in sight.
  dummy_->ShowCover();
  if (settings().quietCover) quiet_.Mute();
  main_->SetVisible(false);
  dummy_->PrepareSoon();
}

void Application::BringUpCover() {
  SetWindowPos(dummy_->hwnd(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  ShowDummyScreen();
}

std::int32_t Application::UpcomingIndex() {
  const auto upper = static_cast<std::int32_t>(state.gDummyList.size()) - 1;
  if (settings().viewRandom) {
    // Drawn ahead and kept, so that the picture prepared is the one the switch shows.
    if (nextRandom_ < 0 || nextRandom_ > upper) nextRandom_ = RandomPick(upper, random_);
    return nextRandom_;
  }
  std::int16_t index = state.gDummyIndex;
  return OrderedPick(index, upper);
}

void Application::PrepareNextPicture() {
  if (state.gDummyList.empty()) return;
  dummy_->PreparePicture(state.gDummyList[static_cast<std::size_t>(UpcomingIndex())]);
}

void Application::DisplayChanged(int width, int height) {
  dummy_->ScreensChanged();
  if (dummy_->Visible()) {
    RECT area = dummy_->CoverArea();
    if (settings().primaryOnly) area = {0, 0, width, height};
    SetWindowPos(dummy_->hwnd(), HWND_TOPMOST, area.left, area.top, area.right - area.left, area.bottom - area.top,
                 SWP_NOACTIVATE);
  }
  main_->KeepOnScreen();
}

void Application::ModalWindowLoading() {
  tray_->SetWatchEnabled(false);
  SetWindowPos(main_->hwnd(), HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
}

bool Application::ModalWindowOpen() const {
  return tray_->hwnd() && !IsWindowEnabled(tray_->hwnd());
}

void Application::ModalWindowUnloaded() {
  RestoreBandAndWatch();
}

void Application::RestoreBandAndWatch() {
  SetTopMost(main_->hwnd(), settings().alwaysTop);
  tray_->SetWatchEnabled(settings().checkMouse && !main_->Visible());
}

void Application::RunModal(HWND window, HWND focus, const bool& done, HACCEL accelerators, bool dialogKeys,
                           const std::function<bool(MSG&)>& preTranslate) {
  RunModalLoop(window, focus, {main_->hwnd(), tray_->hwnd()}, done, accelerators, dialogKeys, preTranslate);
}

bool AskRunningInstanceToShow() {
  // The claim comes before the windows: a Mirel that is starting has none yet for a moment.
  HWND tray = FindWindowW(kTrayWindowClass, nullptr);
  for (int wait = 0; !tray && wait < 20; ++wait) {
    Sleep(100);
    tray = FindWindowW(kTrayWindowClass, nullptr);
  }
  if (!tray) return false;
  // This start came from the user's own action, so it may hand the foreground on: without
  // that, Windows would only flash the other Mirel's taskbar button.
  DWORD process = 0;
  GetWindowThreadProcessId(tray, &process);
  AllowSetForegroundWindow(process);
  // Sent, not posted: the permission lasts while this process still lives. A Mirel that
  // hangs is not waited for.
  DWORD_PTR shown = 0;
  return SendMessageTimeoutW(tray, RegisterWindowMessageW(kShowMainWindowMessage), 0, 0, SMTO_ABORTIFHUNG, 5000,
                             &shown) != 0 &&
         shown != 0;
}

SingleInstance::SingleInstance(const wchar_t* name) : mutex_(CreateMutexW(nullptr, TRUE, name)) {
  first_ = mutex_ && GetLastError() != ERROR_ALREADY_EXISTS;
}

}  // namespace mirel
