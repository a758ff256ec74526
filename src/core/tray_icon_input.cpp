#include "core/tray_icon_input.h"

namespace mirel {

MenuRequest IconInput::Next(IconEvent event, bool version4) {
  const IconEvent previous = previous_;
  previous_ = event;
  switch (event) {
    case IconEvent::kContextMenu:
      return previous == IconEvent::kRightButtonUp ? MenuRequest::kByMouse : MenuRequest::kByKeyboard;
    case IconEvent::kSelect:
      // A left click opens nothing.
      return previous == IconEvent::kLeftButtonUp ? MenuRequest::kNone : MenuRequest::kByKeyboard;
    case IconEvent::kKeySelect: return MenuRequest::kByKeyboard;
    // With version 4 a right click opens the menu at the WM_CONTEXTMENU that follows.
    case IconEvent::kRightButtonUp: return version4 ? MenuRequest::kNone : MenuRequest::kByMouse;
    default: return MenuRequest::kNone;
  }
}

}  // namespace mirel
