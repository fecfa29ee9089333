// The score read into instruments and patterns of notes, and written out
// as the tracks of a Standard MIDI File.
#include "music_score.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <map>
#include <sstream>

namespace {

constexpr int TicksPerQuarter = 480;
constexpr int DrumLength = 60;  // drums are struck, not held

struct Instrument {
  std::string name;
  int channel = 1, program = 1, volume = 100, pan = 64, reverb = 40, gate = 100;
};

struct Note {
  int tick, length, pitch, velocity;
};

struct Pattern {
  std::vector<Note> notes;
  int length = 0;
};

std::string Where;  // "file:line" of what is being read, for messages

[[noreturn]] void Fail(const std::string& why) {
  std::fprintf(stderr, "%s: %s\n", Where.c_str(), why.c_str());
  std::exit(1);
}

int DrumKey(const std::string& name) {
  static const std::map<std::string, int> Drums = {
      {"kick", 36}, {"side", 37}, {"snare", 38}, {"hat", 42},    {"ohat", 46},  {"ride", 51},
      {"tomlo", 45}, {"tommid", 47}, {"tomhi", 50}, {"shaker", 70}, {"crash", 49}};
  auto it = Drums.find(name);
  return it == Drums.end() ? -1 : it->second;
}

int Pitch(const std::string& name) {
  static const int Steps[7] = {9, 11, 0, 2, 4, 5, 7};  // A B C D E F G
  if (name.size() < 2 || name[0] < 'A' || name[0] > 'G') return -1;
  int pitch = Steps[name[0] - 'A'];
  size_t i = 1;
  if (name[i] == '#') pitch++, i++;
  else if (name[i] == 'b') pitch--, i++;
  if (i >= name.size() || !std::isdigit(static_cast<unsigned char>(name[i]))) return -1;
  const int octave = std::atoi(name.c_str() + i);
  if (name.find_first_not_of("0123456789", i) != std::string::npos) return -1;
  pitch += 12 * (octave + 1);
  return pitch >= 0 && pitch < 128 ? pitch : -1;
}

int Length(const std::string& text) {
  const bool dotted = !text.empty() && text.back() == '.';
  const std::string digits = dotted ? text.substr(0, text.size() - 1) : text;
  const int d = std::atoi(digits.c_str());
  if (d != 1 && d != 2 && d != 4 && d != 8 && d != 16) Fail("unknown length /" + text);
  const int ticks = TicksPerQuarter * 4 / d;
  return dotted ? ticks * 3 / 2 : ticks;
}

Pattern ParsePattern(const std::vector<std::string>& words, int barTicks, bool drums) {
  Pattern p;
  int length = TicksPerQuarter, velocity = 80, barStart = 0;
  for (const std::string& w : words) {
    if (w == "|") {
      if (p.length - barStart != barTicks) Fail("a bar of the wrong length before bar line at tick " + std::to_string(p.length));
      barStart = p.length;
      continue;
    }
    if (w[0] == 'v' && w.size() > 1 && std::isdigit(static_cast<unsigned char>(w[1]))) {
      velocity = std::atoi(w.c_str() + 1);
      if (velocity < 1 || velocity > 127) Fail("velocity out of range: " + w);
      continue;
    }
    std::string body = w;
    const size_t slash = w.find('/');
    if (slash != std::string::npos) {
      length = Length(w.substr(slash + 1));
      body = w.substr(0, slash);
    }
    if (body != "r") {
      std::stringstream parts(body);
      std::string part;
      while (std::getline(parts, part, '+')) {
        const int key = drums ? DrumKey(part) : Pitch(part);
        if (key < 0) Fail("unknown note " + part);
        p.notes.push_back(Note{p.length, length, key, velocity});
      }
    }
    p.length += length;
  }
  if (p.length % barTicks != 0) Fail("pattern is not a whole number of bars");
  return p;
}

void PutVarLen(std::vector<uint8_t>& out, uint32_t v) {
  uint8_t bytes[5];
  int n = 0;
  bytes[n++] = v & 0x7F;
  while (v >>= 7) bytes[n++] = static_cast<uint8_t>((v & 0x7F) | 0x80);
  while (n) out.push_back(bytes[--n]);
}

void Put32(std::vector<uint8_t>& out, uint32_t v) {
  for (int s = 24; s >= 0; s -= 8) out.push_back(static_cast<uint8_t>(v >> s));
}

struct Event {
  int tick;
  int order;  // at one tick: set-up first, then note-offs, then note-ons
  std::vector<uint8_t> bytes;
};

std::vector<uint8_t> Chunk(std::vector<Event> events, int endTick) {
  std::stable_sort(events.begin(), events.end(),
                   [](const Event& a, const Event& b) { return a.tick != b.tick ? a.tick < b.tick : a.order < b.order; });
  std::vector<uint8_t> body;
  int now = 0;
  for (const Event& e : events) {
    PutVarLen(body, static_cast<uint32_t>(e.tick - now));
    now = e.tick;
    body.insert(body.end(), e.bytes.begin(), e.bytes.end());
  }
  PutVarLen(body, static_cast<uint32_t>(endTick - now));
  body.insert(body.end(), {0xFF, 0x2F, 0x00});
  std::vector<uint8_t> chunk = {'M', 'T', 'r', 'k'};
  Put32(chunk, static_cast<uint32_t>(body.size()));
  chunk.insert(chunk.end(), body.begin(), body.end());
  return chunk;
}

Event Meta(int tick, uint8_t type, const std::vector<uint8_t>& data) {
  Event e{tick, 0, {0xFF, type}};
  PutVarLen(e.bytes, static_cast<uint32_t>(data.size()));
  e.bytes.insert(e.bytes.end(), data.begin(), data.end());
  return e;
}

std::vector<uint8_t> Text(const std::string& s) { return std::vector<uint8_t>(s.begin(), s.end()); }

}  // namespace

std::vector<uint8_t> BuildMidiFromScore(const std::string& path) {
  std::ifstream in(path);
  Where = path;
  if (!in) Fail("cannot open");
  int tempo = 120, beats = 4, beatUnit = 4;
  std::vector<Instrument> instruments;
  std::map<std::string, std::vector<std::string>> patternWords;
  std::map<std::string, std::vector<std::string>> plays;
  std::map<std::string, std::string> patternWhere, playWhere;
  std::string line, open;
  int lineNo = 0;
  while (std::getline(in, line)) {
    lineNo++;
    Where = path + ":" + std::to_string(lineNo);
    const size_t semi = line.find(';');
    if (semi != std::string::npos) line.resize(semi);
    std::istringstream words(line);
    std::string first;
    if (!(words >> first)) continue;
    if (!open.empty()) {
      if (first == "end") {
        open.clear();
        continue;
      }
      auto& list = patternWords[open];
      list.push_back(first);
      for (std::string w; words >> w;) list.push_back(w);
      continue;
    }
    if (first == "tempo") {
      if (!(words >> tempo) || tempo < 20 || tempo > 300) Fail("bad tempo");
    } else if (first == "meter") {
      std::string m;
      words >> m;
      if (std::sscanf(m.c_str(), "%d/%d", &beats, &beatUnit) != 2 || beats < 1 || (beatUnit != 4 && beatUnit != 8))
        Fail("bad meter");
    } else if (first == "instrument") {
      Instrument ins;
      words >> ins.name;
      for (std::string key; words >> key;) {
        int value;
        if (!(words >> value)) Fail("missing value for " + key);
        if (key == "channel") ins.channel = value;
        else if (key == "program") ins.program = value;
        else if (key == "volume") ins.volume = value;
        else if (key == "pan") ins.pan = value;
        else if (key == "reverb") ins.reverb = value;
        else if (key == "gate") ins.gate = value;
        else Fail("unknown instrument setting " + key);
      }
      if (ins.channel < 1 || ins.channel > 16 || ins.program < 1 || ins.program > 128) Fail("bad channel or program");
      instruments.push_back(ins);
    } else if (first == "pattern") {
      if (!(words >> open)) Fail("pattern without a name");
      if (patternWords.count(open)) Fail("pattern " + open + " defined twice");
      patternWords[open];
      patternWhere[open] = Where;
    } else if (first == "play") {
      std::string who;
      words >> who;
      if (who.empty() || who.back() != ':') Fail("expected: play NAME: patterns");
      who.pop_back();
      for (std::string w; words >> w;) plays[who].push_back(w);
      playWhere[who] = Where;
    } else {
      Fail("unknown word " + first);
    }
  }
  if (!open.empty()) Fail("pattern " + open + " has no end");

  const int barTicks = TicksPerQuarter * 4 / beatUnit * beats;
  std::vector<std::vector<Event>> tracks;
  int songLength = -1;
  for (const Instrument& ins : instruments) {
    Where = playWhere.count(ins.name) ? playWhere[ins.name] : path;
    if (!plays.count(ins.name)) Fail("instrument " + ins.name + " plays nothing");
    const bool drums = ins.channel == 10;
    const uint8_t ch = static_cast<uint8_t>(ins.channel - 1);
    std::vector<Event> events;
    events.push_back(Meta(0, 0x03, Text(ins.name)));
    events.push_back(Event{0, 0, {static_cast<uint8_t>(0xC0 | ch), static_cast<uint8_t>(ins.program - 1)}});
    events.push_back(Event{0, 0, {static_cast<uint8_t>(0xB0 | ch), 7, static_cast<uint8_t>(ins.volume)}});
    events.push_back(Event{0, 0, {static_cast<uint8_t>(0xB0 | ch), 10, static_cast<uint8_t>(ins.pan)}});
    events.push_back(Event{0, 0, {static_cast<uint8_t>(0xB0 | ch), 91, static_cast<uint8_t>(ins.reverb)}});
    int at = 0;
    const std::vector<std::string>& order = plays[ins.name];
    for (size_t i = 0; i < order.size(); i++) {
      int repeat = 1;
      if (i + 1 < order.size() && order[i + 1][0] == 'x') repeat = std::atoi(order[i + 1].c_str() + 1);
      if (order[i][0] == 'x') continue;
      if (!patternWords.count(order[i])) Fail("no pattern named " + order[i]);
      const std::string here = Where;
      Where = patternWhere[order[i]];
      const Pattern p = ParsePattern(patternWords[order[i]], barTicks, drums);
      Where = here;
      for (int r = 0; r < repeat; r++) {
        for (const Note& n : p.notes) {
          const int sounding = drums ? std::min(DrumLength, n.length) : std::max(1, n.length * ins.gate / 100);
          events.push_back(Event{at + n.tick, 2,
                                 {static_cast<uint8_t>(0x90 | ch), static_cast<uint8_t>(n.pitch),
                                  static_cast<uint8_t>(n.velocity)}});
          events.push_back(
              Event{at + n.tick + sounding, 1, {static_cast<uint8_t>(0x80 | ch), static_cast<uint8_t>(n.pitch), 64}});
        }
        at += p.length;
      }
    }
    if (songLength >= 0 && at != songLength)
      Fail(ins.name + " lasts " + std::to_string(at) + " ticks, the others " + std::to_string(songLength));
    songLength = at;
    tracks.push_back(std::move(events));
  }
  if (songLength <= 0) Fail("the score plays nothing");

  // Conductor track: name, tempo and meter.
  std::vector<Event> conductor;
  conductor.push_back(Meta(0, 0x03, Text("Yamiji")));
  const uint32_t usPerQuarter = 60000000u / tempo;
  conductor.push_back(Meta(0, 0x51,
                           {static_cast<uint8_t>(usPerQuarter >> 16), static_cast<uint8_t>(usPerQuarter >> 8),
                            static_cast<uint8_t>(usPerQuarter)}));
  int denominatorPower = 0;
  for (int u = beatUnit; u > 1; u >>= 1) denominatorPower++;
  conductor.push_back(Meta(0, 0x58, {static_cast<uint8_t>(beats), static_cast<uint8_t>(denominatorPower), 24, 8}));

  std::vector<uint8_t> file = {'M', 'T', 'h', 'd', 0, 0, 0, 6, 0, 1};
  const size_t count = tracks.size() + 1;
  file.push_back(static_cast<uint8_t>(count >> 8));
  file.push_back(static_cast<uint8_t>(count));
  file.push_back(TicksPerQuarter >> 8);
  file.push_back(TicksPerQuarter & 255);
  auto append = [&](const std::vector<uint8_t>& chunk) { file.insert(file.end(), chunk.begin(), chunk.end()); };
  append(Chunk(conductor, songLength));
  for (auto& t : tracks) append(Chunk(t, songLength));
  return file;
}
