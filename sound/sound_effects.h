// The sound effects: the sound device, its primary buffer, and the bank of
// ten buffers, each read whole from one WAV file at start-up.
#pragma once

#include "platform/win32/dsound.h"

extern DirectSound* SoundDevice;
extern DSBuffer* PrimarySoundBuffer;

extern DSBuffer* SeTest;          // "se\test.wav": an attack lands its first hit
extern DSBuffer* SeCoin;          // "se\coin01.wav": a coin is picked up
extern DSBuffer* SeFlowerAttack;  // "se\FlowerAttack.wav": a thrower throws
extern DSBuffer* SeExplode;       // "se\Explode.wav": an explosion starts
extern DSBuffer* SeOk;            // "se\OK.wav": skill menu, a skill that can be bought
extern DSBuffer* SeLvup;          // "se\Lvup.wav": a level bought, or a continue
extern DSBuffer* SeNo;            // "se\No.wav": skill menu, too dear or not offered
extern DSBuffer* SeHit;           // "se\Hit.wav": the character is hurt
extern DSBuffer* SeGara;          // "se\gara.wav": a gate cell rises
extern DSBuffer* SeTestSpare;     // "se\test.wav" again, never played

constexpr int SoundBankSize = 10;
// The bank in load order, with the buffers' names and how many times each
// was played (heard or not), for the state dump.
extern DSBuffer** const SoundBank[SoundBankSize];
extern const char* const SoundBankNames[SoundBankSize];
extern uint32_t SoundPlayCounts[SoundBankSize];

// The device at priority level, and the primary buffer in 44.1 kHz 16-bit stereo.
void CreateSoundObjects(HWND window);
// Fills `buffer` with a new buffer holding the file's whole data chunk, or
// leaves it null when the file cannot be read.
void LoadSound(DSBuffer** buffer, const char* fileName);
void LoadAllSounds();
// Plays the sound once from its beginning, cutting it short if it is still
// sounding. Takes the bank's own variable (SeCoin, ...), so that a play is
// counted even for a sound that failed to load.
void PlaySoundEffect(DSBuffer* const& buffer);
// The ten buffers in load order, then the device (and its primary buffer).
void ReleaseSoundObjects();
