// The common dialog wrappers with the real dialogs, answered by a helper thread as a
// person would answer them.
#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "core/bitmap_name.h"
#include "dialogs/common_dialogs.h"
#include "platform/window.h"
#include "test_support.h"

namespace mirel {
namespace {

class Owner : public Window {
 public:
  Owner() { Create({L"MirelTestOwner"}, 0, L"owner", WS_OVERLAPPEDWINDOW, 0, 0, 300, 200, nullptr, nullptr); }
};

struct Found {
  DWORD pid;
  HWND dialog;
};

BOOL CALLBACK FindDialog(HWND hwnd, LPARAM param) {
  auto* found = reinterpret_cast<Found*>(param);
  DWORD pid = 0;
  GetWindowThreadProcessId(hwnd, &pid);
  wchar_t cls[32] = {};
  GetClassNameW(hwnd, cls, 31);
  if (pid == found->pid && std::wstring(cls) == L"#32770" && IsWindowVisible(hwnd)) {
    found->dialog = hwnd;
    return FALSE;
  }
  return TRUE;
}

// Waits for our process's dialog to show, then lets `answer` act on it.
template <typename Answer>
std::thread AnswerDialog(Answer answer) {
  return std::thread([answer] {
    for (int i = 0; i < 400; ++i) {
      Found found{GetCurrentProcessId(), nullptr};
      EnumWindows(FindDialog, reinterpret_cast<LPARAM>(&found));
      if (found.dialog) {
        Sleep(200);
        answer(found.dialog);
        // Should the answer not have closed it, cancel so that the test ends.
        for (int wait = 0; wait < 100 && IsWindow(found.dialog); ++wait) Sleep(20);
        if (IsWindow(found.dialog)) PostMessageW(found.dialog, WM_COMMAND, IDCANCEL, 0);
        return;
      }
      Sleep(25);
    }
  });
}

void Cancel(HWND dialog) {
  PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
}

TEST(CommonDialogs, CancelGivesAnEmptyPath) {
  Owner owner;
  auto helper = AnswerDialog(Cancel);
  EXPECT_EQ(ShowOpenDialog(owner.hwnd(), BitmapFilter(), L"C:\\"), L"");
  helper.join();
  auto helper2 = AnswerDialog(Cancel);
  EXPECT_EQ(ShowSaveDialog(owner.hwnd(), BitmapFilter(), L"C:\\"), L"");
  helper2.join();
}

TEST(CommonDialogs, ColourCancelGivesTheInitialColourUnchanged) {
  Owner owner;
  for (std::uint32_t initial : {0x80000005u, 0x00123456u}) {
    auto helper = AnswerDialog(Cancel);
    EXPECT_EQ(ShowColorDialog(owner.hwnd(), initial), initial);
    helper.join();
  }
}

TEST(CommonDialogs, SaveReturnsALongPathWhole) {
  test::ScratchFolder dir;
  // Well past 256 bytes in the ANSI code page (two bytes a character here), still
  // within the classic path limit: it must come back whole, not as a cancel.
  std::wstring folder = dir.path();
  while (folder.size() < 200) {
    folder += L"\\" + std::wstring(30, L'画');
    CreateDirectoryW(folder.c_str(), nullptr);
  }
  const std::wstring target = folder + L"\\capture.bmp";
  Owner owner;
  auto helper = AnswerDialog([target](HWND dialog) {
    // The file name field has the focus when the dialog opens.
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    GetGUIThreadInfo(GetWindowThreadProcessId(dialog, nullptr), &info);
    ASSERT_TRUE(info.hwndFocus);
    SendMessageW(info.hwndFocus, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(target.c_str()));
    PostMessageW(dialog, WM_COMMAND, IDOK, 0);
  });
  const std::wstring chosen = ShowSaveDialog(owner.hwnd(), BitmapFilter(), dir.path());
  helper.join();
  EXPECT_EQ(chosen, target);
}

TEST(BitmapValidity, EmptyFileIsNoBitmap) {
  test::ScratchFolder dir;
  test::WriteBytes(dir / L"empty.bmp", "");
  test::WriteBytes(dir / L"one.bmp", "x");
  EXPECT_FALSE(IsValidBitmapFile(dir / L"empty.bmp"));
  EXPECT_TRUE(IsValidBitmapFile(dir / L"one.bmp"));
  EXPECT_FALSE(IsValidBitmapFile(dir / L"missing.bmp"));
}

}  // namespace
}  // namespace mirel
