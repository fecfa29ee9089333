// How a run is set up from the command line: the options, their usage
// text and the version line.
#pragma once

#include <cstdint>
#include <string>

#include "platform/input/run_link.h"
#include "platform/settings/settings.h"

struct RunOptions {
  bool window = false;    // a window instead of full screen
  int scale = 0;          // window scale; 0 picks the largest that fits
  bool scaleGiven = false;  // --scale: over the settings file and the window's last size
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
  std::string shareFile;    // --share: print the link of this recorded run
  std::string shareBase = DefaultShareBase;  // --share-base: where the page is
  std::string sharePack;    // --share-pack: print the link of this pack (a folder or a name)
  std::string shareRun;     // --run: with --share-pack, the input file that clears it
  std::string clearedFile;  // --cleared: at exit, whether and when the closing screen was reached
  bool thenPlay = false;    // --then-play: after the input file, the keyboard plays on
  std::string soundFont;    // --soundfont: over the settings file's choice
  std::string pack;         // --pack: a pack's folder or name, for this run, over the settings file's
  bool edit = false;        // --edit: the stage editor instead of the title
  std::string editFolder;   // --edit DIR: the pack folder it edits ("" when not given)
  bool help = false;        // --help: print the usage and end
  bool version = false;     // --version: print the version and end
  std::string notice;       // one line for stderr as the run starts: which of two options wins
};

// A headless run from an input file with no --frames ends this many flips
// after the file's last line, so a scripted run never runs for ever.
constexpr int64_t InputTailFlips = 300;

// Reads the command line. On a bad option or value, returns false with one
// line saying what is wrong.
bool ParseRunOptions(int argc, char** argv, RunOptions* out, std::string* error);
// --help: every option, one line each, and the controls.
std::string UsageText();
// "twinworlds 1.0.0"
std::string VersionLine();
