#include "forms/preview/frm_preview.h"

#include <windowsx.h>

#include <algorithm>
#include <cstdio>

#include "app/application.h"
#include "core/bitmap_name.h"
#include "core/twips.h"
#include "core/ui_text.h"
#include "platform/files.h"
#include "platform/menu.h"
#include "platform/system_dll.h"
#include "settings/dummy_list.h"

namespace mirel {

namespace {

constexpr const wchar_t* kPreviewClass = L"MirelPreview";
constexpr const wchar_t* kPreviewPictureClass = L"MirelPreviewPicture";
constexpr int kClientWidthTwips = 7155;
constexpr int kClientHeightTwips = 5235;
constexpr int kLineStep = 32;  // pixels an arrow click scrolls
constexpr int kScrollBy = -1;  // a Scroll request of its own: by a number of pixels

// `name`: what a screen reader calls a control that shows no text of its own.
HWND CreateChild(const wchar_t* cls, DWORD style, HWND parent, int id, const wchar_t* name = L"") {
  return CreateWindowExW(0, cls, name, WS_CHILD | WS_VISIBLE | style, 0, 0, 0, 0, parent,
                         reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleW(nullptr), nullptr);
}

}  // namespace

void frmPreview::ShowModal(Application& app, Picture snapshot) {
  frmPreview preview(app, std::move(snapshot));
  preview.Form_Load();
  if (preview.hwnd()) preview.RunModalLoop();
  preview.Form_Unload();
}

frmPreview::frmPreview(Application& app, Picture snapshot)
    : app_(app),
      picture_(std::move(snapshot)),
      picPreview_([this](HWND view, UINT message, WPARAM, LPARAM) -> std::optional<LRESULT> {
        if (message != WM_PAINT) return std::nullopt;
        Paint(view);
        return 0;
      }) {}

frmPreview::~frmPreview() {
  Form_Unload();
}

void frmPreview::BuildMenu() {
  // Nothing to save or add when the screen could not be taken.
  const UINT withPicture = picture_.empty() ? MF_GRAYED : 0;
  const MenuItem file[] = {
      {kMnuPreviewDummy, Text::kMenuPreviewAddToList, withPicture},
      {kMnuPreviewSave, Text::kMenuPreviewSave, withPicture},
      kMenuSeparator,
      {kMnuPreviewExit, Text::kMenuPreviewClose},
  };
  const MenuItem bar[] = {{0, Text::kMenuFile, 0, file}};
  menuBar_.reset(mirel::BuildMenu(bar, true));
}

void frmPreview::Form_Load() {
  // 1.-2. No cover and no topmost main window while the user looks at the capture.
  app_.ModalWindowLoading();

  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_BAR_CLASSES};
  sys::InitCommonControlsEx(&controls);
  BuildMenu();
  const DWORD style = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN;
  ClassSpec cls{kPreviewClass, 0, app_.appIcon(true), app_.appIcon(false), reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1)};
  if (!Create(cls, 0, UiText(Text::kPreviewCaption), style, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
              app_.mainWindow(), menuBar_.get()))
    return;
  const unsigned dpi = Dpi();
  const SIZE frame = FrameSizeForClient(kClientWidthTwips, kClientHeightTwips, style, 0, true, dpi);
  SetWindowPos(hwnd(), nullptr, 0, 0, frame.cx, frame.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);

  // 3. The snapshot, the bars and the status bar.
  picPreview_.Create(hwnd(), kPreviewPictureClass, 0, UiText(Text::kPreviewPictureName));
  vsbPreview_ = CreateChild(L"SCROLLBAR", SBS_VERT, hwnd(), 0, UiText(Text::kPreviewVerticalBarName));
  hsbPreview_ = CreateChild(L"SCROLLBAR", SBS_HORZ, hwnd(), 0, UiText(Text::kPreviewHorizontalBarName));
  stbPreview_ = CreateChild(STATUSCLASSNAMEW, SBARS_SIZEGRIP, hwnd(), 0);
  statusFont_.reset(CreateStatusFont(dpi));
  SendMessageW(stbPreview_, WM_SETFONT, reinterpret_cast<WPARAM>(statusFont_.get()), FALSE);
  std::wstring status = UiText(Text::kNoSnapshot);
  if (!picture_.empty()) {
    wchar_t size[40];
    std::swprintf(size, 40, L"%d x %d", picture_.width(), picture_.height());
    status = size;
  }
  SendMessageW(stbPreview_, SB_SETTEXTW, 0, reinterpret_cast<LPARAM>(status.c_str()));

  // 4. The layout.
  Form_Resize();
}

void frmPreview::RunModalLoop() {
  const ACCEL save{FCONTROL | FVIRTKEY, 'S', kMnuPreviewSave};
  UniqueAccelerators accelerators(CreateAcceleratorTableW(const_cast<ACCEL*>(&save), 1));
  app_.RunModal(hwnd(), hwnd(), closed_, accelerators.get(), false);
}

void frmPreview::Form_Resize() {
  if (!hwnd() || !stbPreview_) return;
  SendMessageW(stbPreview_, WM_SIZE, 0, 0);  // the status bar places itself at the bottom
  RECT client{};
  GetClientRect(hwnd(), &client);
  RECT status{};
  GetWindowRect(stbPreview_, &status);
  const unsigned dpi = Dpi();
  layout_ = LayOutPreview(client.right, client.bottom, SystemMetricForDpi(SM_CXVSCROLL, dpi),
                          SystemMetricForDpi(SM_CYHSCROLL, dpi), status.bottom - status.top, picture_.width(),
                          picture_.height());
  const auto place = [](HWND control, const Box& box) {
    MoveWindow(control, box.left, box.top, box.width, box.height, TRUE);
  };
  place(vsbPreview_, layout_.vertical);
  place(hsbPreview_, layout_.horizontal);
  MoveWindow(picPreview_.hwnd(), 0, 0, layout_.viewWidth, layout_.viewHeight, TRUE);
  left_ = ClampScroll(left_, layout_.maxLeft);
  top_ = ClampScroll(top_, layout_.maxTop);
  UpdateBars();
  InvalidateRect(picPreview_.hwnd(), nullptr, FALSE);
}

void frmPreview::Form_DpiChanged(unsigned dpi, LPARAM suggested) {
  FollowDpi(dpi);
  UniqueFont old = std::move(statusFont_);  // freed once the status bar has the new one
  statusFont_.reset(CreateStatusFont(dpi));
  SendMessageW(stbPreview_, WM_SETFONT, reinterpret_cast<WPARAM>(statusFont_.get()), TRUE);
  MoveToSuggestedRect(hwnd(), suggested);
  Form_Resize();  // also when the suggested size is the present one
}

void frmPreview::UpdateBars() {
  const auto set = [](HWND bar, int extent, int view, int position) {
    SCROLLINFO info{};
    info.cbSize = sizeof info;
    info.fMask = SIF_ALL | SIF_DISABLENOSCROLL;  // always shown, disabled when the picture fits
    info.nMin = 0;
    info.nMax = std::max(extent - 1, 0);
    info.nPage = static_cast<UINT>(std::max(view, 1));
    info.nPos = position;
    SetScrollInfo(bar, SB_CTL, &info, TRUE);
  };
  set(vsbPreview_, picture_.height(), layout_.viewHeight, top_);
  set(hsbPreview_, picture_.width(), layout_.viewWidth, left_);
}

void frmPreview::Scroll(HWND bar, int request, int pixels) {
  const bool vertical = bar == vsbPreview_;
  const int current = vertical ? top_ : left_;
  const int view = vertical ? layout_.viewHeight : layout_.viewWidth;
  const int maximum = vertical ? layout_.maxTop : layout_.maxLeft;
  int value = current;
  switch (request) {
    case SB_LINEUP: value -= kLineStep; break;
    case SB_LINEDOWN: value += kLineStep; break;
    case SB_PAGEUP: value -= std::max(view, 1); break;
    case SB_PAGEDOWN: value += std::max(view, 1); break;
    case SB_TOP: value = 0; break;
    case SB_BOTTOM: value = maximum; break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION: {
      SCROLLINFO info{};
      info.cbSize = sizeof info;
      info.fMask = SIF_TRACKPOS;  // 32 bits, not the 16 of the message
      GetScrollInfo(bar, SB_CTL, &info);
      value = info.nTrackPos;
      break;
    }
    case kScrollBy: value += pixels; break;
    default: return;
  }
  if (vertical)
    vsbPreview_Change(value);
  else
    hsbPreview_Change(value);
}

void frmPreview::Form_KeyDown(UINT key) {
  // As in a document: arrows by a line, Page keys by a page, Home and End to the top and
  // bottom, with Ctrl to the top-left and bottom-right corners.
  const bool control = GetKeyState(VK_CONTROL) < 0;
  switch (key) {
    case VK_UP: Scroll(vsbPreview_, SB_LINEUP); break;
    case VK_DOWN: Scroll(vsbPreview_, SB_LINEDOWN); break;
    case VK_LEFT: Scroll(hsbPreview_, SB_LINEUP); break;
    case VK_RIGHT: Scroll(hsbPreview_, SB_LINEDOWN); break;
    case VK_PRIOR: Scroll(vsbPreview_, SB_PAGEUP); break;
    case VK_NEXT: Scroll(vsbPreview_, SB_PAGEDOWN); break;
    case VK_HOME:
    case VK_END: {
      const int request = key == VK_HOME ? SB_TOP : SB_BOTTOM;
      Scroll(vsbPreview_, request);
      if (control) Scroll(hsbPreview_, request);
      break;
    }
    default: break;
  }
}

void frmPreview::Wheel(bool sideways, int delta) {
  // The user's wheel setting: lines a notch, or a page (WHEEL_PAGESCROLL).
  UINT lines = 3;
  SystemParametersInfoW(sideways ? SPI_GETWHEELSCROLLCHARS : SPI_GETWHEELSCROLLLINES, 0, &lines, 0);
  const int view = sideways ? layout_.viewWidth : layout_.viewHeight;
  const int perNotch = lines == WHEEL_PAGESCROLL ? std::max(view, 1) : static_cast<int>(lines) * kLineStep;
  const int pixels = WheelPixels(wheelRemainder_[sideways ? 1 : 0], delta, perNotch);
  // Turned away from the user, the vertical wheel scrolls up; tilted right, the sideways
  // one scrolls right.
  if (pixels != 0) Scroll(sideways ? hsbPreview_ : vsbPreview_, kScrollBy, sideways ? pixels : -pixels);
}

void frmPreview::vsbPreview_Change(int value) {
  top_ = ClampScroll(value, layout_.maxTop);
  UpdateBars();
  InvalidateRect(picPreview_.hwnd(), nullptr, FALSE);
}

void frmPreview::hsbPreview_Change(int value) {
  left_ = ClampScroll(value, layout_.maxLeft);
  UpdateBars();
  InvalidateRect(picPreview_.hwnd(), nullptr, FALSE);
}

void frmPreview::mnuFileSave_Click() {
  if (picture_.empty()) return;
  std::wstring path = app_.prompts().SaveFile(hwnd(), BitmapFilter(), app_.exeFolder());
  if (path.empty()) return;
  path = WithBitmapExtension(path);
  if (!SaveBitmapFile(picture_, path))
    app_.prompts().Warn(hwnd(), std::wstring(UiText(Text::kBitmapWriteFailed)) + L"\r\n" + path);
}

void frmPreview::mnuFileDummy_Click() {
  if (picture_.empty()) return;
  const std::wstring& folder = app_.exeFolder();
  const auto number =
      FirstFreeCaptureNumber([&](int n) { return NameTaken(BesideExe(folder, CaptureFileName(n).c_str())); });
  if (!number) {
    app_.prompts().Warn(hwnd(), UiText(Text::kCaptureNamesUsedUp));
    return;
  }
  const std::wstring path = BesideExe(folder, CaptureFileName(*number).c_str());
  // What the list would refuse anyway (a full list, a folder whose path MIREL.DAT cannot
  // hold, a list file too large to write) is said before anything is written: a refused
  // capture must not leave a CAPTnnn.BMP that no list names.
  if (const auto refusal = AppendRefusal(app_.listPath(), path, app_.state.gDummyList);
      refusal.status != ListWrite::kOk) {
    app_.prompts().Warn(hwnd(), ListWriteWarning(app_.listPath(), refusal));
    return;
  }
  if (!SaveBitmapFile(picture_, path)) {
    app_.prompts().Warn(hwnd(), std::wstring(UiText(Text::kBitmapWriteFailed)) + L"\r\n" + path);
    return;
  }
  const auto appended = AppendDummyList(app_.listPath(), path, app_.state.gDummyList);
  if (appended.status != ListWrite::kOk) {
    // The capture file stays, and the user is told where; the preview stays open so that
    // it can still be saved elsewhere.
    app_.prompts().Warn(hwnd(),
                        ListWriteWarning(app_.listPath(), appended) + L"\r\n" + UiText(Text::kCaptureKept) + path);
    return;
  }
  if (appended.nowUtf8)
    app_.prompts().Warn(hwnd(), std::wstring(UiText(Text::kListNowUtf8)) + L"\r\n" + app_.listPath());
  app_.PrepareCoverSoon();
  mnuFileExit_Click();
}

void frmPreview::mnuFileExit_Click() {
  closed_ = true;
}

void frmPreview::Form_Unload() {
  if (unloaded_) return;
  unloaded_ = true;
  closed_ = true;
  app_.ModalWindowUnloaded();
  if (hwnd()) {
    SetMenu(hwnd(), nullptr);
    Destroy();
  }
}

void frmPreview::Paint(HWND target) {
  PaintDc dc(target);
  picture_.Draw(dc.get(), -left_, -top_);
  // Beside and below a picture smaller than the view: the window's colour.
  RECT client{};
  GetClientRect(target, &client);
  ExcludeClipRect(dc.get(), -left_, -top_, picture_.width() - left_, picture_.height() - top_);
  FillRect(dc.get(), &client, GetSysColorBrush(COLOR_BTNFACE));
}

LRESULT frmPreview::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_SIZE: Form_Resize(); return 0;
    case WM_DPICHANGED: Form_DpiChanged(HIWORD(wParam), lParam); return 0;
    case WM_ACTIVATE:
      if (LOWORD(wParam) != WA_INACTIVE && !HIWORD(wParam)) SetFocus(hwnd());
      return 0;
    case WM_VSCROLL:
    case WM_HSCROLL:
      if (lParam) Scroll(reinterpret_cast<HWND>(lParam), LOWORD(wParam));
      return 0;
    case WM_MOUSEWHEEL: {
      // With Shift held the wheel scrolls sideways, turned away from the user to the left.
      const bool shift = (GET_KEYSTATE_WPARAM(wParam) & MK_SHIFT) != 0;
      const int delta = GET_WHEEL_DELTA_WPARAM(wParam);
      Wheel(shift, shift ? -delta : delta);
      return 0;
    }
    case WM_MOUSEHWHEEL: Wheel(true, GET_WHEEL_DELTA_WPARAM(wParam)); return 0;
    case WM_KEYDOWN: Form_KeyDown(static_cast<UINT>(wParam)); return 0;
    case WM_COMMAND:
      switch (LOWORD(wParam)) {
        case kMnuPreviewDummy: mnuFileDummy_Click(); return 0;
        case kMnuPreviewSave: mnuFileSave_Click(); return 0;
        case kMnuPreviewExit: mnuFileExit_Click(); return 0;
        default: break;
      }
      break;
    case WM_CLOSE: mnuFileExit_Click(); return 0;
    default: break;
  }
  return DefaultProc(message, wParam, lParam);
}

}  // namespace mirel
