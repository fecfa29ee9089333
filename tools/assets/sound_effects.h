// The game's sound effects, made by synthesis, and the WAV files they go in.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct SoundFile {
  const char* file;  // as the game names it under se/
  std::vector<uint8_t> bytes;
};

// All nine effects, in the order of the game's sound bank.
std::vector<SoundFile> MakeSoundEffects();

// A RIFF WAVE file of mono PCM samples (-1..1), 8 or 16 bits a sample.
std::vector<uint8_t> EncodeWav(const std::vector<double>& samples, int rate, int bits);
