// The music: a text score turned into a Standard MIDI File.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Reads the score; exits naming the line on any fault (an unknown word, a
// bar of the wrong length, parts of unequal length).
std::vector<uint8_t> BuildMidiFromScore(const std::string& path);
