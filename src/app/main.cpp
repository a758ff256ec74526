// Mirel.exe: one instance per user (a second start brings the first one's main window to the
// front and ends); start-up, then the message loop until the main window unloads.
#include <windows.h>

#include <string>

#include "app/application.h"
#include "dialogs/prompts.h"
#include "forms/main/frm_main.h"
#include "platform/files.h"
#include "platform/system_dll.h"
#include "settings/startup_entry.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR arguments, int) {
  // A DLL dropped beside the exe (its folder holds pictures and captures) is never loaded.
  mirel::RestrictDllSearchToSystemFolder();
  // The installer's removal: the start at sign-in goes with the exe it names, and only
  // then (another copy's entry stays). Nothing is shown.
  std::wstring command = arguments ? arguments : L"";
  command.erase(0, command.find_first_not_of(L" \t"));
  command.erase(command.find_last_not_of(L" \t") + 1);
  if (CompareStringOrdinal(command.c_str(), -1, mirel::kRemoveStartEntrySwitch, -1, TRUE) == CSTR_EQUAL)
    return mirel::SetStartWithWindows(mirel::ExePath(), false) ? 0 : 1;
  mirel::SingleInstance instance(mirel::kInstanceName);
  if (!instance.IsFirst()) {
    mirel::AskRunningInstanceToShow();
    return 0;
  }
  int code = 0;
  {
    mirel::SystemPrompts prompts;
    mirel::Application app(prompts, mirel::ExeFolder());
    app.Main();
    if (!app.main().hwnd()) return 1;  // no main window: nothing to run
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
    code = static_cast<int>(msg.wParam);
  }
  return code;
}
