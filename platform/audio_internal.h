// What the sound buffers, the music and the backends share about the audio
// output; the game never includes this.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/dsound.h"

// A sound buffer. Its bytes stay in its own format, for Lock; what is
// mixed is their copy in the output's format, made when they are unlocked.
struct DSBuffer {
  int refs;
  DirectSound* owner;
  bool primary;
  DWORD flags;
  std::vector<uint8_t> format;  // the WAVEFORMATEX and its extra bytes
  std::vector<uint8_t> bytes;
  int lockCount;
  std::vector<int16_t> frames;  // output frames, interleaved stereo
  // Shared with the audio callback: touched only while the output is locked.
  size_t position;  // in output frames
  bool playing;
  bool looping;
};

struct DirectSound {
  int refs;
  bool holdsOutput;
  bool primaryMade;
  std::vector<DSBuffer*> buffers;
};

// The output is opened by the first object that needs it (the music's
// performance or the sound device) and closed after the last lets it go.
// Returns false when there is none: headless, no device, or the device
// failed to open (said once on stderr).
bool AcquireAudioOutput();
void ReleaseAudioOutput();
// True while a device or offline output exists.
bool AudioOutputExists();
// Keeps the audio callback out while shared state changes.
void LockAudio();
void UnlockAudio();

// Whole frames of playable PCM in a buffer's format (`whole` bytes) as
// output frames; empty when they cannot be converted.
std::vector<int16_t> ConvertPcm(const WAVEFORMATEX& f, const uint8_t* bytes, size_t whole);

// Buffers that may sound; changed only while the output is locked.
void AddVoice(DSBuffer* buffer);
void RemoveVoice(DSBuffer* buffer);

// Null when the bytes are a Standard MIDI File that plays through in time:
// whole tracks, at least one note, a length above 0 ticks and no tempo of 0.
// Otherwise why it is refused.
const char* CheckStandardMidi(const uint8_t* bytes, size_t size);

// The music synthesizer, one for the process, made on first need.
// Loads the soundfont; false (said once on stderr) when it cannot.
bool LoadMusicSynth();
void UnloadMusicSynth();
// A new soundfont may be tried after one failed.
void ForgetMusicSynthFailure();
// Starts the MIDI file from its beginning; loops < 0 repeats for ever.
void StartMusicSynth(const std::vector<uint8_t>& midi, int loops);
void StopMusicSynth();
bool MusicSynthPlaying();
// Voices the synthesizer is sounding now.
int MusicVoices();
// Adds `frames` frames of the music into `mix`; called with the output locked.
void RenderMusic(int32_t* mix, int frames);
