// The about box: the icon, "Mirel ver 0.97" and the copyright line from the exe's version
// information, and OK. Modal; a fresh one for every opening.
#pragma once

#include <string>

#include "platform/dialog.h"

namespace mirel {

class Application;

class frmAbout : public Dialog {
 public:
  // Shows the box modally and returns once it has closed.
  static void ShowModal(Application& app, HWND owner);

  frmAbout(Application& app, HWND owner) : app_(app), owner_(owner) {}
  ~frmAbout() override;

  void Form_Load();
  void cmdOK_Click();
  void Form_Unload();
  void RunModalLoop();

  bool closed() const { return closed_; }
  HWND icon() const { return picIcon_; }
  HWND versionLabel() const { return lblVersion_; }
  HWND copyrightLabel() const { return lblCopyright_; }
  HWND okButton() const { return cmdOK_; }

 protected:
  void OnInitDialog() override;
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  HWND CreateControl(const wchar_t* cls, const std::wstring& text, DWORD style, int id, const int (&twips)[4]);

  Application& app_;
  HWND owner_;
  HWND picIcon_ = nullptr;
  HWND lblVersion_ = nullptr;
  HWND lblCopyright_ = nullptr;
  HWND cmdOK_ = nullptr;
  bool closed_ = false;
  bool unloaded_ = false;
};

// The version and copyright texts of this exe's version information.
std::wstring ProgramVersionText();
std::wstring ProgramCopyright();

}  // namespace mirel
