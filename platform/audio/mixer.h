// The one audio output that the sound buffers and the music share: 44100
// frames a second of 16-bit stereo, mixed in software. Each sound buffer
// holds a voice; the device's callback calls MixAudio, and tests and
// benchmarks call it themselves, with no device.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

constexpr int AudioRate = 44100;
constexpr int AudioChannels = 2;
// Frames the device asks for at a time: 512 frames are 11.6 ms, so a sound
// started between two callbacks is heard within about two of them.
constexpr int AudioCallbackFrames = 512;

// What the mixer plays of one sound buffer. Shared with the audio callback:
// touched only while the output is locked.
struct Voice {
  std::vector<int16_t> frames;  // output frames, interleaved stereo
  size_t position;              // in output frames
  bool playing;
  bool looping;
};

// Mixes the next `frames` frames of every playing voice and of the music
// into `out` (interleaved left, right), moving them on by as much. Sums that
// go past 16 bits are held at the limit.
void MixAudio(int16_t* out, int frames);

// Voices that may sound; changed only while the output is locked.
void AddVoice(Voice* voice);
void RemoveVoice(Voice* voice);

// The output is opened by the first object that needs it (the music's
// performance or the sound device) and closed after the last lets it go.
// Returns false when there is none: headless, no device, or the device
// failed to open (said once on stderr; that backend is not asked again).
bool AcquireAudioOutput();
void ReleaseAudioOutput();
// True while the output is open.
bool AudioOutputExists();
// Keeps the audio callback out while shared state changes.
void LockAudio();
void UnlockAudio();

// The music and the sound effects, each 0 to 100 percent of full volume.
void SetMixVolumes(int music, int effects);

// The General MIDI soundfont the music is played with: the one named (the
// settings file's soundfont, --soundfont), else the first present of
// Debian's default-GM.sf2 alternative and TimGM6mb.
constexpr const char* SoundFontSearch[] = {"/usr/share/sounds/sf2/default-GM.sf2", "/usr/share/sounds/sf2/TimGM6mb.sf2"};
const std::string& SoundFontPath();
// "" goes back to the search.
void SetSoundFontPath(const std::string& path);
