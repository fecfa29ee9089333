// PCM in a sound buffer's format to the output's in the browser, where SDL's
// converter is not: linear interpolation between the source frames.
#include <cmath>

#include "platform/audio/mixer.h"
#include "platform/backend.h"

std::vector<int16_t> ConvertPcm(const PcmFormat& format, const uint8_t* bytes, size_t whole) {
  const size_t sourceFrames = whole / format.blockAlign;
  auto sample = [&](size_t frame, int channel) -> int32_t {
    const uint8_t* p = bytes + frame * format.blockAlign + (format.channels == 2 ? channel : 0) * (format.bits / 8);
    return format.bits == 8 ? (p[0] - 128) * 256 : static_cast<int16_t>(p[0] | p[1] << 8);
  };
  const size_t wanted =
      static_cast<size_t>((uint64_t{sourceFrames} * AudioRate + format.rate / 2) / format.rate);
  std::vector<int16_t> frames(wanted * AudioChannels);
  const double step = static_cast<double>(format.rate) / AudioRate;
  for (size_t i = 0; i < wanted; i++) {
    const double at = i * step;
    const size_t a = static_cast<size_t>(at);
    const size_t b = a + 1 < sourceFrames ? a + 1 : a;
    const double t = at - a;
    for (int c = 0; c < AudioChannels; c++)
      frames[i * AudioChannels + c] =
          static_cast<int16_t>(std::lround(sample(a, c) + (sample(b, c) - sample(a, c)) * t));
  }
  return frames;
}
