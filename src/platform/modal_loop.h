// The one modal loop of the program: every modal window (the options, the about box, the
// preview, the password prompt) runs its messages here.
#pragma once

#include <windows.h>

#include <functional>
#include <initializer_list>

namespace mirel {

// Shows `window`, gives the keyboard to `focus` and runs the messages until `done` or the
// window is gone, with the `disabled` windows disabled meanwhile (and enabled again before
// the modal window goes, so that the system activates them). `accelerators` may be null;
// `dialogKeys` lets the dialog manager have Enter, Esc, Tab and the access keys.
// `preTranslate`, when given, sees each message first and returns true for one it has
// dealt with. A quit request ends the loop and is posted again for the outer loop.
void RunModalLoop(HWND window, HWND focus, std::initializer_list<HWND> disabled, const bool& done, HACCEL accelerators,
                  bool dialogKeys, const std::function<bool(MSG&)>& preTranslate = nullptr);

}  // namespace mirel
