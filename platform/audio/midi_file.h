// The check a Standard MIDI File passes before the synthesizer plays it.
#pragma once

#include <cstddef>
#include <cstdint>

// Null when the bytes are a Standard MIDI File that plays through in time:
// whole tracks, at least one note, a length above 0 ticks and no tempo of 0.
// Otherwise why it is refused.
const char* CheckStandardMidi(const uint8_t* bytes, size_t size);
