#include "platform/capture.h"

#include <cstring>

#include "platform/handles.h"
#include "platform/system_dll.h"

namespace mirel {

RECT VirtualScreenRect() {
  const int left = GetSystemMetrics(SM_XVIRTUALSCREEN);
  const int top = GetSystemMetrics(SM_YVIRTUALSCREEN);
  return {left, top, left + GetSystemMetrics(SM_CXVIRTUALSCREEN), top + GetSystemMetrics(SM_CYVIRTUALSCREEN)};
}

namespace {
BOOL CALLBACK AddMonitorRect(HMONITOR monitor, HDC, LPRECT rect, LPARAM param) {
  auto* rects = reinterpret_cast<std::vector<RECT>*>(param);
  MONITORINFO info{};
  info.cbSize = sizeof info;
  if (GetMonitorInfoW(monitor, &info) && (info.dwFlags & MONITORINFOF_PRIMARY))
    rects->insert(rects->begin(), *rect);
  else
    rects->push_back(*rect);
  return TRUE;
}
}  // namespace

std::vector<RECT> MonitorRects() {
  std::vector<RECT> rects;
  EnumDisplayMonitors(nullptr, nullptr, &AddMonitorRect, reinterpret_cast<LPARAM>(&rects));
  if (rects.empty()) rects.push_back({0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)});
  return rects;
}

std::optional<RECT> ForegroundWindowRect() {
  const HWND window = GetForegroundWindow();
  if (!window || !IsWindowVisible(window) || IsIconic(window)) return std::nullopt;
  RECT frame{};
  if (SUCCEEDED(sys::DwmGetWindowAttribute(window, DWMWA_EXTENDED_FRAME_BOUNDS, &frame, sizeof frame)) &&
      frame.right > frame.left && frame.bottom > frame.top)
    return frame;
  if (!GetWindowRect(window, &frame)) return std::nullopt;
  return frame;
}

Picture CaptureScreen(const RECT& area) {
  const RECT screen = VirtualScreenRect();
  RECT part{};
  if (!IntersectRect(&part, &area, &screen)) return {};
  const int width = part.right - part.left;
  const int height = part.bottom - part.top;

  WindowDc screenDc(nullptr);
  if (!screenDc.get()) return {};
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;  // top-down, like every picture of the program
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  UniqueBitmap bitmap(CreateDIBSection(screenDc.get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  if (!bitmap || !bits) return {};
  UniqueMemoryDc memory(CreateCompatibleDC(screenDc.get()));
  if (!memory) return {};
  {
    SelectedObject selected(memory.get(), bitmap.get());
    // CAPTUREBLT takes layered windows too, as the user sees them.
    if (!BitBlt(memory.get(), 0, 0, width, height, screenDc.get(), part.left, part.top, SRCCOPY | CAPTUREBLT))
      return {};
  }
  GdiFlush();
  return Picture(std::move(bitmap), width, height, bits);
}

bool PutPictureOnClipboard(HWND owner, const Picture& picture) {
  const auto rows = picture.Rows();
  if (!rows) return false;
  // A packed DIB: the header, then the rows bottom-up as the format has them.
  const std::size_t rowBytes = static_cast<std::size_t>(rows->width) * 4;
  const std::size_t imageBytes = rowBytes * static_cast<std::size_t>(rows->height);
  UniqueGlobal memory(GlobalAlloc(GMEM_MOVEABLE, sizeof(BITMAPINFOHEADER) + imageBytes));
  if (!memory) return false;
  {
    GlobalLocked<BITMAPINFOHEADER> locked(memory.get());
    auto* header = locked.get();
    if (!header) return false;
    *header = BITMAPINFOHEADER{};
    header->biSize = sizeof(BITMAPINFOHEADER);
    header->biWidth = rows->width;
    header->biHeight = rows->height;
    header->biPlanes = 1;
    header->biBitCount = 32;
    header->biCompression = BI_RGB;
    header->biSizeImage = static_cast<DWORD>(imageBytes);
    auto* target = reinterpret_cast<std::uint8_t*>(header + 1);
    for (int y = 0; y < rows->height; ++y)
      std::memcpy(target + static_cast<std::size_t>(rows->height - 1 - y) * rowBytes,
                  rows->bits + static_cast<std::size_t>(y) * rows->stride, rowBytes);
  }

  ClipboardOpen clipboard(owner);
  if (!clipboard.open() || !EmptyClipboard()) return false;
  if (!SetClipboardData(CF_DIB, memory.get())) return false;
  static_cast<void>(memory.release());  // the clipboard owns it now
  return true;
}

}  // namespace mirel
