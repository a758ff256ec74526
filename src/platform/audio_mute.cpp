#include "platform/audio_mute.h"

#include <windows.h>

#include <endpointvolume.h>
#include <mmdeviceapi.h>

#include "platform/picture.h"
#include "platform/system_dll.h"

namespace mirel {

namespace {

// The identifiers spelled out: no import library or compiler extension is needed for them.
constexpr GUID kMMDeviceEnumerator = {0xbcde0395, 0xe52f, 0x467c, {0x8e, 0x3d, 0xc4, 0x57, 0x92, 0x91, 0x69, 0x2e}};
constexpr GUID kIMMDeviceEnumerator = {0xa95664d2, 0x9614, 0x4f35, {0xa7, 0x46, 0xde, 0x8d, 0xb6, 0x36, 0x17, 0xe6}};
constexpr GUID kIAudioEndpointVolume = {0x5cdf2c82, 0x841e, 0x4546, {0x97, 0x22, 0x0c, 0xf7, 0x40, 0x78, 0x22, 0x9a}};

// The default output device's volume control, or nothing.
ComPtr<IAudioEndpointVolume> OutputVolume() {
  EnsureComOnThisThread();
  ComPtr<IMMDeviceEnumerator> devices;
  ComPtr<IMMDevice> device;
  ComPtr<IAudioEndpointVolume> volume;
  if (FAILED(sys::CoCreateInstance(kMMDeviceEnumerator, nullptr, CLSCTX_INPROC_SERVER, kIMMDeviceEnumerator,
                                   reinterpret_cast<void**>(devices.put()))))
    return {};
  if (FAILED(devices->GetDefaultAudioEndpoint(eRender, eConsole, device.put()))) return {};
  if (FAILED(device->Activate(kIAudioEndpointVolume, CLSCTX_INPROC_SERVER, nullptr,
                              reinterpret_cast<void**>(volume.put()))))
    return {};
  return volume;
}

}  // namespace

bool AudioMute::Mute() {
  if (active_) return true;
  auto volume = OutputVolume();
  if (!volume) return false;
  BOOL muted = FALSE;
  float level = 0;
  if (FAILED(volume->GetMute(&muted)) || FAILED(volume->GetMasterVolumeLevelScalar(&level))) return false;
  if (FAILED(volume->SetMute(TRUE, nullptr))) return false;
  wasMuted_ = muted != FALSE;
  volume_ = level;
  active_ = true;
  return true;
}

void AudioMute::Restore() {
  if (!active_) return;
  active_ = false;
  auto volume = OutputVolume();
  if (!volume) return;
  volume->SetMasterVolumeLevelScalar(volume_, nullptr);
  volume->SetMute(wasMuted_ ? TRUE : FALSE, nullptr);
}

}  // namespace mirel
