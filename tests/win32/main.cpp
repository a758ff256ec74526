// Win32 integration tests: real registry, files, windows and dialogs, run under Wine.
#include <windows.h>

#include <gtest/gtest.h>

#include "platform/picture.h"
#include "platform/system_dll.h"

int wmain(int argc, wchar_t** argv) {
  testing::InitGoogleTest(&argc, argv);
  // As Mirel.exe starts: DLLs from the system folder only, COM on first use.
  mirel::RestrictDllSearchToSystemFolder();
  mirel::EnsureComOnThisThread();
  return RUN_ALL_TESTS();
}
