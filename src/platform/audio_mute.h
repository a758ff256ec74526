// The system's sound, muted while the cover is up and given back exactly as it was.
#pragma once

#include "platform/handles.h"

namespace mirel {

class AudioMute : NonCopyable {
 public:
  ~AudioMute() { Restore(); }

  // Mutes the default output device, remembering its mute state and volume first. False
  // when there is no device to mute (nothing changes then).
  bool Mute();
  // Puts the remembered mute state and volume back; nothing when nothing was muted.
  void Restore();
  bool active() const { return active_; }

 private:
  bool active_ = false;
  bool wasMuted_ = false;
  float volume_ = 0;
};

}  // namespace mirel
