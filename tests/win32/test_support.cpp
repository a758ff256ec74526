#include "test_support.h"

#include <gtest/gtest.h>
#include <oleacc.h>
#include <shellapi.h>
#include <shlobj.h>

#include "platform/files.h"
#include "platform/handles.h"
#include "settings/registry.h"

namespace mirel::test {

namespace {

void RemoveTree(const std::wstring& path) {
  WIN32_FIND_DATAW data;
  HANDLE find = FindFirstFileW(LongPath(path + L"\\*").c_str(), &data);
  if (find != INVALID_HANDLE_VALUE) {
    do {
      const std::wstring name = data.cFileName;
      if (name == L"." || name == L"..") continue;
      const std::wstring child = path + L"\\" + name;
      SetFileAttributesW(LongPath(child).c_str(), FILE_ATTRIBUTE_NORMAL);
      if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
        RemoveTree(child);
      else
        DeleteFileW(LongPath(child).c_str());
    } while (FindNextFileW(find, &data));
    FindClose(find);
  }
  RemoveDirectoryW(LongPath(path).c_str());
}

}  // namespace

ScratchFolder::ScratchFolder() {
  wchar_t temp[MAX_PATH] = {};
  GetTempPathW(MAX_PATH, temp);
  static int counter = 0;
  for (;;) {
    path_ = std::wstring(temp) + L"mirel-test-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
            std::to_wstring(++counter);
    if (CreateDirectoryW(path_.c_str(), nullptr)) break;
  }
}

ScratchFolder::~ScratchFolder() {
  RemoveTree(path_);
}

void WriteBytes(const std::wstring& path, const std::string& bytes) {
  auto file =
      AdoptFileHandle(CreateFileW(LongPath(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
  ASSERT_TRUE(file) << "cannot create test file";
  DWORD wrote = 0;
  ASSERT_TRUE(WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &wrote, nullptr));
}

std::string ReadBytes(const std::wstring& path) {
  auto file = AdoptFileHandle(CreateFileW(LongPath(path).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                          nullptr, OPEN_EXISTING, 0, nullptr));
  if (!file) return "<missing>";
  std::string bytes;
  char chunk[4096];
  DWORD got = 0;
  while (ReadFile(file.get(), chunk, sizeof chunk, &got, nullptr) && got > 0) bytes.append(chunk, got);
  return bytes;
}

void WriteBitmap(const std::wstring& path, int width, int height, COLORREF color) {
  const int stride = (width * 3 + 3) & ~3;
  BITMAPFILEHEADER file{};
  BITMAPINFOHEADER info{};
  info.biSize = sizeof info;
  info.biWidth = width;
  info.biHeight = height;
  info.biPlanes = 1;
  info.biBitCount = 24;
  info.biSizeImage = static_cast<DWORD>(stride * height);
  file.bfType = 0x4D42;
  file.bfOffBits = sizeof file + sizeof info;
  file.bfSize = file.bfOffBits + info.biSizeImage;
  std::string bytes(reinterpret_cast<const char*>(&file), sizeof file);
  bytes.append(reinterpret_cast<const char*>(&info), sizeof info);
  std::string row(static_cast<std::size_t>(stride), '\0');
  for (int x = 0; x < width; ++x) {
    row[static_cast<std::size_t>(x * 3)] = static_cast<char>(GetBValue(color));
    row[static_cast<std::size_t>(x * 3 + 1)] = static_cast<char>(GetGValue(color));
    row[static_cast<std::size_t>(x * 3 + 2)] = static_cast<char>(GetRValue(color));
  }
  for (int y = 0; y < height; ++y) bytes += row;
  WriteBytes(path, bytes);
}

void Pump() {
  MSG msg;
  for (int round = 0; round < 3; ++round) {
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      if (msg.message == WM_QUIT) continue;
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
    Sleep(1);
  }
}

bool PumpUntil(const std::function<bool()>& done, unsigned milliseconds) {
  const ULONGLONG until = GetTickCount64() + milliseconds;
  while (!done()) {
    if (GetTickCount64() > until) return false;
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    Pump();
  }
  return true;
}

void DropFiles(HWND target, const std::vector<std::wstring>& files) {
  std::wstring list;
  for (const auto& file : files) {
    list += file;
    list.push_back(L'\0');
  }
  list.push_back(L'\0');
  const SIZE_T size = sizeof(DROPFILES) + list.size() * sizeof(wchar_t);
  HGLOBAL memory = GlobalAlloc(GHND, size);
  auto* drop = static_cast<DROPFILES*>(GlobalLock(memory));
  drop->pFiles = sizeof(DROPFILES);
  drop->fWide = TRUE;
  memcpy(reinterpret_cast<char*>(drop) + sizeof(DROPFILES), list.data(), list.size() * sizeof(wchar_t));
  GlobalUnlock(memory);
  SendMessageW(target, WM_DROPFILES, reinterpret_cast<WPARAM>(memory), 0);  // the receiver frees it
}

void ClearSettings() {
  DeleteSettingsKey();
}

bool QueryRaw(const char* name, DWORD& type, std::vector<std::uint8_t>& data) {
  HKEY key = nullptr;
  if (RegOpenKeyExA(HKEY_CURRENT_USER, kSettingsKey, 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS) return false;
  UniqueRegKey owner(key);
  DWORD size = 0;
  if (RegQueryValueExA(key, name, nullptr, &type, nullptr, &size) != ERROR_SUCCESS) return false;
  data.assign(size, 0);
  return RegQueryValueExA(key, name, nullptr, &type, data.data(), &size) == ERROR_SUCCESS;
}

std::wstring Cp932(const std::string& bytes) {
  const int n = MultiByteToWideChar(932, 0, bytes.data(), static_cast<int>(bytes.size()), nullptr, 0);
  std::wstring wide(static_cast<std::size_t>(n), L'\0');
  MultiByteToWideChar(932, 0, bytes.data(), static_cast<int>(bytes.size()), wide.data(), n);
  return wide;
}

RECT SendDpiChanged(HWND window, unsigned dpi, unsigned from) {
  RECT now{};
  GetWindowRect(window, &now);
  RECT suggested{now.left, now.top,
                 now.left + MulDiv(now.right - now.left, static_cast<int>(dpi), static_cast<int>(from)),
                 now.top + MulDiv(now.bottom - now.top, static_cast<int>(dpi), static_cast<int>(from))};
  SendMessageW(window, WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&suggested));
  return suggested;
}

int FontHeight(HWND control) {
  const auto font = reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0));
  LOGFONTW info{};
  if (!font || !GetObjectW(font, sizeof info, &info)) return 0;
  return info.lfHeight < 0 ? -info.lfHeight : info.lfHeight;
}

std::optional<std::wstring> AccessibleName(HWND window) {
  // From the system folder, as Mirel loads what it loads late; kept loaded for the run.
  using FromWindowFn = HRESULT(WINAPI*)(HWND, DWORD, REFIID, void**);
  using FreeFn = void(WINAPI*)(BSTR);
  static const HMODULE oleacc = LoadLibraryExW(L"oleacc.dll", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
  static const HMODULE oleaut = LoadLibraryExW(L"oleaut32.dll", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
  if (!oleacc || !oleaut) return std::nullopt;
  const auto fromWindow =
      reinterpret_cast<FromWindowFn>(reinterpret_cast<void*>(GetProcAddress(oleacc, "AccessibleObjectFromWindow")));
  const auto freeString = reinterpret_cast<FreeFn>(reinterpret_cast<void*>(GetProcAddress(oleaut, "SysFreeString")));
  if (!fromWindow || !freeString) return std::nullopt;
  // IID_IAccessible, spelled out: MinGW's import library may lack it.
  static const GUID kIAccessible = {0x618736e0, 0x3c3d, 0x11cf, {0x81, 0x0c, 0x00, 0xaa, 0x00, 0x38, 0x9b, 0x71}};
  IAccessible* object = nullptr;
  if (FAILED(fromWindow(window, static_cast<DWORD>(OBJID_CLIENT), kIAccessible, reinterpret_cast<void**>(&object))) ||
      !object)
    return std::nullopt;
  VARIANT self{};
  self.vt = VT_I4;
  self.lVal = CHILDID_SELF;
  BSTR name = nullptr;
  const HRESULT asked = object->get_accName(self, &name);
  object->Release();
  if (asked != S_OK || !name) {
    if (name) freeString(name);
    return std::nullopt;
  }
  std::wstring result(name);
  freeString(name);
  return result;
}

SIZE SizeOf(HWND window) {
  RECT rect{};
  GetWindowRect(window, &rect);
  return {rect.right - rect.left, rect.bottom - rect.top};
}

}  // namespace mirel::test
