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
// The recording's header names no pack, whatever comes after (the stage
// editor, whose pack's files change as it saves).
void RecordWithoutPack();
// Fills down[256] with the keys down at this flip, and records them with
// the pointer (on the stage editor's screen only; nowhere else is it read).
void SampleKeys(uint32_t flip, uint8_t* down);
// The pointer at the last sample (nothing over the picture off the editor's
// screen); its wheel is the turn since the sample before.
const PointerSample& SampledPointer();

// A run kept in memory (the editor's play-test): the last sample, then
// every later one, as the lines of an input file, numbered from `first`
// on. The pointer and its buttons are left out: play never reads them.
void StartRunCapture(uint32_t first);
void StopRunCapture();
const std::string& CapturedRun();

// A test tool's own keys, over the input file and the keyboard.
void SetKeySource(void (*source)(uint32_t flip, uint8_t* down));

// The screen the game shows from now on (bindings.h: InputScreen); the pad
// is read for it at the next sample.
void SetInputScreen(uint8_t screen);
uint8_t CurrentInputScreen();
// True when a pad button went down at a later sample than any key: the
// screens then name pad buttons. Follows the samples, so replays alike.
bool PadLastUsed();
// True when the touch controls were the last thing used (TOUCH held as a
// key went down): the screens then name the touch controls.
bool TouchLastUsed();
// The backend's word at each live sample: the face of the pad touched last.
void NotePadFace(uint8_t face);
// The face the screens name the pad's buttons by: the live pad's while the
// keys come from the backend, else the default (an input file or a tool's
// keys carry no pad, and a replay draws the same pictures on any machine).
uint8_t PadFaceShown();
