// The run as a whole, as app/ and the tools start and end it: the platform
// opened from the options and closed at exit (the screenshot, the recorded
// keys, the timedemo figures), the flip count, the hooks for test tools,
// and the steps of each flip that belong to the run rather than to the
// display (counting, timing, observing, signals, the --frames limit).
#pragma once

#include <cstdint>

#include "platform/files/whole_file.h"  // what the run leaves is written whole: WriteFileAtomically
#include "platform/shell/run_options.h"

// Reads the input file, the settings and the data folder, and readies the
// key sampler. Returns false (with one line on stderr) when it cannot.
bool StartPlatform(const RunOptions& options);
// Writes what the options ask for at exit and closes the backend.
void FinishPlatform();
// --share: prints the link of the run in options.shareFile; the exit code.
int PrintRunLink(const RunOptions& options);
const RunOptions& CurrentRunOptions();

uint32_t FlipCount();

// Hooks for the game and for test tools, all optional. The quit observer
// runs once when the end is asked for from outside (window closed, --frames
// reached, a signal), before anything else happens. The flip observer sees
// every flip once the keys of that flip are sampled. (The key source, which
// replaces the keyboard and the input file, is the key sampler's:
// platform/input/key_sampler.h.)
void SetQuitObserver(void (*observer)());
void SetFlipObserver(void (*observer)(uint32_t flip));

// ---- The steps of a flip, in the order Flip takes them -----------------

// True once the end was asked for from outside: no flip counts after it.
bool RunEndAsked();
// Counts a flip; returns the count.
uint32_t CountFlip();
// With --timedemo, the time since the last flip joins the figures.
void NoteFlipGap(uint32_t flip);
void ObserveFlip(uint32_t flip);
// True once, for a SIGINT or SIGTERM received since the last call (said in
// one line on stderr).
bool EndSignalReceived();
// True when this flip is the last that --frames allows.
bool FlipLimitReached(uint32_t flip);
// The end asked for from outside: the state and picture are taken as the
// game stands, before shutdown changes anything.
void OnQuitRequested();
