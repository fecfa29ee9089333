// The one audio output that the sound buffers and the music share: 44100
// frames a second of 16-bit stereo, mixed in software. The device's callback
// calls MixAudio; tests and benchmarks call it themselves, with no device.
#pragma once

#include <cstdint>
#include <string>

constexpr int AudioRate = 44100;
constexpr int AudioChannels = 2;
// Frames the device asks for at a time: 512 frames are 11.6 ms, so a sound
// started between two callbacks is heard within about two of them.
constexpr int AudioCallbackFrames = 512;

// Mixes the next `frames` frames of every sounding buffer and of the music
// into `out` (interleaved left, right), moving them on by as much. Sums that
// go past 16 bits are held at the limit.
void MixAudio(int16_t* out, int frames);

// With offline audio on, sounds and music are made exactly as for a device
// (buffers converted, the soundfont loaded) but nothing is opened: they
// advance only when MixAudio is called. Set before any sound object is made.
void SetOfflineAudio(bool offline);

// The music and the sound effects, each 0 to 100 percent of full volume.
void SetMixVolumes(int music, int effects);

// The General MIDI soundfont the music is played with.
const std::string& SoundFontPath();
void SetSoundFontPath(const std::string& path);
