// Mirel.exe: one instance per user (a second start brings the first one's main window to the
// front and ends); start-up, then the message loop until the main window unloads.
#include <windows.h>

#include "app/application.h"
#include "dialogs/prompts.h"
#include "forms/main/frm_main.h"
#include "platform/files.h"
#include "platform/system_dll.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  // A DLL dropped beside the exe (its folder holds pictures and captures) is never loaded.
  mirel::RestrictDllSearchToSystemFolder();
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
