// Reads the sound effects' RIFF WAVE files through the multimedia file
// functions: checks the RIFF structure, takes the format chunk, and copies
// the data chunk out of the file's read buffer.
#pragma once

#include "platform/win32/dsound.h"
#include "platform/win32/mmio.h"

// One open WAV file, alive during one LoadSound.
struct WaveReader {
  WAVEFORMATEX* format;  // 18 bytes and any extra bytes; owned; null until read
  HMMIO file;            // null until opened
  MMCKINFO dataChunk;    // cksize: data bytes not yet read
  MMCKINFO riffChunk;
};

// Opens the file, reads its format and finds its data. S_OK or E_FAIL.
HRESULT OpenWave(WaveReader* reader, const char* fileName);
// The RIFF chunk must be "WAVE"; its "fmt " chunk at least 16 bytes long.
HRESULT ReadWaveFormat(HMMIO file, MMCKINFO* riffChunk, WAVEFORMATEX** format);
// Finds "data", searching from the first byte after the form type.
HRESULT SeekWaveData(WaveReader* reader);
// Copies up to `count` bytes of what is left of the data chunk.
HRESULT ReadWaveData(WaveReader* reader, UINT count, BYTE* destination, UINT* countRead);
void CloseWave(WaveReader* reader);
