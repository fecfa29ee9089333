// The sound effects and the music of the game folder, read as plain files.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <fstream>
#include <iterator>
#include <map>
#include <set>
#include <string>
#include <vector>

namespace {

std::vector<uint8_t> ReadGameFile(const std::string& name) {
  std::ifstream in(std::string(TW_GAME_DIR) + "/" + name, std::ios::binary);
  return std::vector<uint8_t>((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

uint32_t LE32(const std::vector<uint8_t>& b, size_t at) {
  return b[at] | b[at + 1] << 8 | b[at + 2] << 16 | static_cast<uint32_t>(b[at + 3]) << 24;
}
uint16_t LE16(const std::vector<uint8_t>& b, size_t at) { return static_cast<uint16_t>(b[at] | b[at + 1] << 8); }

struct Wave {
  bool ok = false;
  int formatTag = 0, channels = 0, rate = 0, bits = 0, blockAlign = 0;
  std::vector<double> samples;  // -1..1
};

// Walks the RIFF chunks the way the game's reader does: "fmt " and "data"
// anywhere inside "RIFF"/"WAVE".
Wave ReadWave(const std::string& name) {
  const std::vector<uint8_t> b = ReadGameFile("se/" + name);
  Wave w;
  if (b.size() < 12 || std::string(b.begin(), b.begin() + 4) != "RIFF" ||
      std::string(b.begin() + 8, b.begin() + 12) != "WAVE" || LE32(b, 4) + 8 > b.size())
    return w;
  size_t at = 12, dataAt = 0, dataSize = 0;
  bool format = false;
  while (at + 8 <= b.size()) {
    const std::string id(b.begin() + at, b.begin() + at + 4);
    const uint32_t size = LE32(b, at + 4);
    if (at + 8 + size > b.size()) return w;
    if (id == "fmt " && size >= 16) {
      w.formatTag = LE16(b, at + 8);
      w.channels = LE16(b, at + 10);
      w.rate = static_cast<int>(LE32(b, at + 12));
      w.blockAlign = LE16(b, at + 20);
      w.bits = LE16(b, at + 22);
      format = true;
    } else if (id == "data") {
      dataAt = at + 8;
      dataSize = size;
    }
    at += 8 + size + (size & 1);
  }
  if (!format || !dataAt || w.channels != 1 || (w.bits != 8 && w.bits != 16)) return w;
  for (size_t i = 0; i + w.bits / 8 <= dataSize; i += w.bits / 8)
    w.samples.push_back(w.bits == 8 ? (b[dataAt + i] - 128) / 128.0
                                    : static_cast<int16_t>(LE16(b, dataAt + i)) / 32768.0);
  w.ok = true;
  return w;
}

const char* const Sounds[] = {"test.wav", "coin01.wav", "FlowerAttack.wav", "Explode.wav", "OK.wav",
                               "Lvup.wav", "No.wav",     "Hit.wav",          "gara.wav"};

TEST(GameSounds, EachIsShortAudibleMonoPcm) {
  int eightBit = 0;
  for (const char* name : Sounds) {
    const Wave w = ReadWave(name);
    ASSERT_TRUE(w.ok) << name;
    EXPECT_EQ(w.formatTag, 1) << name;
    EXPECT_TRUE(w.rate == 22050 || w.rate == 44100) << name;
    EXPECT_EQ(w.blockAlign, w.bits / 8) << name;
    const double seconds = static_cast<double>(w.samples.size()) / w.rate;
    EXPECT_GT(seconds, 0.05) << name;
    EXPECT_LT(seconds, 1.5) << name;
    double energy = 0, peak = 0;
    for (double s : w.samples) {
      energy += s * s;
      peak = std::max(peak, std::abs(s));
    }
    EXPECT_GT(std::sqrt(energy / w.samples.size()), 0.03) << name << " is too quiet";
    EXPECT_LT(peak, 0.99) << name << " clips";
    // It dies away rather than being cut off.
    EXPECT_LT(std::abs(w.samples.back()), 0.02) << name;
    eightBit += w.bits == 8;
  }
  EXPECT_GE(eightBit, 1) << "one effect stays 8-bit so that that path is used";
}

// ---- The music ----

struct MidiNote {
  int channel, key, on, off;
};

struct Midi {
  bool ok = false;
  int format = -1, division = 0, tempo = 500000, beats = 4, beatUnit = 4;
  std::vector<int> trackEnds;
  std::vector<MidiNote> notes;
  std::map<int, int> programs;  // channel (1..16) -> GM program (1..128)
  std::string error;
};

Midi ReadMidi(const std::string& name) {
  const std::vector<uint8_t> b = ReadGameFile(name);
  Midi m;
  auto be32 = [&](size_t at) { return static_cast<uint32_t>(b[at] << 24 | b[at + 1] << 16 | b[at + 2] << 8 | b[at + 3]); };
  if (b.size() < 14 || std::string(b.begin(), b.begin() + 4) != "MThd") return m.error = "no MThd", m;
  m.format = b[8] << 8 | b[9];
  const int tracks = b[10] << 8 | b[11];
  m.division = b[12] << 8 | b[13];
  size_t at = 8 + be32(4);
  for (int t = 0; t < tracks; t++) {
    if (at + 8 > b.size() || std::string(b.begin() + at, b.begin() + at + 4) != "MTrk") return m.error = "no MTrk", m;
    const size_t end = at + 8 + be32(at + 4);
    if (end > b.size()) return m.error = "track cut short", m;
    size_t p = at + 8;
    int tick = 0;
    uint8_t status = 0;
    bool ended = false;
    std::map<std::pair<int, int>, std::vector<int>> sounding;
    auto varLen = [&]() {
      uint32_t v = 0;
      for (int k = 0; k < 4 && p < end; k++) {
        const uint8_t c = b[p++];
        v = v << 7 | (c & 0x7F);
        if (!(c & 0x80)) break;
      }
      return v;
    };
    while (p < end && !ended) {
      tick += static_cast<int>(varLen());
      if (b[p] & 0x80) status = b[p++];
      if (status == 0xFF) {
        const uint8_t type = b[p++];
        const uint32_t len = varLen();
        if (type == 0x51 && len == 3) m.tempo = b[p] << 16 | b[p + 1] << 8 | b[p + 2];
        if (type == 0x58 && len == 4) m.beats = b[p], m.beatUnit = 1 << b[p + 1];
        if (type == 0x2F) ended = true;
        p += len;
      } else if (status == 0xF0 || status == 0xF7) {
        p += varLen();
      } else {
        const int kind = status & 0xF0, channel = (status & 0x0F) + 1;
        const int a = b[p++];
        const int v = (kind == 0xC0 || kind == 0xD0) ? 0 : b[p++];
        if (kind == 0xC0) m.programs[channel] = a + 1;
        if (kind == 0x90 && v > 0) sounding[{channel, a}].push_back(tick);
        if (kind == 0x80 || (kind == 0x90 && v == 0)) {
          auto& starts = sounding[{channel, a}];
          if (starts.empty()) return m.error = "note-off without note-on", m;
          m.notes.push_back({channel, a, starts.front(), tick});
          starts.erase(starts.begin());
        }
      }
    }
    if (!ended || p != end) return m.error = "track " + std::to_string(t) + " does not end with its end mark", m;
    for (auto& [key, starts] : sounding)
      if (!starts.empty()) return m.error = "a note never ends", m;
    m.trackEnds.push_back(tick);
    at = end;
  }
  m.ok = true;
  return m;
}

TEST(GameMusic, ParsesAsAStandardMidiFileOfSeveralTracks) {
  const Midi m = ReadMidi("Sound/yamiji.mid");
  ASSERT_TRUE(m.ok) << m.error;
  EXPECT_EQ(m.format, 1);
  EXPECT_GT(m.division, 0);
  EXPECT_LT(m.division, 0x8000);  // ticks per quarter note, not time code
  EXPECT_GE(m.trackEnds.size(), 5u);
}

TEST(GameMusic, UsesSeveralInstrumentsAndDrums) {
  const Midi m = ReadMidi("Sound/yamiji.mid");
  ASSERT_TRUE(m.ok) << m.error;
  std::set<int> melodic, programs;
  bool drums = false;
  for (const MidiNote& n : m.notes) {
    if (n.channel == 10)
      drums = true;
    else
      melodic.insert(n.channel);
  }
  for (int ch : melodic) {
    ASSERT_TRUE(m.programs.count(ch)) << "channel " << ch << " plays without choosing an instrument";
    programs.insert(m.programs.at(ch));
  }
  EXPECT_GE(programs.size(), 3u);
  EXPECT_TRUE(drums);
}

TEST(GameMusic, LastsOneToTwoMinutesAndLoopsOnABarLine) {
  const Midi m = ReadMidi("Sound/yamiji.mid");
  ASSERT_TRUE(m.ok) << m.error;
  const int end = m.trackEnds.front();
  for (int e : m.trackEnds) EXPECT_EQ(e, end) << "every track ends on the loop point";
  const int bar = m.division * 4 * m.beats / m.beatUnit;
  EXPECT_EQ(end % bar, 0);
  const double seconds = static_cast<double>(end) / m.division * m.tempo / 1e6;
  EXPECT_GE(seconds, 60);
  EXPECT_LE(seconds, 120);
  // Nothing is left sounding across the loop point, and the piece speaks at once.
  int first = end;
  for (const MidiNote& n : m.notes) {
    EXPECT_LE(n.off, end);
    EXPECT_LT(n.on, n.off);
    first = std::min(first, n.on);
  }
  EXPECT_EQ(first, 0);
}

}  // namespace
