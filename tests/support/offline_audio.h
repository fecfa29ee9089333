// Audio without a device, for tests and benchmarks: a backend whose device
// always opens and never plays, so sounds and music are made exactly as for
// a device (buffers converted, the soundfont loaded) and advance only when
// the test calls MixAudio. Set before any sound object is made.
#pragma once

#include "platform/backend.h"

namespace offline_audio {
inline bool OpenNoDevice(void (*)(int16_t*, int)) { return true; }
inline void CloseNoDevice() {}
inline const Backend NoDeviceBackend = [] {
  Backend b = HeadlessBackend;
  b.openAudio = OpenNoDevice;
  b.closeAudio = CloseNoDevice;
  return b;
}();
inline const Backend* Kept = nullptr;
}  // namespace offline_audio

inline void SetOfflineAudio(bool offline) {
  if (offline) {
    offline_audio::Kept = ActiveBackend;
    ActiveBackend = &offline_audio::NoDeviceBackend;
  } else {
    ActiveBackend = offline_audio::Kept;
  }
}
