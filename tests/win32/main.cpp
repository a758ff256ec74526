// Win32 integration tests: real registry, files, windows and dialogs, run under Wine.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "app/application.h"
#include "platform/picture.h"
#include "platform/system_dll.h"

int wmain(int argc, wchar_t** argv) {
  // A start racing another one for the instance claim, as Mirel.exe starts: it holds the
  // claim a moment and answers 1 when it was the first.
  if (argc == 3 && std::wstring(argv[1]) == L"--claim-instance") {
    mirel::SingleInstance claim(argv[2]);
    Sleep(300);
    return claim.IsFirst() ? 1 : 0;
  }
  testing::InitGoogleTest(&argc, argv);
  // As Mirel.exe starts: DLLs from the system folder only, COM on first use.
  mirel::RestrictDllSearchToSystemFolder();
  mirel::EnsureComOnThisThread();
  return RUN_ALL_TESTS();
}
