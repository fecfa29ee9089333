// The runtime's pseudo-random generator, the same on every platform:
// state x 214013 + 2531011, the result bits 16 to 30, first state 1.
#pragma once

constexpr int RandomMax = 32767;

int Random();
void SeedRandom(unsigned seed);
// The seed every run starts from: the first value of the first state, as
// the game takes it at start-up.
void SeedRandomAsAtStart();
