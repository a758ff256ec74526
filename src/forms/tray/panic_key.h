// The panic key: a global hot key (from the hot-key control's value) registered for a
// window, and the name the user knows it by.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

#include "platform/handles.h"

namespace mirel {

class PanicKey : NonCopyable {
 public:
  // The key is the system's again once its owner goes.
  ~PanicKey() { Unregister(); }

  // Registers the key for the window's WM_HOTKEY with id `id`, replacing the one before;
  // nothing for 0. False when another program holds the key.
  bool Register(HWND window, int id, std::uint32_t controlValue);
  void Unregister();
  bool registered() const { return registered_; }

  // "Ctrl+Alt+P": the modifiers and the key's name on the user's keyboard, or its code.
  static std::wstring Name(std::uint32_t controlValue);

 private:
  HWND window_ = nullptr;
  int id_ = 0;
  bool registered_ = false;
};

}  // namespace mirel
