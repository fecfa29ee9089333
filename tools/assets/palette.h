// The shared palette, read from its ramp list, and colour look-up by ramp.
#pragma once

#include <array>
#include <cstdint>
#include <string>

struct Rgb {
  uint8_t r, g, b;
};

struct Ramp {
  std::string name;
  int first, count;
};

// Reads the ramp list; exits with a message naming the line on any fault,
// or when the palette breaks one of its fixed rules.
void LoadPalette(const std::string& path);
const std::array<Rgb, 256>& PaletteColours();

// Step `step` of ramp `name` (0 darkest); a step past either end is clamped.
uint8_t C(const char* name, int step);
// Step of a ramp chosen by a fraction 0..1 of its length.
uint8_t CF(const char* name, double t);
int RampLength(const char* name);

constexpr uint8_t Black = 0;
constexpr uint8_t White = 255;
