// The command line: options, usage and version.
#include "platform/shell/run_options.h"

#include <cerrno>
#include <cstdlib>

#include "platform/backend.h"
#include "platform/shell/controls_text.h"
#include "platform/shell/edit_folder.h"

#ifndef TWINWORLDS_VERSION
#define TWINWORLDS_VERSION "0"
#endif

namespace {

bool ParseCount(const char* text, int64_t lo, int64_t hi, int64_t* out) {
  if (!text || !*text) return false;
  char* end = nullptr;
  errno = 0;
  long long v = std::strtoll(text, &end, 10);
  if (errno || *end || v < lo || v > hi) return false;
  *out = v;
  return true;
}


bool ParseArgumentsAsGiven(int argc, char** argv, RunOptions* out, std::string* error) {
  RunOptions o;
  bool shareBaseGiven = false;
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
      if (!ParseCount(v.c_str(), 0, 16, &n)) {
        *error = "--scale: '" + v + "' is not a whole number from 0 to 16";
        return false;
      }
      o.scale = static_cast<int>(n);
      o.scaleGiven = true;
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
    } else if (arg == "--share") {
      if (!value(&o.shareFile)) return false;
    } else if (arg == "--share-pack") {
      if (!value(&o.sharePack)) return false;
    } else if (arg == "--run") {
      if (!value(&o.shareRun)) return false;
    } else if (arg == "--cleared") {
      if (!value(&o.clearedFile)) return false;
    } else if (arg == "--share-base") {
      if (!value(&o.shareBase)) return false;
      shareBaseGiven = true;
    } else if (arg == "--then-play") {
      o.thenPlay = true;
    } else if (arg == "--screenshot") {
      if (!value(&o.screenshotFile)) return false;
    } else if (arg == "--dump-state") {
      if (!value(&o.dumpStateFile)) return false;
    } else if (arg == "--edit") {
      o.edit = true;
      // The folder is optional: a word that is not an option is it.
      if (i + 1 < argc && argv[i + 1][0] != '\0' && argv[i + 1][0] != '-') o.editFolder = argv[++i];
    } else if (arg == "--soundfont") {
      if (!value(&o.soundFont)) return false;
    } else if (arg == "--pack") {
      if (!value(&o.pack)) return false;
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
  // --scale means a window; with --fullscreen too, full screen wins (and
  // says so); a headless run has no window to scale.
  if (o.scaleGiven && !o.window && !o.headless) {
    if (o.fullscreen) o.notice = "--fullscreen wins over --scale " + std::to_string(o.scale) + ": full screen";
    else o.window = true;
  }
  if (shareBaseGiven && o.shareFile.empty() && o.sharePack.empty()) {
    *error = "--share-base: only goes with --share or --share-pack";
    return false;
  }
  if (!o.shareRun.empty() && o.sharePack.empty()) {
    *error = "--run: only goes with --share-pack";
    return false;
  }
  if (!o.shareFile.empty() && !o.sharePack.empty()) {
    *error = "--share-pack: cannot go with --share (a run on a pack is shared with --share-pack DIR --run FILE)";
    return false;
  }
  if (o.thenPlay && o.inputFile.empty()) {
    *error = "--then-play: only goes with --input";
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

}  // namespace

bool ParseRunOptions(int argc, char** argv, RunOptions* out, std::string* error) {
  if (ParseArgumentsAsGiven(argc, argv, out, error)) return true;
  // The message quotes what was given: a line break in it would make two lines.
  for (char& c : *error)
    if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) c = '?';
  return false;
}

std::string UsageText() {
  return "usage: twinworlds [options]\n"
         "  --window             play in a window (default: full screen, or as the settings file says)\n"
         "  --fullscreen         play full screen whatever the settings file says\n"
         "  --scale N            a window N times 640 x 480; 0 the largest that fits (default: the window\n"
         "                       as it was last left; larger is brought down, with a line on stderr)\n"
         "  --data DIR           read the game data from DIR (also $TWINWORLDS_DATA)\n"
         "  --pack DIR|NAME      play the stages, pictures and sounds of a pack for this run: a folder, or\n"
         "                       the name of one in ~/.local/share/twinworlds/packs or the game's packs/\n"
         "                       (default: as chosen on the title, kept in the settings file)\n"
         "  --pack LINK          play a pack shared as a link (BASE#pack=...); a run it carries is\n"
         "                       replayed first, and said to clear it only when it reaches the end\n"
         "  --lang ja|en         the language of the game's text (default: as the settings file says, or\n"
         "                       else the locale: LC_ALL, LC_MESSAGES, LANG; Japanese for ja*, English otherwise)\n"
         "  --soundfont PATH     the music's General MIDI soundfont (default: /usr/share/sounds/sf2/default-GM.sf2,\n"
         "                       else TimGM6mb.sf2 there, or as the settings file says)\n"
         "  --headless           no window and no sound; a virtual clock, so runs are quick and identical\n"
         "  --input FILE         keys from FILE instead of the keyboard; headless, the run ends 300 flips\n"
         "                       after its last line unless --frames says otherwise\n"
         "  --input LINK         the same, from a run shared as a link (BASE#run=...), or the clearing run\n"
         "                       of a pack link (with --pack LINK)\n"
         "  --then-play          with --input: once its last line has passed, the keyboard and pads play on\n"
         "  --record FILE        write the keys of every flip to FILE, in the same format\n"
         "  --share FILE         print a link that carries the recorded run in FILE, and end\n"
         "  --share-pack PACK    print a link that carries the pack's stage files and pack.txt (not its\n"
         "                       pictures and sounds), and end: PACK as for --pack; refused when the\n"
         "                       game or the stage checks find fault with its stages\n"
         "  --run FILE           with --share-pack: the link carries this run, recorded on the pack, as\n"
         "                       its clearing run; it must reach the closing screen on the link's stages\n"
         "  --share-base URL     where a link points (default: http://127.0.0.1:8000/, where\n"
         "                       scripts/web.sh serve puts the browser version)\n"
         "  --frames N           end through the normal shutdown after the N-th flip\n"
         "  --screenshot FILE    at exit, the last picture shown as a 640 x 480 PNG\n"
         "  --dump-state FILE    at exit, the game state as JSON\n"
         "  --cleared FILE       at exit, whether the closing screen was reached: 'cleared N' (N frames\n"
         "                       of play, 30 ms each, by then) or 'not cleared'\n"
         "  --timedemo           at exit, print the speed figures\n"
         "  --edit [PACK]        the stage editor on a pack: a name (a pack of the packs folders, else a new\n"
         "                       one in " + EditFolderShown() + ") or a folder (holding a '/'); without\n"
         "                       PACK, the stages chosen on the title. The game's own stages and the packs\n"
         "                       it comes with are first copied into a new pack of yours, named as you say\n"
         "  --help               print this and end\n"
         "  --version            print the version and end\n" +
         ControlsText();
}

std::string VersionLine() { return std::string("twinworlds ") + TWINWORLDS_VERSION; }

