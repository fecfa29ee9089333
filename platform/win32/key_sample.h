// The keys as the game reads them, sampled by win32/'s own files: at each
// flip and as the window opens. The game never includes this.
#pragma once

#include <cstdint>

// Samples the keys of this flip and posts WM_KEYDOWN for each key that went
// down; GetAsyncKeyState answers from it until the next.
void TakeKeySample(uint32_t flip);
// All keys up, as at the start of a run.
void ForgetKeys();
