// The open, save and colour dialogs behind one call each.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

namespace mirel {

// The chosen path, or "" when the user cancelled (or the dialog failed).
std::wstring ShowOpenDialog(HWND owner, const std::wstring& filter, const std::wstring& initialFolder);
std::wstring ShowSaveDialog(HWND owner, const std::wstring& filter, const std::wstring& initialFolder);

// The chosen colour, or the initial colour when the user cancelled. The dialog starts
// with the initial colour selected and 16 white custom colours.
std::uint32_t ShowColorDialog(HWND owner, std::uint32_t initial);

// A bitmap file is valid when it is not empty.
bool IsValidBitmapFile(const std::wstring& path);

// The main window's picture, stored or chosen, whose file is not there.

}  // namespace mirel
