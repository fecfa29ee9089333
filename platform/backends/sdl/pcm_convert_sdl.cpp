// PCM in a sound buffer's format to the output's, through SDL's converter.
#include <SDL.h>

#include <algorithm>

#include "platform/audio/mixer.h"
#include "platform/backend.h"

std::vector<int16_t> ConvertPcm(const PcmFormat& format, const uint8_t* bytes, size_t whole) {
  std::vector<int16_t> frames;
  SDL_AudioStream* stream =
      SDL_NewAudioStream(format.bits == 8 ? AUDIO_U8 : AUDIO_S16LSB, static_cast<Uint8>(format.channels),
                         static_cast<int>(format.rate), AUDIO_S16SYS, AudioChannels, AudioRate);
  if (!stream) return frames;
  // The resampler holds back the last few frames as history, even through
  // a flush: silence after the sound pushes them out, and is cut off again.
  const uint64_t sourceFrames = whole / format.blockAlign;
  const size_t wanted = static_cast<size_t>((sourceFrames * AudioRate + format.rate / 2) / format.rate);
  const std::vector<uint8_t> silence(4096 * format.blockAlign, format.bits == 8 ? 0x80 : 0);
  const bool resampled = format.rate != AudioRate;
  if (SDL_AudioStreamPut(stream, bytes, static_cast<int>(whole)) == 0 &&
      (!resampled || SDL_AudioStreamPut(stream, silence.data(), static_cast<int>(silence.size())) == 0) &&
      SDL_AudioStreamFlush(stream) == 0) {
    const int available = SDL_AudioStreamAvailable(stream);
    frames.resize(static_cast<size_t>(available) / sizeof(int16_t) / AudioChannels * AudioChannels);
    const int got = SDL_AudioStreamGet(stream, frames.data(), static_cast<int>(frames.size() * sizeof(int16_t)));
    const size_t gotFrames = got > 0 ? static_cast<size_t>(got) / sizeof(int16_t) / AudioChannels : 0;
    frames.resize(std::min(gotFrames, wanted) * AudioChannels);
  }
  SDL_FreeAudioStream(stream);
  return frames;
}
