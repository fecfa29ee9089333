// The run as a whole: options, the flip count, the picture shown, and what is
// written at exit.
#include "platform/runtime.h"

#include <sys/resource.h>
#include <sys/stat.h>

#include <csignal>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <string>

#include "platform/audio_mixer.h"
#include "platform/data_folder.h"
#include "platform/internal.h"
#include "platform/settings.h"

#ifndef TWINWORLDS_VERSION
#define TWINWORLDS_VERSION "0"
#endif

const Backend* ActiveBackend = nullptr;

namespace {

RunOptions Options;
uint32_t Flips = 0;
DDSurface* Primary = nullptr;

// What the display shows: the primary surface while it exists, afterwards
// the copy made when it was released.
std::vector<uint8_t> LastShown(kScreenWidth * kScreenHeight, 0);
PALETTEENTRY ShownPalette[256];

// Nearest-colour lookups are cached per palette.
uint32_t CachedColour[64];
uint8_t CachedIndex[64];
bool CacheValid[64];

using Clock = std::chrono::steady_clock;
Clock::time_point RunStart, LastFlipTime, LastPresent;
double FirstFlipMs = -1;
std::vector<float> FlipGapsMs;

// The end asked for from outside: from then on no flip is counted or shown,
// so the run stands where it was asked to end.
bool EndAsked = false;
void (*QuitObserver)() = nullptr;
void (*FlipObserver)(uint32_t) = nullptr;
// The picture at the moment the end was asked for, for --screenshot.
std::vector<uint8_t> EndPicture;

volatile std::sig_atomic_t EndSignal = 0;
void OnEndSignal(int signal) { EndSignal = signal; }

void ClearColourCache() { std::memset(CacheValid, 0, sizeof CacheValid); }

// Without a vertical blank to wait for, keep to the pace of a 60 Hz display,
// which is what the game's own loops expect of a flip.
void PresentPaced(DDSurface* primary) {
  if (!ActiveBackend) return;
  if (ActiveBackend->delay) {
    const auto elapsed = std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - LastPresent).count();
    if (elapsed < 1000 / 60) ActiveBackend->delay(static_cast<uint32_t>(1000 / 60 - elapsed));
  }
  ActiveBackend->present(primary->pixels.data(), primary->pitch, PaletteInForce());
  LastPresent = Clock::now();
}

bool ParseCount(const char* text, int64_t lo, int64_t hi, int64_t* out) {
  if (!text || !*text) return false;
  char* end = nullptr;
  errno = 0;
  long long v = std::strtoll(text, &end, 10);
  if (errno || *end || v < lo || v > hi) return false;
  *out = v;
  return true;
}

}  // namespace

const RunOptions& CurrentRunOptions() { return Options; }
uint32_t FlipCount() { return Flips; }

bool LanguageFromName(const std::string& name, Language* out) {
  if (name == "ja") *out = LanguageJapanese;
  else if (name == "en") *out = LanguageEnglish;
  else return false;
  return true;
}

static bool ParseArgumentsAsGiven(int argc, char** argv, RunOptions* out, std::string* error) {
  RunOptions o;
  bool scaleGiven = false;
  for (int i = 1; i < argc; i++) {
    const std::string arg = argv[i];
    auto value = [&](std::string* into) {
      if (i + 1 >= argc || argv[i + 1][0] == '\0') {
        *error = arg + ": needs a value";
        return false;
      }
      *into = argv[++i];
      return true;
    };
    if (arg == "--window") {
      o.window = true;
    } else if (arg == "--headless") {
      o.headless = true;
    } else if (arg == "--timedemo") {
      o.timedemo = true;
    } else if (arg == "--fullscreen") {
      o.fullscreen = true;
    } else if (arg == "--help" || arg == "-h") {
      o.help = true;
    } else if (arg == "--version") {
      o.version = true;
    } else if (arg == "--data") {
      if (!value(&o.dataFolder)) return false;
    } else if (arg == "--scale") {
      std::string v;
      int64_t n;
      if (!value(&v)) return false;
      if (!ParseCount(v.c_str(), 1, 16, &n)) {
        *error = "--scale: '" + v + "' is not a whole number from 1 to 16";
        return false;
      }
      o.scale = static_cast<int>(n);
      scaleGiven = true;
    } else if (arg == "--frames") {
      std::string v;
      if (!value(&v)) return false;
      if (!ParseCount(v.c_str(), 0, 2000000000, &o.frames)) {
        *error = "--frames: '" + v + "' is not a whole number of flips";
        return false;
      }
    } else if (arg == "--input") {
      if (!value(&o.inputFile)) return false;
    } else if (arg == "--record") {
      if (!value(&o.recordFile)) return false;
    } else if (arg == "--screenshot") {
      if (!value(&o.screenshotFile)) return false;
    } else if (arg == "--dump-state") {
      if (!value(&o.dumpStateFile)) return false;
    } else if (arg == "--lang") {
      std::string v;
      if (!value(&v)) return false;
      o.languageGiven = true;
      if (!LanguageFromName(v, &o.language)) {
        *error = "--lang: '" + v + "' is not ja or en";
        return false;
      }
    } else {
      *error = arg + ": unknown option";
      return false;
    }
  }
  if (scaleGiven && !o.window) {
    *error = "--scale: only goes with --window";
    return false;
  }
  if (o.window && o.headless) {
    *error = "--window: cannot go with --headless";
    return false;
  }
  if (o.fullscreen && (o.window || o.headless)) {
    *error = "--fullscreen: cannot go with --window or --headless";
    return false;
  }
  *out = o;
  return true;
}

bool ParseRunOptions(int argc, char** argv, RunOptions* out, std::string* error) {
  if (ParseArgumentsAsGiven(argc, argv, out, error)) return true;
  // The message quotes what was given: a line break in it would make two lines.
  for (char& c : *error)
    if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) c = '?';
  return false;
}

void SetQuitObserver(void (*observer)()) { QuitObserver = observer; }
void SetFlipObserver(void (*observer)(uint32_t)) { FlipObserver = observer; }

void PollEndSignal() {
  static bool said = false;
  if (EndSignal == 0 || said) return;
  said = true;
  std::fprintf(stderr, "twinworlds: %s: ending the game\n", EndSignal == SIGINT ? "SIGINT" : "SIGTERM");
  RequestQuitFromOutside();
}

void OnQuitRequested() {
  EndAsked = true;
  if (!Options.screenshotFile.empty()) EndPicture = ShownPictureRgb();
  if (QuitObserver) QuitObserver();
}

std::string UsageText() {
  return "usage: twinworlds [options]\n"
         "  --window             play in a window (default: full screen, or as the settings file says)\n"
         "  --fullscreen         play full screen whatever the settings file says\n"
         "  --scale N            with --window: N times 640 x 480 (default: the largest that fits; larger is\n"
         "                       brought down to that, with a line on stderr)\n"
         "  --data DIR           read the game data from DIR (also $TWINWORLDS_DATA)\n"
         "  --lang ja|en         the language of the game's text (default: Japanese, or as the settings file says)\n"
         "  --headless           no window and no sound; a virtual clock, so runs are quick and identical\n"
         "  --input FILE         keys from FILE instead of the keyboard; headless, the run ends 300 flips\n"
         "                       after its last line unless --frames says otherwise\n"
         "  --record FILE        write the keys of every flip to FILE, in the same format\n"
         "  --frames N           end through the normal shutdown after the N-th flip\n"
         "  --screenshot FILE    at exit, the last picture shown as a 640 x 480 PNG\n"
         "  --dump-state FILE    at exit, the game state as JSON\n"
         "  --timedemo           at exit, print the speed figures\n"
         "  --help               print this and end\n"
         "  --version            print the version and end\n"
         "controls (keyboard / pad; change them in " +
         (SettingsFilePath().empty() ? std::string("~/.config/twinworlds/twinworlds.conf") : SettingsFilePath()) +
         "):\n"
         "  Left Right           run                        d-pad, left stick\n"
         "  Up/Down + X          upward slash / downward thrust, once learned\n"
         "  Z                    jump; while clinging to a wall, jump off it   A\n"
         "  X                    vertical slash             X\n"
         "  C                    horizontal slash           B\n"
         "  Space                switch worlds              Y, shoulders\n"
         "  Ctrl                 skill menu                 Back\n"
         "  Backspace            while held, enemies may appear\n"
         "  Enter                start, choose, continue    Start\n"
         "  Y N                  answer questions           A B\n"
         "  Escape               pause menu (F1 back, F2 quit)   Back+Start\n"
         "  Alt+Enter            full screen or a window\n"
         "  F12                  save a screenshot in ~/Pictures\n";
}

std::string VersionLine() { return std::string("twinworlds ") + TWINWORLDS_VERSION; }

bool StartPlatform(const RunOptions& options) {
  Options = options;
  std::vector<InputLine> input;
  if (!options.inputFile.empty()) {
    std::string why;
    if (!LoadInputFile(options.inputFile, &input, &why)) {
      std::fprintf(stderr, "twinworlds: --input %s: %s\n", options.inputFile.c_str(), why.c_str());
      return false;
    }
    // Recording over the script being played would destroy it.
    struct stat in{}, rec{};
    if (!options.recordFile.empty() && stat(options.inputFile.c_str(), &in) == 0 &&
        stat(options.recordFile.c_str(), &rec) == 0 && in.st_dev == rec.st_dev && in.st_ino == rec.st_ino) {
      std::fprintf(stderr, "twinworlds: --record %s: is the file given to --input\n", options.recordFile.c_str());
      return false;
    }
    if (options.headless && options.frames < 0)
      Options.frames = (input.empty() ? 0 : int64_t{input.back().flip}) + kInputTailFlips;
  }
  // Ctrl+C and a logout end the game through its normal shutdown; a second
  // signal is left to its default, for a game that no longer answers.
  struct sigaction action{};
  action.sa_handler = OnEndSignal;
  action.sa_flags = SA_RESETHAND;
  sigemptyset(&action.sa_mask);
  sigaction(SIGINT, &action, nullptr);
  sigaction(SIGTERM, &action, nullptr);
  EndSignal = 0;
  EndAsked = false;
  EndPicture.clear();
  // A headless run is a script: the player's settings never change it. The
  // page has no settings file: it keeps the defaults.
#ifndef TWINWORLDS_WEB
  if (!options.headless) {
    const GameSettings settings = LoadSettings(SettingsFilePath());
    SetCurrentSettings(settings);
    if (!options.window && !options.fullscreen && !settings.fullscreen) Options.window = true;
    if (Options.window && options.scale == 0) Options.scale = settings.scale;
    SetMixVolumes(settings.musicVolume, settings.effectsVolume);
    if (!options.languageGiven) LanguageFromName(settings.language, &Options.language);
  }
#endif
  const DataSearch data = FindDataFolder(options.dataFolder, ExecutableFolder());
  if (!data.found) std::fprintf(stderr, "%s\n", DataNotFoundLine(data).c_str());
  SetDataFolder(data.folder);
  SetDataFolderMissing(!data.found);
  Flips = 0;
  ClearColourCache();
  RunStart = LastFlipTime = LastPresent = Clock::now();
  StartKeys(options, input);
  return true;
}

void OnFlip(DDSurface* primary) {
  Primary = primary;
  if (EndAsked) return;
  Flips++;
  const Clock::time_point now = Clock::now();
  if (Flips == 1) FirstFlipMs = std::chrono::duration<double, std::milli>(now - RunStart).count();
  else if (Options.timedemo) FlipGapsMs.push_back(std::chrono::duration<float, std::milli>(now - LastFlipTime).count());
  LastFlipTime = now;
  if (ActiveBackend) {
    PresentPaced(primary);
    ActiveBackend->pumpEvents();
  }
  SampleKeys(Flips);
  if (FlipObserver) FlipObserver(Flips);
  PollEndSignal();
  if (Options.frames >= 0 && Flips >= Options.frames) RequestQuitFromOutside();
}

void OnPaletteChange(DDSurface* primary) {
  Primary = primary;
  ClearColourCache();
  // A new palette shows at once, over the picture already shown.
  PresentPaced(primary);
}

void OnPrimaryReleased(DDSurface* primary) {
  if (primary != Primary && Primary) return;
  for (int y = 0; y < kScreenHeight; y++)
    std::memcpy(&LastShown[static_cast<size_t>(y) * kScreenWidth], &primary->pixels[static_cast<size_t>(y) * primary->pitch],
                kScreenWidth);
  std::memcpy(ShownPalette, PaletteInForce(), sizeof ShownPalette);
  Primary = nullptr;
}

const PALETTEENTRY* PaletteInForce() {
  static const PALETTEENTRY black[256] = {};
  if (Primary && Primary->palette) return Primary->palette->entries;
  if (!Primary) return ShownPalette;
  return black;
}

uint8_t NearestPaletteIndex(COLORREF colour) {
  const int slot = static_cast<int>((colour * 2654435761u) >> 26);
  if (CacheValid[slot] && CachedColour[slot] == colour) return CachedIndex[slot];
  const PALETTEENTRY* p = PaletteInForce();
  const int r = GetRValue(colour), g = GetGValue(colour), b = GetBValue(colour);
  int best = 0, bestDistance = 1 << 30;
  for (int i = 0; i < 256; i++) {
    const int dr = p[i].peRed - r, dg = p[i].peGreen - g, db = p[i].peBlue - b;
    const int d = dr * dr + dg * dg + db * db;
    if (d < bestDistance) {
      bestDistance = d;
      best = i;
    }
  }
  CacheValid[slot] = true;
  CachedColour[slot] = colour;
  CachedIndex[slot] = static_cast<uint8_t>(best);
  return static_cast<uint8_t>(best);
}

std::vector<uint8_t> ShownPictureRgb() {
  std::vector<uint8_t> rgb(static_cast<size_t>(kScreenWidth) * kScreenHeight * 3);
  const PALETTEENTRY* pal = PaletteInForce();
  for (int y = 0; y < kScreenHeight; y++) {
    for (int x = 0; x < kScreenWidth; x++) {
      const uint8_t i = Primary ? Primary->pixels[static_cast<size_t>(y) * Primary->pitch + x]
                                : LastShown[static_cast<size_t>(y) * kScreenWidth + x];
      uint8_t* o = &rgb[(static_cast<size_t>(y) * kScreenWidth + x) * 3];
      o[0] = pal[i].peRed;
      o[1] = pal[i].peGreen;
      o[2] = pal[i].peBlue;
    }
  }
  return rgb;
}

void FinishPlatform() {
  FinishKeys();
  if (!Options.screenshotFile.empty()) {
    std::string why;
    const std::vector<uint8_t> rgb = EndPicture.empty() ? ShownPictureRgb() : EndPicture;
    if (!WritePng(Options.screenshotFile, rgb.data(), kScreenWidth, kScreenHeight, &why))
      std::fprintf(stderr, "twinworlds: --screenshot %s: %s\n", Options.screenshotFile.c_str(), why.c_str());
  }
  if (Options.timedemo) {
    const double seconds = std::chrono::duration<double>(Clock::now() - RunStart).count();
    std::vector<float> gaps = FlipGapsMs;
    std::sort(gaps.begin(), gaps.end());
    const double median = gaps.empty() ? 0 : gaps[gaps.size() / 2];
    const double worst = gaps.empty() ? 0 : gaps.back();
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    std::printf("timedemo: %u flips in %.3f s, %.1f flips per second\n", Flips, seconds,
                seconds > 0 ? Flips / seconds : 0.0);
    std::printf("timedemo: start-up to first flip %.2f ms; flip to flip median %.4f ms, worst %.4f ms\n",
                FirstFlipMs, median, worst);
    std::printf("timedemo: peak memory %.1f MiB\n", usage.ru_maxrss / 1024.0);
  }
  if (ActiveBackend) ActiveBackend->close();
  ActiveBackend = nullptr;
}
