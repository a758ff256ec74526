// The main window's picture: its box, its painting, the mouse on it and pictures dropped on it.
#include <windowsx.h>

#include "app/actions.h"
#include "app/application.h"
#include "core/bitmap_name.h"
#include "core/twips.h"
#include "core/ui_text.h"
#include "dialogs/common_dialogs.h"
#include "forms/main/frm_main.h"
#include "platform/colors.h"
#include "platform/files.h"
#include "platform/handles.h"
#include "platform/text.h"
#include "settings/settings.h"

namespace mirel {

namespace {
// The picture box keeps this size while it shows no picture.
constexpr int kEmptyPictureWidthTwips = 4995;
constexpr int kEmptyPictureHeightTwips = 3555;
}  // namespace

void frmMain::LayoutPicture() {
  if (!picMain_.hwnd()) return;
  int width = picture_.width();
  int height = picture_.height();
  if (picture_.empty()) {
    width = TwipsToPixels(kEmptyPictureWidthTwips, Dpi());
    height = TwipsToPixels(kEmptyPictureHeightTwips, Dpi());
  }
  SetWindowPos(picMain_.hwnd(), nullptr, 0, 0, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
  InvalidateRect(picMain_.hwnd(), nullptr, TRUE);
}

void frmMain::FitWindowToPicture() {
  RECT box{};
  GetClientRect(picMain_.hwnd(), &box);
  SetWindowPos(hwnd(), nullptr, 0, 0, box.right, box.bottom, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void frmMain::SetPicture(Picture picture, const std::wstring& path, std::uint32_t background, bool transparent) {
  app_.pictures().Cancel(PictureWorker::kMainWindow);  // what was on its way is replaced
  pictureTicket_ = 0;
  picture_ = std::move(picture);
  picturePath_ = picture_.empty() ? std::wstring() : path;
  pictureBackground_ = background;
  pictureTransparent_ = transparent;
  LayoutPicture();
}

void frmMain::RequestPicture(PictureOrder order) {
  PictureRequest request;
  request.path = order.path;
  request.background = ResolveColor(backColor_);
  order.background = request.background;
  order_ = std::move(order);
  pictureTicket_ = app_.pictures().Request(PictureWorker::kMainWindow, std::move(request), hwnd(), kMainPictureMessage);
}

void frmMain::PictureReady(LPARAM ticket) {
  auto result = app_.pictures().Take(PictureWorker::kMainWindow, static_cast<std::uint32_t>(ticket));
  if (!result || static_cast<std::uint32_t>(ticket) != pictureTicket_) return;
  pictureTicket_ = 0;
  const PictureOrder order = std::move(order_);
  order_ = PictureOrder();
  if (result->load != PictureLoad::kOk || result->picture.empty()) {
    // The user is told when the order says so; the picture shown stays, over the colour
    // the window has now.
    if (order.warn) {
      if (order.store) SetFocus(hwnd());  // dropped from another program
      ShowPictureWarning(
          result->load == PictureLoad::kMissing ? UiText(Text::kPictureMissing) : UiText(Text::kInvalidBitmap),
          order.path);
    }
    if (pictureTransparent_ && !picturePath_.empty() && ResolveColor(backColor_) != pictureBackground_)
      RequestPicture(PictureOrder(picturePath_));
    return;
  }
  const bool transparent = result->picture.transparent;
  const bool first = picture_.empty();
  SetPicture(std::move(*result->picture.pieces.front().pixels), order.path, order.background, transparent);
  if ((first || order.fit) && app_.settings().nonTitleBar && app_.settings().autoAdjust) FitWindowToPicture();
  if (order.store) {
    app_.settings().mainLoadFile = order.path;
    StoreMainLoadFile(order.path);
  }
}

void frmMain::picMain_MouseDown(int button, POINT screen) {
  mDragged = false;
  pressPoint_ = screen;
  if (app_.settings().nonTitleBar && (button & 2)) OpenTrayMenu(app_, TPM_RIGHTBUTTON);
}

void frmMain::picMain_MouseMove(int button, POINT screen) {
  if (!app_.settings().nonTitleBar || !(button & 1)) return;
  // A press without movement is a click, whatever move messages the system sends.
  if (screen.x == pressPoint_.x && screen.y == pressPoint_.y) return;
  mDragged = true;
  ReleaseCapture();
  // The system moves the window like a title-bar drag until the button goes up.
  SendMessageW(hwnd(), WM_NCLBUTTONDOWN, HTCAPTION, MAKELPARAM(pressPoint_.x, pressPoint_.y));
}

void frmMain::picMain_MouseUp(int button) {
  auto& s = app_.state;
  if (!s.gIgnoreMouseUp && (button & 1) && !mDragged) {
    app_.BringUpCover();
  }
  s.gIgnoreMouseUp = false;
}

void frmMain::picMain_OLEDragDrop(const std::vector<std::wstring>& files) {
  if (files.empty()) return;
  const std::wstring& path = files.front();
  if (IsDirectory(path) || !HasBitmapExtension(path)) return;
  if (!IsValidBitmapFile(path)) {
    SetFocus(hwnd());
    app_.prompts().Warn(hwnd(), UiText(Text::kInvalidBitmap));
    return;
  }
  // Shown, fitted and stored once decoded away from this thread; a picture that cannot be
  // decoded changes nothing but the warning.
  RequestPicture(PictureOrder(path, true, true, true));
}

void frmMain::Paint(HWND target) {
  PaintDc dc(target);
  if (target == picMain_.hwnd()) {
    picture_.Draw(dc.get(), 0, 0);
    RECT client{};
    GetClientRect(target, &client);
    ExcludeClipRect(dc.get(), 0, 0, picture_.width(), picture_.height());
    FillRect(dc.get(), &client, backBrush_.get());
  } else {
    FillRect(dc.get(), &dc.dirty(), backBrush_.get());
  }
}

bool frmMain::MouseMessage(UINT message, WPARAM wParam) {
  const DWORD pos = GetMessagePos();
  const POINT screen{GET_X_LPARAM(pos), GET_Y_LPARAM(pos)};
  int held = 0;
  if (wParam & MK_LBUTTON) held |= 1;
  if (wParam & MK_RBUTTON) held |= 2;
  switch (message) {
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
      SetCapture(hwnd());
      picMain_MouseDown(message == WM_LBUTTONDOWN ? 1 : 2, screen);
      return true;
    case WM_MOUSEMOVE: picMain_MouseMove(held, screen); return true;
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
      if (GetCapture() == hwnd()) ReleaseCapture();
      picMain_MouseUp(message == WM_LBUTTONUP ? 1 : 2);
      return true;
    default: return false;
  }
}

std::optional<LRESULT> frmMain::PictureMessage(HWND target, UINT message, WPARAM wParam) {
  switch (message) {
    case WM_ERASEBKGND: return 1;
    case WM_PAINT: Paint(target); return 0;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MOUSEMOVE:
    case WM_LBUTTONUP:
    case WM_RBUTTONUP: MouseMessage(message, wParam); return 0;
    default: return std::nullopt;
  }
}

}  // namespace mirel
