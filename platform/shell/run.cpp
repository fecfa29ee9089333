// The run as a whole: its start and end, the flip count and the run's own
// steps of each flip, and what is written at exit.
#include "platform/shell/run.h"

#include <sys/resource.h>
#include <sys/stat.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <string>
#include <vector>

#include "platform/audio/mixer.h"
#include "platform/backend.h"
#include "platform/files/data_folder.h"
#include "platform/files/whole_file.h"
#include "platform/input/key_sampler.h"
#include "platform/input/pack_link.h"
#include "platform/input/run_link.h"
#include "platform/picture/font.h"
#include "platform/picture/shown_picture.h"
#include "platform/settings/settings.h"
#include "platform/settings/settings_file_update.h"
#include "platform/shell/pack_choice.h"

namespace {

RunOptions Options;
uint32_t Flips = 0;

using Clock = std::chrono::steady_clock;
Clock::time_point RunStart, LastFlipTime;
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

// A link is thousands of characters: a line names it by what it is.
std::string InputNamed(const std::string& fileOrLink) {
  return IsRunLink(fileOrLink) || IsPackLink(fileOrLink) ? "LINK" : fileOrLink;
}

bool Refuse(const std::string& line) {
  std::fprintf(stderr, "twinworlds: %s\n", line.c_str());
  ReportStartFault(line);
  return false;
}

// The stages of the run: --pack's, else the title's last choice (never for
// a script, which plays what it is told); and a recording made on a pack
// plays only on that pack's very files.
bool StartPack(const RunOptions& options, const InputPackClaim& claim) {
  SetPackInForce(nullptr);
  if (!options.pack.empty()) {
    std::string folder, id, why;
    // A link is thousands of characters: the line names it by what it is.
    const std::string given = IsPackLink(options.pack) ? "LINK" : options.pack;
    if (!ResolvePackOption(options.pack, &folder, &id, &why)) return Refuse("--pack " + given + ": " + why);
    const Pack pack = ReadPack(folder, id);
    if (!pack.fault.empty()) return Refuse("--pack " + given + ": " + pack.fault);
    // The game's loaders have said theirs.
    if (const std::string fault = CheckPack(pack); !fault.empty()) {
      ReportStartFault(fault);
      return false;
    }
    SetPackInForce(&pack);
  } else if (const std::string name = CurrentSettings().pack; !PackChoiceFixed() && !name.empty()) {
    std::string fault = "no such pack in the packs folders";
    for (const std::string& packs : PacksFolders()) {
      struct stat s;
      if (stat((packs + "/" + name).c_str(), &s) != 0) continue;
      const Pack pack = ReadPack(packs + "/" + name, name);
      fault = CheckPack(pack);
      if (fault.empty()) SetPackInForce(&pack);
      break;
    }
    // The file's choice never stops the game: its own stages are there.
    if (!fault.empty())
      std::fprintf(stderr, "twinworlds: %s: pack = %s: %s; the game's own stages are played\n",
                   SettingsFilePath().c_str(), name.c_str(), fault.c_str());
  }
  if (claim.name.empty()) return true;
  const Pack* p = PackInForce();
  const std::string line = "--input " + InputNamed(options.inputFile) + ": recorded on the pack '" + claim.name + "'";
  // A pack link's run is played with the link's pack.
  const std::string packOption = IsPackLink(options.inputFile) ? "LINK" : claim.name;
  if (!p) return Refuse(line + ", not on the game's own stages; play it with --pack " + packOption);
  // The same files under another name are the same game.
  const std::string& hash = PackInForceHash();
  if (hash == claim.hash) return true;
  if (p->id != claim.name) return Refuse(line + ", not on '" + p->id + "'; play it with --pack " + claim.name);
  return Refuse(line + " as its files were then (" + claim.hash.substr(0, 12) + "), and these differ (" +
                (hash.empty() ? std::string("cannot be read") : hash.substr(0, 12)) + "); play it with --pack " +
                claim.name + " as it was");
}

}  // namespace

const RunOptions& CurrentRunOptions() { return Options; }
uint32_t FlipCount() { return Flips; }

void SetQuitObserver(void (*observer)()) { QuitObserver = observer; }
void SetFlipObserver(void (*observer)(uint32_t flip)) { FlipObserver = observer; }

bool StartPlatform(const RunOptions& options) {
  // Start-up counts from here: the input file, the settings and the pack
  // are read in it.
  RunStart = Clock::now();
  Options = options;
  if (!options.notice.empty()) std::fprintf(stderr, "twinworlds: %s\n", options.notice.c_str());
  std::vector<InputLine> input;
  InputPackClaim claim;
  if (!options.inputFile.empty()) {
    std::string why;
    if (!LoadInputFileOrLink(options.inputFile, &input, &why, &claim)) {
      std::fprintf(stderr, "twinworlds: --input %s: %s\n", InputNamed(options.inputFile).c_str(), why.c_str());
      ReportStartFault("--input " + InputNamed(options.inputFile) + ": " + why);
      return false;
    }
    // Recording over the script being played would destroy it.
    struct stat in{}, rec{};
    if (!options.recordFile.empty() && stat(options.inputFile.c_str(), &in) == 0 &&
        stat(options.recordFile.c_str(), &rec) == 0 && in.st_dev == rec.st_dev && in.st_ino == rec.st_ino) {
      std::fprintf(stderr, "twinworlds: --record %s: is the file given to --input\n", options.recordFile.c_str());
      ReportStartFault("--record " + options.recordFile + ": is the file given to --input");
      return false;
    }
    if (options.headless && options.frames < 0)
      Options.frames = (input.empty() ? 0 : int64_t{input.back().flip}) + InputTailFlips;
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
  // A headless run is a script: the player's settings never change it.
  // Playback and scripts never write the file either.
  SetSettingsWritable(!options.headless && options.inputFile.empty());
  if (!options.headless) {
    const GameSettings settings = LoadSettings(SettingsFilePath());
    SetCurrentSettings(settings);
    if (!options.window && !options.fullscreen && !settings.fullscreen) Options.window = true;
    if (Options.window && !options.scaleGiven) Options.scale = settings.scale;
    SetMixVolumes(settings.musicVolume, settings.effectsVolume);
    if (!options.languageGiven) LanguageFromName(settings.language, &Options.language);
    if (options.soundFont.empty()) SetSoundFontPath(settings.soundFont);
  }
  // Neither the command line nor the file says: the desktop's language.
  if (!options.languageGiven && (options.headless || CurrentSettings().language.empty()))
    Options.language = LanguageFromLocale();
  SetRunLanguage(Options.language);
  SetActiveBindings(BindingsFrom(CurrentSettings().bindings));
  if (!options.soundFont.empty()) SetSoundFontPath(options.soundFont);
  const DataSearch data = FindDataFolder(options.dataFolder, ExecutableFolder());
  if (!data.found) std::fprintf(stderr, "%s\n", DataNotFoundLine(data).c_str());
  SetDataFolder(data.folder);
  SetDataFolderMissing(!data.found);
  SetGlyphSheet(data.folder.empty() ? "font/glyphs.hex" : data.folder + "/font/glyphs.hex");
  if (!StartPack(options, claim)) return false;
  Flips = 0;
  StartShownPicture();
  LastFlipTime = Clock::now();
  StartKeySampler(!options.inputFile.empty(), input, options.recordFile, options.thenPlay);
  return true;
}

int PrintRunLink(const RunOptions& options) {
  std::vector<uint8_t> bytes;
  std::vector<InputLine> lines;
  std::string why;
  // Only a file the game would play is worth a link.
  if (const char* fault = ReadWholeFile(options.shareFile, 64 << 20, &bytes)) why = fault;
  const std::string text(bytes.begin(), bytes.end());
  if (why.empty() && !ParseInputText(text, &lines, &why)) why = why.empty() ? "not an input file" : why;
  if (!why.empty()) {
    std::fprintf(stderr, "twinworlds: --share %s: %s\n", options.shareFile.c_str(), why.c_str());
    return 2;
  }
  std::printf("%s\n", MakeRunLink(text, options.shareBase).c_str());
  return 0;
}

bool RunEndAsked() { return EndAsked; }

uint32_t CountFlip() { return ++Flips; }

void NoteFlipGap(uint32_t flip) {
  const Clock::time_point now = Clock::now();
  if (flip == 1) FirstFlipMs = std::chrono::duration<double, std::milli>(now - RunStart).count();
  else if (Options.timedemo) FlipGapsMs.push_back(std::chrono::duration<float, std::milli>(now - LastFlipTime).count());
  LastFlipTime = now;
}

void ObserveFlip(uint32_t flip) {
  if (FlipObserver) FlipObserver(flip);
}

bool EndSignalReceived() {
  static bool said = false;
  if (EndSignal == 0 || said) return false;
  said = true;
  std::fprintf(stderr, "twinworlds: %s: ending the game\n", EndSignal == SIGINT ? "SIGINT" : "SIGTERM");
  return true;
}

bool FlipLimitReached(uint32_t flip) { return Options.frames >= 0 && flip >= Options.frames; }

void OnQuitRequested() {
  EndAsked = true;
  if (!Options.screenshotFile.empty()) EndPicture = ShownPictureRgb();
  if (QuitObserver) QuitObserver();
}

void FinishPlatform() {
  FinishKeySampler();
  if (!Options.screenshotFile.empty()) {
    std::string why;
    const std::vector<uint8_t> rgb = EndPicture.empty() ? ShownPictureRgb() : EndPicture;
    if (!WritePng(Options.screenshotFile, rgb.data(), ScreenWidth, ScreenHeight, &why))
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
    std::printf("timedemo: %llu pictures presented, %llu converted for the screen\n",
                static_cast<unsigned long long>(PicturesPresented()), static_cast<unsigned long long>(PicturesConverted()));
    std::printf("timedemo: peak memory %.1f MiB\n", usage.ru_maxrss / 1024.0);
  }
  if (ActiveBackend) ActiveBackend->close();
  ActiveBackend = nullptr;
}
