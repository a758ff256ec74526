// Menus as data: constexpr tables of id, caption, state and submenu, built by one helper in
// the language of the interface.
#pragma once

#include <windows.h>

#include <span>

#include "core/ui_text.h"

namespace mirel {

struct MenuItem {
  UINT id = 0;
  Text caption = Text::kNone;  // none: a separator
  UINT state = 0;              // MF_CHECKED, MF_GRAYED
  std::span<const MenuItem> submenu{};
};

inline constexpr MenuItem kMenuSeparator{};

// A menu bar (or a popup menu) holding the items, their submenus built the same way. The
// caller owns the returned menu, and with it every submenu.
HMENU BuildMenu(std::span<const MenuItem> items, bool bar);

}  // namespace mirel
