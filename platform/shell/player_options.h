// SPDX-License-Identifier: MIT
// What the options screen changes, through the settings of the run: the
// bindings, the volumes and the window; and the bound keys that the screens
// name in their prompts.
#pragma once

#include <string>

#include "platform/backend.h"
#include "platform/input/key_sampler.h"  // SetInputScreen, PadLastUsed, TouchLastUsed
#include "platform/input/pad_names.h"    // the pad's buttons by name
#include "platform/input/raw_keys.h"    // the key pressed while one is chosen
#include "platform/settings/settings.h"

// The first keyboard key or pad item bound to a game key ("Left Ctrl",
// "pad:back"); "" when it has none of that kind.
std::string BoundItem(const GameSettings& settings, int action, bool pad);
// True when the game key is bound to its first default item of that kind.
bool BoundAsDefault(const GameSettings& settings, int action, bool pad);

enum RebindResult : uint8_t { RebindRefused, RebindSet, RebindSwapped };
// Binds `item` (a key's name, or "pad:" and a button) to the game key as its
// only one of that kind. A game key that heard the same key or button on
// the same screen gets the action's old one instead; when there is none
// and it would be left with nothing of that kind, the change is refused, so
// every game key stays playable.
RebindResult Rebind(GameSettings* settings, int action, const std::string& item);
void RestoreDefaultBindings(GameSettings* settings);

// The settings of the run from now on: the bindings the backends read, the
// volumes (heard at once), full screen or window and its scale.
void ApplySettings(const GameSettings& settings);
// Full screen or a window, and its scale, as the run shows it now (Alt+Enter
// included).
WindowRequest ShownWindow();
// The largest whole scale of a window that fits the display; 0 when there
// is no display to fit (a headless run).
int LargestWindowScale();
// Writes the settings file with these values, keeping the player's comments
// and lines the game does not know. A headless run, or one played from an
// input file, writes nothing; false when it could not be written (said on
// stderr).
bool SaveSettings(const GameSettings& settings);
