// The keys of each flip, from the one source the run has: a test tool's
// key source, an input file, or the live keyboard and pads through the
// backend. Sampled once at every flip and once at start-up.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/input/input_file.h"

// Takes the keys from `script` when `fromScript`, and records them to
// `recordFile` when it is not "". With `thenLive`, the keyboard and pads
// take over once the script's last line has passed (a shared run replayed,
// then played on).
void StartKeySampler(bool fromScript, const std::vector<InputLine>& script, const std::string& recordFile,
                     bool thenLive = false);
void FinishKeySampler();
// Fills down[256] with the keys down at this flip, and records them.
void SampleKeys(uint32_t flip, uint8_t* down);

// A test tool's own keys, over the input file and the keyboard.
void SetKeySource(void (*source)(uint32_t flip, uint8_t* down));
