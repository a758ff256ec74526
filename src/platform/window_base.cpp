#include "platform/window_base.h"

#include <cstdio>
#include <utility>

#include "core/twips.h"
#include "platform/window.h"

namespace mirel {

unsigned WindowBase::Dpi() const {
  if (dpi_) return dpi_;
  return hwnd_ ? WindowDpi(hwnd_) : SystemDpi();
}

void WindowBase::Detach() {
  hwnd_ = nullptr;
  places_.clear();
  dpi_ = 0;
}

void WindowBase::CreateFont() {
  font_.reset(CreateMessageFont(Dpi()));
}

HWND WindowBase::CreateTwipsChild(HWND parent, const wchar_t* cls, const std::wstring& text, DWORD style, int id,
                                  const int (&twips)[4]) {
  HWND control = CreateTwipsControl(parent, cls, text, style, id, twips, font_.get(), Dpi());
  if (control) KeepAtTwips(control, twips);
  return control;
}

void WindowBase::KeepAtTwips(HWND child, const int (&twips)[4]) {
  places_.push_back({child, {twips[0], twips[1], twips[2], twips[3]}});
}

UniqueFont WindowBase::FollowDpi(unsigned dpi) {
  dpi_ = dpi;
  UniqueFont old = std::move(font_);
  if (old) CreateFont();
  for (const auto& place : places_) {
    if (!IsWindow(place.window)) continue;
    SetWindowPos(place.window, nullptr, TwipsToPixels(place.twips[0], dpi), TwipsToPixels(place.twips[1], dpi),
                 TwipsToPixels(place.twips[2], dpi), TwipsToPixels(place.twips[3], dpi), SWP_NOZORDER | SWP_NOACTIVATE);
    if (font_) SendMessageW(place.window, WM_SETFONT, reinterpret_cast<WPARAM>(font_.get()), FALSE);
  }
  return old;
}

void WindowBase::NoteFailure(UINT message, const char* what) noexcept {
  // No allocation here: the failure may be memory exhausted.
  char text[200];
  std::snprintf(text, sizeof text, "Mirel: the handler of message 0x%04X failed (%s); left to the system\n", message,
                what ? what : "");
  OutputDebugStringA(text);
}

}  // namespace mirel
