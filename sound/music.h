// The background music: one Standard MIDI File, "Sound\yamiji.mid", loaded
// at start-up, started by the new game, repeating until the program ends.
#pragma once

#include "platform/win32/dmusic.h"

extern DirectMusic* MusicDirectMusic;  // what the performance's Init hands back; kept, not used
extern DMPerformance* MusicPerformance;
extern DMLoader* MusicLoader;
extern DMSegment* MusicSegment;  // null when the file was not loaded

// COM, the performance with the default port, and the loader.
void CreateMusicObjects(HWND window);
// Fills `segment` from the file, played as a Standard MIDI File on the
// performance with its instruments downloaded; leaves it null on failure.
void LoadMusic(DMSegment** segment, const char* fileName);
// "Sound\yamiji.mid" into MusicSegment, set to repeat without end.
void LoadGameMusic();
// The new game starts the music, on the next beat.
void StartMusic();
// The stage editor's play-test is over: the music stops.
void StopMusic();
// Stops and unloads the music, closes the performance down, and lets the
// performance and the loader go. CoUninitialize comes after the sounds.
void ReleaseMusicObjects();
