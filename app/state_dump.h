// The game state as JSON, for tests and for players who compare runs.
#pragma once

#include <string>

// Takes the state as it stands; WinMain calls it as the game ends, before
// anything is released.
void CaptureGameState();
bool WriteGameState(const std::string& path);
