// Game pads through SDL's game-controller API: any number, plugged in or
// out at any time, read into the game's keys through the bindings.
#pragma once

#include <SDL.h>

#include <cstdint>

#include "platform/input/bindings.h"

// Starts the pads already plugged in; mappings come from SDL's own
// database, $SDL_GAMECONTROLLERCONFIG and gamecontrollerdb.txt in the
// settings folder.
void OpenPads(const char* mappingFile);
void ClosePads();
// Pads plugged in or out, buttons pressed between two samples.
void HandlePadEvent(const SDL_Event& e);
// Sets the game keys every pad holds, or pressed since the last sample.
void SamplePads(const KeyBindings& bindings, uint8_t* down);
