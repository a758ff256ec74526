#include "dialogs/common_dialogs.h"

#include <commdlg.h>

#include <array>
#include <vector>

#include "platform/files.h"
#include "platform/picture.h"
#include "platform/system_dll.h"

namespace mirel {

namespace {

// Room for any path the dialog can return, long paths included.
constexpr DWORD kPathBuffer = 32768;

std::wstring ShowFileDialog(HWND owner, const std::wstring& filter, const std::wstring& initialFolder, DWORD flags,
                            bool save) {
  EnsureComOnThisThread();
  std::vector<wchar_t> file(kPathBuffer, L'\0');
  std::vector<wchar_t> title(kPathBuffer, L'\0');
  OPENFILENAMEW record{};
  record.lStructSize = sizeof record;
  record.hwndOwner = owner;
  record.hInstance = GetModuleHandleW(nullptr);
  record.lpstrFilter = filter.c_str();
  record.nFilterIndex = 1;
  record.lpstrFile = file.data();
  record.nMaxFile = kPathBuffer;
  record.lpstrFileTitle = title.data();
  record.nMaxFileTitle = kPathBuffer;
  record.lpstrInitialDir = initialFolder.empty() ? nullptr : initialFolder.c_str();
  record.Flags = flags;
  const BOOL chosen = save ? sys::GetSaveFileName(&record) : sys::GetOpenFileName(&record);
  if (!chosen) return {};
  return std::wstring(file.data());
}

}  // namespace

std::wstring ShowOpenDialog(HWND owner, const std::wstring& filter, const std::wstring& initialFolder) {
  return ShowFileDialog(owner, filter, initialFolder,
                        OFN_EXPLORER | OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY, false);
}

std::wstring ShowSaveDialog(HWND owner, const std::wstring& filter, const std::wstring& initialFolder) {
  return ShowFileDialog(owner, filter, initialFolder, OFN_EXPLORER | OFN_HIDEREADONLY, true);
}

std::uint32_t ShowColorDialog(HWND owner, std::uint32_t initial) {
  std::array<COLORREF, 16> custom;
  custom.fill(RGB(255, 255, 255));
  CHOOSECOLORW record{};
  record.lStructSize = sizeof record;
  record.hwndOwner = owner;
  record.rgbResult = initial;
  record.lpCustColors = custom.data();
  record.Flags = CC_RGBINIT;
  if (!sys::ChooseColor(&record)) return initial;
  return record.rgbResult;
}

bool IsValidBitmapFile(const std::wstring& path) {
  const auto length = FileLength(path);
  return length && *length != 0;
}

}  // namespace mirel
