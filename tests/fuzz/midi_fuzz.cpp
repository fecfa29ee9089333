// The check a music file passes before FluidSynth's player is given it.
#include <cstddef>
#include <cstdint>

#include "platform/audio/midi_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  CheckStandardMidi(data, size);
  return 0;
}
