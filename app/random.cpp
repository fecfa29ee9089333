// The generator's one state, stepped as the runtime steps it.
#include "app/random.h"

#include <cstdint>

namespace {
uint32_t RandomState = 1;
}

int Random() {
  RandomState = RandomState * 214013u + 2531011u;
  return static_cast<int>((RandomState >> 16) & 0x7FFF);
}

void SeedRandom(unsigned seed) { RandomState = seed; }
