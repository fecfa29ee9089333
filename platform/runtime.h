// How a run is set up from the command line, and what it leaves behind at
// exit: the screenshot, the recorded keys, the timedemo figures.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// The language of every text the game draws: --lang ja|en.
enum Language : uint8_t { LanguageJapanese, LanguageEnglish };
// "ja" or "en"; false for any other name.
bool LanguageFromName(const std::string& name, Language* out);

struct RunOptions {
  bool window = false;    // a window instead of full screen
  int scale = 0;          // window scale; 0 picks the largest that fits
  bool headless = false;  // no window, no audio, virtual clock
  std::string inputFile;  // keys from a file instead of the keyboard
  std::string recordFile;
  std::string screenshotFile;
  std::string dumpStateFile;
  int64_t frames = -1;  // end after this many flips; -1 never
  bool timedemo = false;
  Language language = LanguageJapanese;
  bool languageGiven = false;  // --lang: over the settings file's choice
  bool fullscreen = false;  // --fullscreen: over the settings file's choice
  std::string dataFolder;   // --data: where the game data is
  bool help = false;        // --help: print the usage and end
  bool version = false;     // --version: print the version and end
};

// A headless run from an input file with no --frames ends this many flips
// after the file's last line, so a scripted run never runs for ever.
constexpr int64_t kInputTailFlips = 300;

// One line of an input file: from the moment `flip` flips have been made,
// exactly these virtual keys are down.
struct InputLine {
  uint32_t flip;
  std::vector<uint8_t> keys;
};

// Reads the command line. On a bad option or value, or an input file that
// cannot be read, returns false with one line saying what is wrong.
bool ParseRunOptions(int argc, char** argv, RunOptions* out, std::string* error);
// --help: every option, one line each, and the controls.
std::string UsageText();
// "twinworlds 1.0.0"
std::string VersionLine();

// Parses the text of an input file; the error names the line.
bool ParseInputText(const std::string& text, std::vector<InputLine>* out, std::string* error);
bool LoadInputFile(const std::string& path, std::vector<InputLine>* out, std::string* error);
// The name of a virtual key in input files ("RETURN", "Z"), or null.
const char* KeyName(int virtualKey);
int KeyFromName(const std::string& name);

// Opens the backend the options ask for and takes the first key sample.
// Returns false (with one line on stderr) when it cannot.
bool StartPlatform(const RunOptions& options);
// Writes what the options ask for at exit and closes the backend.
void FinishPlatform();
const RunOptions& CurrentRunOptions();

uint32_t FlipCount();

// Hooks for the game and for test tools, all optional. The quit observer
// runs once when the end is asked for from outside (window closed, --frames
// reached, a signal), before anything else happens. The key source replaces
// the keyboard and the input file. The flip observer sees every flip once
// the keys of that flip are sampled.
void SetQuitObserver(void (*observer)());
void SetKeySource(void (*source)(uint32_t flip, uint8_t* down));
void SetFlipObserver(void (*observer)(uint32_t flip));

// Writes a file whole or not at all: to a temporary name beside it, then
// renamed over the target. False (and nothing left behind) on failure.
bool WriteFileAtomically(const std::string& path, const std::string& bytes);

// The picture last shown, as 640 x 480 RGB bytes through the palette in force.
std::vector<uint8_t> ShownPictureRgb();
bool WritePng(const std::string& path, const uint8_t* rgb, int width, int height, std::string* error);
