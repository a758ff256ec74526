// The password prompt above the dummy screen: it closes only on the stored password.
#pragma once

#include <string>

#include "platform/dialog.h"

namespace mirel {

class frmPassword : public Dialog {
 public:
  // Shows the prompt modally above the dummy window and returns once the stored password
  // has been typed and confirmed.
  // True once the stored password was typed.
  static bool ShowModal(HWND dummyWindow);

  void Form_Load();
  void Form_GotFocus();
  void cmdOK_Click();
  void Form_Unload();

 protected:
  void OnInitDialog() override;
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  explicit frmPassword(HWND dummyWindow) : dummy_(dummyWindow) {}
  HWND CreateControl(const wchar_t* cls, const wchar_t* text, DWORD style, int id, const int (&twips)[4]);

  HWND dummy_;
  HWND lblPassword_ = nullptr;
  HWND txtPassword_ = nullptr;
  HWND cmdOK_ = nullptr;
  std::wstring mPassword;
  bool done_ = false;
};

}  // namespace mirel
