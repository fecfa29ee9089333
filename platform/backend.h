// What a backend provides. A run has one backend, chosen when the window
// opens: the headless one (backends/headless/, in every build) or the one
// the build was made with (backends/sdl/ or backends/browser/). Most of it
// is the table of functions below; what differs by build alone (PCM
// conversion, the music synthesizer, the PNG writer, the settings file, the
// names of keys and pad buttons) is linked from the chosen backend's folder.
// Only the standard library and the Windows types below this.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/windows_types.h"

// What the game asks of the window: full screen or a window of a scale.
struct WindowRequest {
  bool window;   // a window instead of full screen
  int scale;     // window scale; 0 picks the largest that fits
  bool restore;  // the window's size and place as the settings file keeps them, over the scale
};

// The pointer over the game's picture at a sample: its place in the 640 x
// 480 picture (the window's scale and letterbox taken off), and the wheel's
// notches since the last sample, positive away from the player as Windows
// counts them. Its buttons are keys of the sample (VK_LBUTTON, VK_RBUTTON,
// VK_MBUTTON); a finger on a touch screen is the left button.
struct PointerSample {
  bool inside;  // over the picture: x and y say where
  int16_t x, y;
  int8_t wheel;
};

struct Backend {
  bool (*open)(const WindowRequest& request);
  void (*close)();
  // Shows a picture through a palette (shared code keeps the pace).
  void (*present)(const uint8_t* pixels, int pitch, const PALETTEENTRY* palette);
  // Handles pending window-system events; true when the player closed the
  // window, or the window system destroyed it.
  bool (*pumpEvents)();
  uint32_t (*ticks)();
  // Set down[vk] for the game keys the live keyboard holds, or pressed since
  // the last call, through the player's bindings; then the same for pads.
  void (*sampleKeyboard)(uint8_t* down);
  void (*samplePads)(uint8_t* down);
  // The pointer, and down[] of its buttons held or pressed since the last
  // call. Only the stage editor reads it (the sample is empty elsewhere);
  // a window shows the system's cursor while it is up, and hides it
  // otherwise. Null: no pointer.
  void (*samplePointer)(PointerSample* pointer, uint8_t* down);
  // Shows the box until the player answers, or `endAsked` says the run is
  // to end (a signal); true when the window was closed meanwhile. A window
  // no one can see (no display) shows none.
  bool (*messageBox)(const char* utf8Caption, const char* utf8Text, bool (*endAsked)());
  // The audio device: 44100 Hz, 16-bit stereo, `mix` called from the
  // device's own thread for each block. False when there is none (said once
  // on stderr when a device was expected).
  bool (*openAudio)(void (*mix)(int16_t* out, int frames));
  void (*closeAudio)();
  // Keep the device's thread out of shared state while it is held.
  void (*lockAudio)();
  void (*unlockAudio)();
  // Gives the processor away for about `ms` milliseconds: the one place a
  // backend waits (the browser's page runs meanwhile). Null: never wait.
  void (*delay)(uint32_t ms);
  // Goes full screen, or to a window of the scale (0 the largest that
  // fits), while the game runs. Null: the window stays as it opened.
  void (*applyWindow)(const WindowRequest& request);
  // True while full screen: Alt+Enter switches without the game. Null:
  // as the window opened.
  bool (*fullScreen)();
  // The largest whole scale of a window that fits the display. Null: no
  // display to fit.
  int (*largestScale)();
  // A window that loses the focus (or is minimised) in a live game shows
  // Escape at the next keyboard sample, so the pause menu opens and the
  // recording holds it, and holds its sound from then on; this lets the
  // sound go once the game resumes. Null: focus is never followed.
  void (*releaseHeldAudio)();
  // A link made for the player (the editor's share), handed where the
  // player can take it: the system's clipboard (1) or the page's share
  // panel (2); 0 when it could not be. Null: nowhere (it is on stdout).
  int (*handLink)(const char* link);
  // Files of a pack folder (the stage editor's) were written or taken
  // away, or it was opened to be edited: the page stores the packs folder
  // in the browser's storage, and offers the pack as a file. Null: they
  // are on disk.
  void (*filesWritten)(const char* folder);
};

// The backend of this run, from the window's opening to the run's end.
extern const Backend* ActiveBackend;

// The build's backend for a window, or for a headless run.
const Backend* ChooseBackend(bool headless);
// The headless backend (backends/headless/): no window, no sound, no keys.
extern const Backend HeadlessBackend;

// The virtual clock of headless runs: it moves one millisecond each time it
// is read, so a loop that waits for it never stalls and every run takes
// the same course.
void ResetVirtualClock();
uint32_t VirtualClockTicks();

// ---- Linked from the build's backend folder ----------------------------

// The format of PCM bytes: 8-bit unsigned or 16-bit signed little-endian.
struct PcmFormat {
  int rate;        // frames a second
  int channels;    // 1 or 2
  int bits;        // 8 or 16
  int blockAlign;  // bytes a frame
};
// Whole frames of PCM (`whole` bytes) as the mixer's frames, 44100 Hz
// interleaved stereo; empty when they cannot be converted.
std::vector<int16_t> ConvertPcm(const PcmFormat& format, const uint8_t* bytes, size_t whole);

// The music synthesizer, one for the process, made on first need.
// Loads the mixer's soundfont; false (said once on stderr) when it cannot.
bool LoadMusicSynth();
void UnloadMusicSynth();
// A new soundfont may be tried after one failed.
void ForgetMusicSynthFailure();
// Starts the MIDI file from its beginning; loops < 0 repeats for ever.
void StartMusicSynth(const std::vector<uint8_t>& midi, int loops);
void StopMusicSynth();
// Adds `frames` frames of the music into `mix`; called with the output locked.
void RenderMusic(int32_t* mix, int frames);

// Writes 8-bit RGB rows as a PNG file.
bool WritePng(const std::string& path, const uint8_t* rgb, int width, int height, std::string* error);

// The player's settings file; "" when the build keeps none (the browser).
std::string SettingsFilePath();
// The player's packs folder: $XDG_DATA_HOME/twinworlds/packs on the
// desktop; in the browser a fixed folder of its file system ("/packs"),
// where the page's own storage is mounted. "" when there is none.
std::string PlayerPacksFolder();

// Runs the game again in a process of its own, headless, with these
// arguments after the program's name, and waits for it (a link's run is
// replayed so: the game keeps global state, so a second run cannot share
// this process). Its words go nowhere. False with why when it could not
// run or ended by a signal; true whatever its exit status. The browser has
// none: its page starts a second game of its own.
bool RunGameProcess(const std::vector<std::string>& arguments, std::string* why);
// Whether RunGameProcess can run anything in this build.
bool CanRunGameProcess();

// The run cannot start (a bad input file, say): the line said on stderr,
// told where a player sees it (the browser's page); nothing more on the desktop.
void ReportStartFault(const std::string& line);

// The numbers of keys, pad buttons and stick axes by the names that
// bindings use (SDL's: "Left Ctrl", "dpleft", "leftx"); unknown: 0 for a
// key, -1 for a button or an axis.
int32_t KeyCodeFromName(const char* name);
int PadButtonFromName(const char* name);
int PadAxisFromName(const char* name);
