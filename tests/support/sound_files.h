// Builds the WAV and MIDI files the sound tests and benchmarks read, byte by
// byte, so that good and broken files alike can be made on the spot.
#pragma once

#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

namespace soundfiles {

inline std::string Le16(uint32_t v) { return {static_cast<char>(v & 255), static_cast<char>(v >> 8 & 255)}; }
inline std::string Le32(uint32_t v) { return Le16(v & 0xFFFF) + Le16(v >> 16); }
inline std::string Be16(uint32_t v) { return {static_cast<char>(v >> 8 & 255), static_cast<char>(v & 255)}; }
inline std::string Be32(uint32_t v) { return Be16(v >> 16) + Be16(v & 0xFFFF); }

// A chunk: id, little-endian size, body, and a pad byte when the size is odd.
inline std::string Chunk(const std::string& id, const std::string& body) {
  std::string c = id + Le32(static_cast<uint32_t>(body.size())) + body;
  if (body.size() % 2) c += '\0';
  return c;
}

inline std::string Riff(const std::string& formType, const std::string& chunks) {
  return "RIFF" + Le32(static_cast<uint32_t>(4 + chunks.size())) + formType + chunks;
}

// The 16 bytes every format chunk starts with.
inline std::string FormatBody(uint16_t tag, uint16_t channels, uint32_t rate, uint16_t bits) {
  const uint16_t align = static_cast<uint16_t>(channels * bits / 8);
  return Le16(tag) + Le16(channels) + Le32(rate) + Le32(rate * align) + Le16(align) + Le16(bits);
}

// 16-bit samples, interleaved when there are two channels.
inline std::string Samples16(const std::vector<int16_t>& samples) {
  std::string s;
  for (int16_t v : samples) s += Le16(static_cast<uint16_t>(v));
  return s;
}

inline std::string PcmWave(uint16_t channels, uint32_t rate, uint16_t bits, const std::string& data) {
  return Riff("WAVE", Chunk("fmt ", FormatBody(1, channels, rate, bits)) + Chunk("data", data));
}

inline std::string TempDir() {
  static std::string dir;
  if (dir.empty()) {
    std::string pattern = "/tmp/twinworlds_sound_XXXXXX";
    if (mkdtemp(pattern.data())) dir = pattern;
  }
  return dir;
}

// Writes the bytes to a file of that name in a scratch folder; returns its path.
inline std::string WriteFile(const std::string& name, const std::string& bytes) {
  const std::string path = TempDir() + "/" + name;
  if (FILE* f = std::fopen(path.c_str(), "wb")) {
    std::fwrite(bytes.data(), 1, bytes.size(), f);
    std::fclose(f);
  }
  return path;
}

// A MIDI variable-length quantity.
inline std::string Vlq(uint32_t v) {
  std::string out(1, static_cast<char>(v & 0x7F));
  while (v >>= 7) out.insert(out.begin(), static_cast<char>(0x80 | (v & 0x7F)));
  return out;
}

struct MidiEvent {
  uint32_t delta;  // ticks since the previous event
  std::string bytes;
};

// A format 0 Standard MIDI File, 480 ticks a quarter note at the default
// 120 beats a minute (so 960 ticks a second); the track ends `tailTicks`
// after its last event.
inline std::string MidiFile(const std::vector<MidiEvent>& events, uint32_t tailTicks) {
  std::string track;
  for (const MidiEvent& e : events) track += Vlq(e.delta) + e.bytes;
  track += Vlq(tailTicks) + std::string("\xFF\x2F\x00", 3);
  return "MThd" + Be32(6) + Be16(0) + Be16(1) + Be16(480) + "MTrk" + Be32(static_cast<uint32_t>(track.size())) +
         track;
}

inline std::string NoteOn(int channel, int key, int velocity) {
  return {static_cast<char>(0x90 | channel), static_cast<char>(key), static_cast<char>(velocity)};
}
inline std::string NoteOff(int channel, int key) {
  return {static_cast<char>(0x80 | channel), static_cast<char>(key), 0};
}
inline std::string Program(int channel, int program) {
  return {static_cast<char>(0xC0 | channel), static_cast<char>(program)};
}

}  // namespace soundfiles
