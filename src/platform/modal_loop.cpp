#include "platform/modal_loop.h"

#include <vector>

namespace mirel {

void RunModalLoop(HWND window, HWND focus, std::initializer_list<HWND> disabled, const bool& done, HACCEL accelerators,
                  bool dialogKeys, const std::function<bool(MSG&)>& preTranslate) {
  const std::vector<HWND> others(disabled);
  for (HWND other : others)
    if (other) EnableWindow(other, FALSE);
  ShowWindow(window, SW_SHOW);
  SetForegroundWindow(window);
  SetFocus(focus);  // the keys come here, not to a disabled window
  MSG msg;
  while (!done && IsWindow(window)) {
    const BOOL got = GetMessageW(&msg, nullptr, 0, 0);
    if (got == 0) {
      PostQuitMessage(static_cast<int>(msg.wParam));  // the program is ending: the outer loop sees it too
      break;
    }
    if (got == -1) break;
    if (preTranslate && preTranslate(msg)) continue;
    if (accelerators && TranslateAcceleratorW(window, accelerators, &msg)) continue;
    if (dialogKeys && IsDialogMessageW(window, &msg)) continue;
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  for (HWND other : others)
    if (other && IsWindow(other)) EnableWindow(other, TRUE);
}

}  // namespace mirel
