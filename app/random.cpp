// The generator's one state, stepped as the runtime steps it.
#include "app/random.h"

#include <cstdint>

namespace {
constexpr uint32_t FirstState = 1;
uint32_t RandomState = FirstState;
}

int Random() {
  RandomState = RandomState * 214013u + 2531011u;
  return static_cast<int>((RandomState >> 16) & 0x7FFF);
}

void SeedRandom(unsigned seed) { RandomState = seed; }

void SeedRandomAsAtStart() {
  RandomState = FirstState;
  SeedRandom(static_cast<unsigned>(Random() % 400));
}
