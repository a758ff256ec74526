#include "platform/menu.h"

#include "core/ui_text.h"

namespace mirel {

HMENU BuildMenu(std::span<const MenuItem> items, bool bar) {
  HMENU menu = bar ? CreateMenu() : CreatePopupMenu();
  if (!menu) return nullptr;
  for (const auto& item : items) {
    if (item.caption == Text::kNone) {
      AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
    } else if (!item.submenu.empty()) {
      HMENU sub = BuildMenu(item.submenu, false);
      if (sub) AppendMenuW(menu, MF_POPUP | item.state, reinterpret_cast<UINT_PTR>(sub), UiText(item.caption));
    } else {
      AppendMenuW(menu, MF_STRING | item.state, item.id, UiText(item.caption));
    }
  }
  return menu;
}

}  // namespace mirel
