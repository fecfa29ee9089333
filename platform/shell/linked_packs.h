// SPDX-License-Identifier: MIT
// Packs shared as links, opened for play: the link's files written into a
// folder (on the desktop a private temporary one, taken away at exit), and
// the run a link may carry replayed headless on them, in a game of its own,
// so that "cleared by its maker" is said only when that replay reaches
// the closing screen. A run recorded on other stages is refused as forged.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/files/pack_info.h"
#include "platform/files/packs.h"
#include "platform/input/pack_link.h"
#include "platform/shell/run_options.h"

enum LinkRunVerdict : uint8_t {
  LinkRunNone,        // the link carries no run
  LinkRunCleared,     // its replay reached the closing screen
  LinkRunNotCleared,  // its replay ended without reaching it
  LinkRunForged,      // it was recorded on other stages than the link's
  LinkRunUnchecked,   // it could not be replayed here
};

struct LinkedPack {
  std::string id;
  std::string folder;   // the pack's folder, named by its id
  std::string runPath;  // the run beside it ("" for none)
  PackInfo info;
  LinkRunVerdict verdict = LinkRunNone;
  uint32_t frames = 0;  // of play to the closing screen, when cleared
  std::string why;      // what kept the run from being believed or replayed
};

// A replay that has not reached the closing screen after this many flips
// (two hours of play) is taken to never reach it: a forged link cannot
// keep the game checking for days.
constexpr int64_t MostReplayFlips = 240000;

// Writes the link's files into `parent`/ID and its run into `parent`/run.txt,
// reads them back as a pack and checks the run's claim against them: a run
// recorded on other stages (or on none) is LinkRunForged; otherwise the
// verdict waits for ReplayLinkRun. False with why when the files cannot be
// written or read as a pack.
bool UnpackPackLink(const PackLink& link, const std::string& parent, LinkedPack* out, std::string* why);
// The headless replay of the run in a game of its own: the arguments for
// it (the same in the page's second game), and the verdict from its
// --cleared file.
std::vector<std::string> LinkReplayArguments(const LinkedPack& pack, const std::string& clearedFile);
void ReplayLinkRun(LinkedPack* pack);
// "cleared by its maker in 3:32", "its run does not reach the end", ...
std::string LinkRunText(const LinkedPack& pack);
// "the pack "Forest" by Someone, from a link: cleared by its maker in 3:32"
std::string LinkedPackLine(const LinkedPack& pack);
// Game time as M:SS for frames of play (30 ms each), seconds cut down.
std::string GameTimeText(uint32_t frames);

// --cleared: "cleared N" (frames of play then) or "not cleared".
bool WriteClearedFile(const std::string& path, uint32_t closingScreenFrames);
// The frames a --cleared file gives (0: not cleared); false when it says neither.
bool ReadClearedFile(const std::string& path, uint32_t* frames);

// --pack LINK: the link opened in a private temporary folder (taken away
// at exit), its run replayed, and both said in one line on stderr; the
// pack's folder and id for the run.
bool OpenPackLink(const std::string& text, std::string* folder, std::string* id, std::string* why);

// ---- Sharing ----------------------------------------------------------

// The game's checks of a pack's stages before it is shared: one line for
// each fault the stage checks find in the pair it would play (the pack's
// stages, the game's for one it lacks). Set by the game, as SetPackCheck.
void SetPackShareCheck(std::vector<std::string> (*check)(const Pack& pack));

// A pack folder as a link, with every check a link's players rely on: the
// pack must read as one, the game's loaders must take its files
// (CheckPack) and the stage checks find no fault (a stage with faults is
// not shared: its maker can mend it, its players cannot). `runText` ("" for
// none): an input file recorded on the pack (or on the game's own data,
// when the pack's stages are the game's very files), carried with its
// header naming the link's stages, and only when its replay on them
// reaches the closing screen. `notes` get what is worth saying (the
// faults, the pictures and sounds left out, the run's time). The editor
// shares through this too.
bool SharePackLink(const std::string& folder, const std::string& runText, const std::string& base, std::string* link,
                   std::vector<std::string>* notes, std::string* why);
// The editor's share: SharePackLink, the link printed on stdout and handed
// to the player by the platform; where it went: 1 the clipboard, 2 the
// page's share panel, 0 only stdout; -1 not made (why says why, the notes
// are on stderr).
int ShareEditedPack(const std::string& folder, const std::string& runText, const std::string& base, std::string* link,
                    std::string* why);
// --share-pack PACK [--run FILE]: the link on stdout, the notes on stderr;
// the exit status.
int PrintPackLink(const RunOptions& options);
