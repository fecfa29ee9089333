// The keys of each flip, from the one source the run has: a test tool's
// key source, an input file, or the live keyboard and pads through the
// backend. Sampled once at every flip and once at start-up.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/input/bindings.h"
#include "platform/input/input_file.h"

// Takes the keys from `script` when `fromScript`, and records them to
// `recordFile` when it is not "". With `thenLive`, the keyboard and pads
// take over once the script's last line has passed (a shared run replayed,
// then played on).
void StartKeySampler(bool fromScript, const std::vector<InputLine>& script, const std::string& recordFile,
                     bool thenLive = false);
void FinishKeySampler();
// The new game begins: the recording's header names the pack in force now.
void RecordGameStart();
// Fills down[256] with the keys down at this flip, and records them.
void SampleKeys(uint32_t flip, uint8_t* down);

// A test tool's own keys, over the input file and the keyboard.
void SetKeySource(void (*source)(uint32_t flip, uint8_t* down));

// The screen the game shows from now on (bindings.h: InputScreen); the pad
// is read for it at the next sample.
void SetInputScreen(uint8_t screen);
uint8_t CurrentInputScreen();
// True when a pad button went down at a later sample than any key: the
// screens then name pad buttons. Follows the samples, so replays alike.
bool PadLastUsed();
