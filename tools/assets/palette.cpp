// The ramp list read into the 256 colours, and a ramp's steps by name.
#include "palette.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <vector>

namespace {

std::array<Rgb, 256> Colours;
std::vector<Ramp> Ramps;

[[noreturn]] void Fail(const std::string& path, int line, const std::string& why) {
  std::fprintf(stderr, "%s:%d: %s\n", path.c_str(), line, why.c_str());
  std::exit(1);
}

bool ParseHex(const std::string& s, Rgb* out) {
  if (s.size() != 6) return false;
  char* end = nullptr;
  const unsigned long v = std::strtoul(s.c_str(), &end, 16);
  if (*end) return false;
  *out = Rgb{static_cast<uint8_t>(v >> 16), static_cast<uint8_t>(v >> 8), static_cast<uint8_t>(v)};
  return true;
}

const Ramp& Find(const char* name) {
  for (const Ramp& r : Ramps)
    if (r.name == name) return r;
  std::fprintf(stderr, "palette: no ramp named %s\n", name);
  std::exit(1);
}

}  // namespace

void LoadPalette(const std::string& path) {
  std::ifstream in(path);
  if (!in) Fail(path, 0, "cannot open");
  std::array<bool, 256> set{};
  std::string text;
  int lineNo = 0;
  while (std::getline(in, text)) {
    lineNo++;
    if (!text.empty() && text.back() == '\r') text.pop_back();
    const size_t hash = text.find(';');
    if (hash != std::string::npos) text.resize(hash);
    std::istringstream line(text);
    int first, count;
    std::string name, stop;
    if (!(line >> first)) continue;
    std::vector<Rgb> stops;
    if (!(line >> count >> name)) Fail(path, lineNo, "expected: first count name rrggbb rrggbb...");
    while (line >> stop) {
      Rgb c;
      if (!ParseHex(stop, &c)) Fail(path, lineNo, "bad colour " + stop);
      stops.push_back(c);
    }
    if (stops.empty()) Fail(path, lineNo, "a ramp needs at least one colour");
    if (first < 0 || count < 1 || first + count > 256) Fail(path, lineNo, "ramp outside 0..255");
    for (int i = 0; i < count; i++) {
      if (set[first + i]) Fail(path, lineNo, "index " + std::to_string(first + i) + " given twice");
      set[first + i] = true;
      // Position along the ramp, spread evenly over its stops.
      const double pos = count == 1 ? 0.0 : static_cast<double>(i) / (count - 1) * (stops.size() - 1);
      const size_t k = std::min(stops.size() - 1, static_cast<size_t>(pos));
      const Rgb a = stops[k], b = stops[std::min(stops.size() - 1, k + 1)];
      const double t = pos - k;
      auto mix = [t](uint8_t x, uint8_t y) { return static_cast<uint8_t>(std::lround(x + (y - x) * t)); };
      Colours[first + i] = Rgb{mix(a.r, b.r), mix(a.g, b.g), mix(a.b, b.b)};
    }
    Ramps.push_back(Ramp{name, first, count});
  }
  for (int i = 0; i < 256; i++)
    if (!set[i]) Fail(path, lineNo, "index " + std::to_string(i) + " has no colour");
  auto is = [](const Rgb& c, int r, int g, int b) { return c.r == r && c.g == g && c.b == b; };
  if (!is(Colours[0], 0, 0, 0)) Fail(path, lineNo, "index 0 must be black");
  if (!is(Colours[255], 255, 255, 255)) Fail(path, lineNo, "index 255 must be white");
  bool red = false;
  for (int i = 0; i < 256; i++) {
    red = red || is(Colours[i], 255, 0, 0);
    for (int j = 0; j < i; j++)
      if (is(Colours[i], Colours[j].r, Colours[j].g, Colours[j].b))
        Fail(path, lineNo, "indices " + std::to_string(j) + " and " + std::to_string(i) + " are the same colour");
  }
  if (!red) Fail(path, lineNo, "pure red is missing");
}

const std::array<Rgb, 256>& PaletteColours() { return Colours; }

uint8_t C(const char* name, int step) {
  const Ramp& r = Find(name);
  if (step < 0) step = 0;
  if (step >= r.count) step = r.count - 1;
  return static_cast<uint8_t>(r.first + step);
}

uint8_t CF(const char* name, double t) {
  const Ramp& r = Find(name);
  return C(name, static_cast<int>(std::lround(t * (r.count - 1))));
}

int RampLength(const char* name) { return Find(name).count; }
