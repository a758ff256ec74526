// What the icon's events ask of the tray menu. The shell (version 4) follows a mouse
// button's release with the notification the keyboard also sends: a left click ends in
// NIN_SELECT, as Space does; a right click in WM_CONTEXTMENU, as Shift+F10 and the menu key
// do. Which of the two it was is told by the event before it. Portable.
#pragma once

namespace mirel {

enum class IconEvent {
  kLeftButtonUp,
  kRightButtonUp,
  kSelect,       // NIN_SELECT: Space on the icon, or a left click's end
  kKeySelect,    // NIN_KEYSELECT: Enter on the icon
  kContextMenu,  // WM_CONTEXTMENU: Shift+F10 or the menu key on the icon, or a right click's end
  kOther,        // the pointer moving, a button pressed, anything else
};

enum class MenuRequest {
  kNone,
  kByMouse,     // a right click
  kByKeyboard,  // the keyboard focus is on the icon and comes back to it afterwards
};

class IconInput {
 public:
  // `version4`: whether the shell took version 4 for the icon; one that did not sends
  // the mouse's events alone, and a right click opens the menu at its release.
  MenuRequest Next(IconEvent event, bool version4);

 private:
  IconEvent previous_ = IconEvent::kOther;
};

}  // namespace mirel
