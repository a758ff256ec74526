// Where a person must answer: message boxes, the common dialogs and the password prompt.
// The program talks to them through this interface; tests script the answers.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

#include "core/ui_text.h"

namespace mirel {

class UserPrompts {
 public:
  virtual ~UserPrompts() = default;
  // MessageBox: returns the button chosen (IDOK, IDYES, ...).
  virtual int Message(HWND owner, const std::wstring& text, const std::wstring& caption, UINT type) = 0;
  virtual std::wstring OpenFile(HWND owner, const std::wstring& filter, const std::wstring& initialFolder) = 0;
  virtual std::wstring SaveFile(HWND owner, const std::wstring& filter, const std::wstring& initialFolder) = 0;
  virtual std::uint32_t Color(HWND owner, std::uint32_t initial) = 0;
  // Shows the password prompt above the dummy screen and returns true once the stored
  // password has been typed; false when the prompt could not be shown or the program is
  // ending, and the desktop must then stay covered.
  virtual bool WaitForPassword(HWND dummyWindow) = 0;
  // One call of the HTML Help viewer (the help file or a topic of it, a command, its
  // data); false when the viewer refused it.
  virtual bool Help(HWND owner, const std::wstring& target, UINT command, DWORD_PTR data) = 0;

  void Warn(HWND owner, const std::wstring& text) {
    Message(owner, text, UiText(Text::kWarningCaption), MB_OK | MB_ICONEXCLAMATION);
  }
};

// The real dialogs.
class SystemPrompts : public UserPrompts {
 public:
  int Message(HWND owner, const std::wstring& text, const std::wstring& caption, UINT type) override;
  std::wstring OpenFile(HWND owner, const std::wstring& filter, const std::wstring& initialFolder) override;
  std::wstring SaveFile(HWND owner, const std::wstring& filter, const std::wstring& initialFolder) override;
  std::uint32_t Color(HWND owner, std::uint32_t initial) override;
  bool WaitForPassword(HWND dummyWindow) override;
  bool Help(HWND owner, const std::wstring& target, UINT command, DWORD_PTR data) override;

 private:
  bool helpOpened_ = false;
};

}  // namespace mirel
