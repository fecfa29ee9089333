// Checks a Standard MIDI File before the synthesizer's player is given it:
// a song that cannot play through in time is refused at load.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>

#include "platform/audio/midi_file.h"

namespace {

uint32_t Be32(const uint8_t* p) {
  return static_cast<uint32_t>(p[0]) << 24 | static_cast<uint32_t>(p[1]) << 16 | static_cast<uint32_t>(p[2]) << 8 | p[3];
}

// A variable-length quantity of at most four bytes; false when cut short.
bool ReadVlq(const uint8_t* p, size_t end, size_t* i, uint32_t* out) {
  uint32_t v = 0;
  for (int n = 0; n < 4; n++) {
    if (*i >= end) return false;
    const uint8_t b = p[(*i)++];
    v = v << 7 | (b & 0x7F);
    if (!(b & 0x80)) {
      *out = v;
      return true;
    }
  }
  return false;
}

// One track: its length in ticks and whether it sounds a note.
const char* CheckTrack(const uint8_t* p, size_t begin, size_t end, uint64_t* ticks, bool* sounds) {
  size_t i = begin;
  uint8_t running = 0;
  *ticks = 0;
  while (i < end) {
    uint32_t delta;
    if (!ReadVlq(p, end, &i, &delta)) return "a track is cut short";
    *ticks += delta;
    if (i >= end) return "a track is cut short";
    uint8_t status = p[i];
    if (status & 0x80) i++;
    else if (running) status = running;
    else return "an event without a status";
    if (status == 0xFF) {
      if (i >= end) return "a track is cut short";
      const uint8_t type = p[i++];
      uint32_t length;
      if (!ReadVlq(p, end, &i, &length) || length > end - i) return "a track is cut short";
      // A tempo of 0 would play the whole song in no time, over and over.
      if (type == 0x51 && length >= 3 && (p[i] | p[i + 1] | p[i + 2]) == 0) return "a tempo of 0";
      i += length;
      if (type == 0x2F) return nullptr;  // end of track
      running = 0;
    } else if (status == 0xF0 || status == 0xF7) {
      uint32_t length;
      if (!ReadVlq(p, end, &i, &length) || length > end - i) return "a track is cut short";
      i += length;
      running = 0;
    } else if (status >= 0xF0) {
      return "an unknown event";
    } else {
      const size_t data = (status & 0xE0) == 0xC0 ? 1 : 2;
      if (data > end - i) return "a track is cut short";
      if ((status & 0xF0) == 0x90 && (p[i + 1] & 0x7F) > 0) *sounds = true;
      i += data;
      running = status;
    }
  }
  return nullptr;  // a track without its end mark ends with its chunk
}

}  // namespace

const char* CheckStandardMidi(const uint8_t* bytes, size_t size) {
  if (size < 14 || std::memcmp(bytes, "MThd", 4) != 0) return "not a Standard MIDI File";
  const uint32_t headerLength = Be32(bytes + 4);
  if (headerLength < 6 || headerLength > size - 8) return "the header is cut short";
  const unsigned division = static_cast<unsigned>(bytes[12]) << 8 | bytes[13];
  if (division == 0 || ((division & 0x8000) && (division & 0xFF) == 0)) return "a time division of 0";
  size_t i = 8 + static_cast<size_t>(headerLength);
  bool sounds = false;
  uint64_t longest = 0;
  while (size - i >= 8) {
    const uint32_t length = Be32(bytes + i + 4);
    if (length > size - i - 8) return "a chunk is cut short";
    if (std::memcmp(bytes + i, "MTrk", 4) == 0) {
      uint64_t ticks = 0;
      if (const char* why = CheckTrack(bytes, i + 8, i + 8 + length, &ticks, &sounds)) return why;
      if (ticks > longest) longest = ticks;
    }
    i += 8 + static_cast<size_t>(length);
  }
  // FluidSynth's player, told to loop, would spin without end on either.
  if (!sounds) return "the song has no notes";
  if (longest == 0) return "the song has no length";
  return nullptr;
}
