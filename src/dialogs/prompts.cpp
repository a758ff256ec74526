#include "dialogs/prompts.h"

#include "dialogs/common_dialogs.h"
#include "forms/password/frm_password.h"
#include "platform/system_dll.h"

namespace mirel {

int SystemPrompts::Message(HWND owner, const std::wstring& text, const std::wstring& caption, UINT type) {
  return MessageBoxW(owner, text.c_str(), caption.c_str(), type);
}

std::wstring SystemPrompts::OpenFile(HWND owner, const std::wstring& filter, const std::wstring& initialFolder) {
  return ShowOpenDialog(owner, filter, initialFolder);
}

std::wstring SystemPrompts::SaveFile(HWND owner, const std::wstring& filter, const std::wstring& initialFolder) {
  return ShowSaveDialog(owner, filter, initialFolder);
}

std::uint32_t SystemPrompts::Color(HWND owner, std::uint32_t initial) {
  return ShowColorDialog(owner, initial);
}

bool SystemPrompts::WaitForPassword(HWND dummyWindow) {
  return frmPassword::ShowModal(dummyWindow);
}

bool SystemPrompts::Help(HWND owner, const std::wstring& target, UINT command, DWORD_PTR data) {
  if (command == HH_CLOSE_ALL) {
    // Nothing to close when help never opened: the viewer is not loaded just for that.
    if (helpOpened_) sys::HtmlHelp(nullptr, nullptr, HH_CLOSE_ALL, 0);
    return true;
  }
  helpOpened_ = true;
  return sys::HtmlHelp(owner, target.c_str(), command, data) != nullptr;
}

}  // namespace mirel
