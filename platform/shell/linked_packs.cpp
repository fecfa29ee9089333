// SPDX-License-Identifier: MIT
// Links opened as packs, and their runs replayed.
#include "platform/shell/linked_packs.h"

#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "platform/backend.h"
#include "platform/files/data_folder.h"
#include "platform/files/packs.h"
#include "platform/files/text_fields.h"
#include "platform/files/user_folders.h"
#include "platform/files/whole_file.h"
#include "platform/input/input_file.h"
#include "platform/input/run_link.h"
#include "platform/shell/pack_choice.h"
#include "platform/shell/run_options.h"

namespace {

std::vector<std::string> (*ShareCheck)(const Pack&) = nullptr;

// The temporary folders of this run's links, taken away at exit.
std::vector<std::string> TemporaryFolders;

// Everything under a folder this run made, then the folder; links are
// taken away, never followed.
void TakeAway(const std::string& path) {
  struct stat s;
  if (lstat(path.c_str(), &s) != 0) return;
  if (S_ISDIR(s.st_mode)) {
    if (DIR* d = opendir(path.c_str())) {
      while (dirent* e = readdir(d)) {
        const std::string name = e->d_name;
        if (name != "." && name != "..") TakeAway(path + "/" + name);
      }
      closedir(d);
    }
    rmdir(path.c_str());
  } else {
    unlink(path.c_str());
  }
}

void TakeAwayTemporaryFolders() {
  for (const std::string& f : TemporaryFolders) TakeAway(f);
  TemporaryFolders.clear();
}

std::string TemporaryFolder(std::string* why) {
  const std::string tmp = EnvironmentValue("TMPDIR");
  std::string pattern = (tmp.empty() ? std::string("/tmp") : tmp) + "/twinworlds-link-XXXXXX";
  if (!mkdtemp(pattern.data())) {
    *why = pattern.substr(0, pattern.size() - 6) + "...: a temporary folder cannot be made";
    return "";
  }
  if (TemporaryFolders.empty()) std::atexit(TakeAwayTemporaryFolders);
  TemporaryFolders.push_back(pattern);
  return pattern;
}

// A small file's text; "" when it cannot be read.
std::string ReadWholeText(const std::string& path) {
  std::vector<uint8_t> bytes;
  if (ReadWholeFile(path, 64 << 20, &bytes)) return "";
  return std::string(bytes.begin(), bytes.end());
}

std::string Parent(const std::string& folder) {
  const size_t slash = folder.rfind('/');
  return slash == std::string::npos ? "." : folder.substr(0, slash);
}

}  // namespace

bool UnpackPackLink(const PackLink& link, const std::string& parent, LinkedPack* out, std::string* why) {
  LinkedPack p;
  p.id = link.id;
  p.folder = parent + "/" + link.id;
  if (!WritePackLinkFiles(link, p.folder, nullptr, why)) return false;
  const Pack pack = ReadPack(p.folder, p.id);
  if (!pack.fault.empty()) {
    *why = pack.fault;
    return false;
  }
  p.info = pack.info;
  if (!link.run.empty()) {
    p.runPath = parent + "/run.txt";
    if (!WriteFileAtomically(p.runPath, link.run)) {
      *why = p.runPath + ": cannot be written";
      return false;
    }
    std::vector<InputLine> lines;
    InputPackClaim claim;
    std::string runWhy;
    Pack read = pack;
    ParseInputText(link.run, &lines, &runWhy, &claim);
    if (claim.hash.empty()) {
      p.verdict = LinkRunForged;
      p.why = "it names no pack, so it was recorded on the game's own stages";
    } else if (claim.hash != PackHash(&read)) {
      p.verdict = LinkRunForged;
      p.why = "it was recorded on other stages (" + claim.hash.substr(0, 12) + ") than the link's (" +
              PackHash(&read).substr(0, 12) + ")";
    } else {
      p.verdict = LinkRunUnchecked;
      p.why = "it has not been replayed";
    }
  }
  *out = std::move(p);
  return true;
}

std::vector<std::string> LinkReplayArguments(const LinkedPack& pack, const std::string& clearedFile) {
  std::vector<std::string> args = {"--headless"};
  if (!DataFolder().empty()) args.insert(args.end(), {"--data", DataFolder()});
  args.insert(args.end(), {"--pack", pack.folder, "--input", pack.runPath, "--cleared", clearedFile});
  std::vector<InputLine> lines;
  std::string why;
  ParseInputText(ReadWholeText(pack.runPath), &lines, &why);
  const int64_t last = lines.empty() ? 0 : int64_t{lines.back().flip};
  args.insert(args.end(), {"--frames", std::to_string(std::min(last + InputTailFlips, MostReplayFlips))});
  return args;
}

void ReplayLinkRun(LinkedPack* pack) {
  if (pack->verdict != LinkRunUnchecked) return;
  const std::string cleared = Parent(pack->folder) + "/cleared.txt";
  unlink(cleared.c_str());
  std::string why;
  uint32_t frames = 0;
  if (!RunGameProcess(LinkReplayArguments(*pack, cleared), &why)) {
    pack->why = why;
  } else if (!ReadClearedFile(cleared, &frames)) {
    pack->why = "its replay ended before it began (the game refused the stages or the run)";
  } else {
    pack->verdict = frames > 0 ? LinkRunCleared : LinkRunNotCleared;
    pack->frames = frames;
    pack->why.clear();
  }
  unlink(cleared.c_str());
}

std::string GameTimeText(uint32_t frames) {
  const uint64_t seconds = uint64_t{frames} * 30 / 1000;
  char text[32];
  std::snprintf(text, sizeof text, "%llu:%02u", static_cast<unsigned long long>(seconds / 60),
                static_cast<unsigned>(seconds % 60));
  return text;
}

std::string LinkRunText(const LinkedPack& pack) {
  switch (pack.verdict) {
    case LinkRunNone: return "it carries no clearing run";
    case LinkRunCleared: return "cleared by its maker in " + GameTimeText(pack.frames);
    case LinkRunNotCleared: return "its run does not reach the end";
    case LinkRunForged: return "its run is refused as forged: " + pack.why;
    case LinkRunUnchecked: break;
  }
  return "its run could not be checked: " + pack.why;
}

std::string LinkedPackLine(const LinkedPack& pack) {
  std::string name = PackInfoText(pack.info, "name", "en");
  if (name.empty()) name = pack.id;
  const std::string author = PackInfoText(pack.info, "author", "en");
  return PrintableText("the pack \"" + name + "\"" + (author.empty() ? "" : " by " + author) + ", from a link: " +
                       LinkRunText(pack));
}

bool WriteClearedFile(const std::string& path, uint32_t closingScreenFrames) {
  const std::string text = closingScreenFrames ? "cleared " + std::to_string(closingScreenFrames) + "\n" : "not cleared\n";
  if (WriteFileAtomically(path, text)) return true;
  std::fprintf(stderr, "twinworlds: --cleared %s: cannot be written\n", path.c_str());
  return false;
}

bool ReadClearedFile(const std::string& path, uint32_t* frames) {
  const std::string text = ReadWholeText(path);
  if (text == "not cleared\n") {
    *frames = 0;
    return true;
  }
  unsigned long n = 0;
  char end = 0;
  if (std::sscanf(text.c_str(), "cleared %lu%c", &n, &end) != 2 || end != '\n' || n == 0 || n > 0xFFFFFFFFul)
    return false;
  *frames = static_cast<uint32_t>(n);
  return true;
}

bool OpenPackLink(const std::string& text, std::string* folder, std::string* id, std::string* why) {
  PackLink link;
  if (!PackLinkFromText(text, &link, why)) return false;
  const std::string parent = TemporaryFolder(why);
  if (parent.empty()) return false;
  LinkedPack pack;
  if (!UnpackPackLink(link, parent, &pack, why)) return false;
  // Stages the game refuses are not replayed: StartPack says why.
  if (CheckPack(ReadPack(pack.folder, pack.id)).empty()) ReplayLinkRun(&pack);
  std::fprintf(stderr, "twinworlds: %s\n", LinkedPackLine(pack).c_str());
  *folder = pack.folder;
  *id = pack.id;
  return true;
}

void SetPackShareCheck(std::vector<std::string> (*check)(const Pack& pack)) { ShareCheck = check; }

namespace {

// Whether a run recorded with this claim plays the same on the link's
// stages: recorded on the pack as it stands, on the link's own stages, or
// on the game's own data when the link's stages are the game's very files.
std::string RunClaimFault(const InputPackClaim& claim, Pack* pack, const PackLink& link) {
  if (!claim.hash.empty()) {
    if (claim.hash == PackHash(pack) || claim.hash == PackLinkHash(link)) return "";
    return "the run was recorded on the pack '" + claim.name + "' as its files were then (" + claim.hash.substr(0, 12) +
           "), not on these (" + PackLinkHash(link).substr(0, 12) + ")";
  }
  for (const PackLinkFile& f : link.files) {
    if (f.path == "pack.txt") continue;
    std::vector<uint8_t> own;
    const std::string path = DataFolder().empty() ? ResolveIgnoringCase("", f.path)
                                                  : DataFolder() + "/" + ResolveIgnoringCase(DataFolder(), f.path);
    if (ReadWholeFile(path, LargestPackFile, &own) || std::string(own.begin(), own.end()) != f.bytes)
      return "the run was recorded on the game's own stages, and the pack's " + f.path + " is not the game's";
  }
  return "";
}

}  // namespace

bool SharePackLink(const std::string& folder, const std::string& runText, const std::string& base, std::string* link,
                   std::vector<std::string>* notes, std::string* why) {
  Pack pack = ReadPack(folder, PackIdOfPath(folder));
  if (!pack.fault.empty()) {
    *why = pack.fault;
    return false;
  }
  // The loaders have said theirs on stderr.
  if (const std::string fault = CheckPack(pack); !fault.empty()) {
    *why = fault;
    return false;
  }
  if (ShareCheck) {
    const std::vector<std::string> faults = ShareCheck(pack);
    if (!faults.empty()) {
      notes->insert(notes->end(), faults.begin(), faults.end());
      *why = std::to_string(faults.size()) + (faults.size() == 1 ? " fault" : " faults") +
             " in its stages: a pack with faults is not shared (twinworlds --edit shows them)";
      return false;
    }
  }
  PackLink shared;
  int leftOut = 0;
  if (!PackLinkOfFolder(folder, &shared, &leftOut, why)) return false;
  if (leftOut > 0)
    notes->push_back(std::to_string(leftOut) + (leftOut == 1 ? " picture or sound is" : " pictures and sounds are") +
                     " left out: a link carries only stage files and pack.txt");
  if (!runText.empty()) {
    std::vector<InputLine> lines;
    InputPackClaim claim;
    std::string runWhy;
    if (!ParseInputText(runText, &lines, &runWhy, &claim)) {
      *why = "the run: " + runWhy;
      return false;
    }
    if (const std::string fault = RunClaimFault(claim, &pack, shared); !fault.empty()) {
      *why = fault;
      return false;
    }
    shared.run = RunTextOnPack(runText, shared.id, PackLinkHash(shared));
    // Replayed as a player of the link would: from its archive, on its
    // files alone.
    PackLink back;
    std::string parent = TemporaryFolder(why);
    LinkedPack opened;
    const bool read = !parent.empty() && ReadPackLinkPayload(PackLinkPayload(shared), &back, why) &&
                      UnpackPackLink(back, parent, &opened, why);
    if (read) ReplayLinkRun(&opened);
    if (!parent.empty()) {
      TakeAway(parent);
      TemporaryFolders.pop_back();
    }
    if (!read) return false;
    // A build that cannot replay first (the page's, whose replay is a game
    // of its own) carries the run as it is: the link's players replay it
    // before they believe it, wherever they open it.
    if (opened.verdict == LinkRunUnchecked && !CanRunGameProcess()) {
      notes->push_back("its run is carried unchecked here: whoever opens the link replays it first");
      *link = PackLinkText(shared, base);
      return true;
    }
    if (opened.verdict != LinkRunCleared) {
      *why = opened.verdict == LinkRunNotCleared ? "the run does not reach the closing screen on the link's stages"
                                                 : LinkRunText(opened);
      return false;
    }
    notes->push_back("its run reaches the closing screen in " + GameTimeText(opened.frames) + " of game time");
  }
  *link = PackLinkText(shared, base);
  return true;
}

int ShareEditedPack(const std::string& folder, const std::string& runText, const std::string& base, std::string* link,
                    std::string* why) {
  std::vector<std::string> notes;
  const bool shared = SharePackLink(folder, runText, base, link, &notes, why);
  for (const std::string& n : notes) std::fprintf(stderr, "twinworlds: the editor's link: %s\n", n.c_str());
  if (!shared) return -1;
  std::printf("%s\n", link->c_str());
  std::fflush(stdout);
  return ActiveBackend && ActiveBackend->handLink ? ActiveBackend->handLink(link->c_str()) : 0;
}

int PrintPackLink(const RunOptions& options) {
  const DataSearch data = FindDataFolder(options.dataFolder, ExecutableFolder());
  if (!data.found) std::fprintf(stderr, "%s\n", DataNotFoundLine(data).c_str());
  SetDataFolder(data.folder);
  SetDataFolderMissing(!data.found);
  const std::string given = IsPackLink(options.sharePack) ? "LINK" : options.sharePack;
  auto say = [&](const std::string& line) {
    std::fprintf(stderr, "twinworlds: --share-pack %s: %s\n", given.c_str(), line.c_str());
  };
  std::string folder, id, why, runText;
  if (!ResolvePackOption(options.sharePack, &folder, &id, &why)) {
    say(why);
    return 2;
  }
  if (!options.shareRun.empty()) {
    std::vector<uint8_t> bytes;
    if (IsRunLink(options.shareRun)) {
      if (!RunTextFromLink(options.shareRun, &runText, &why)) why = "--run: " + why;
    } else if (const char* fault = ReadWholeFile(options.shareRun, 64 << 20, &bytes)) {
      why = "--run " + options.shareRun + ": " + fault;
    } else {
      runText.assign(bytes.begin(), bytes.end());
      if (runText.empty()) why = "--run " + options.shareRun + ": is empty, not a run";
    }
    if (!why.empty()) {
      say(why);
      return 2;
    }
  }
  std::string link;
  std::vector<std::string> notes;
  const bool shared = SharePackLink(folder, runText, options.shareBase, &link, &notes, &why);
  for (const std::string& n : notes) say(n);
  if (!shared) {
    say(why);
    return 2;
  }
  std::printf("%s\n", link.c_str());
  return 0;
}

// ---- The page's calls (web/page/pack_links.js) -------------------------
// The page inflates a link itself (DecompressionStream) and hands the
// archive here, so that both builds read links by the same rules. Built in
// every build, called only by the page: their answers are JSON.

namespace {

std::string Json(const std::string& text) {
  std::string out = "\"";
  for (char c : text) {
    if (c == '"' || c == '\\') out += std::string("\\") + c;
    else if (static_cast<unsigned char>(c) < 0x20) {
      char escaped[8];
      std::snprintf(escaped, sizeof escaped, "\\u%04x", static_cast<unsigned char>(c));
      out += escaped;
    } else out += c;
  }
  return out + "\"";
}

std::string JsonTexts(const PackInfo& info, const char* key) {
  return "{\"en\":" + Json(PackInfoText(info, key, "en")) + ",\"ja\":" + Json(PackInfoText(info, key, "ja")) + "}";
}

}  // namespace

// The link's archive opened into `parent`/ID: what the page shows of it,
// and the arguments of the replay that checks its run.
extern "C" const char* TwOpenPackLink(const char* payload, int size, const char* parent) {
  static std::string answer;
  PackLink link;
  LinkedPack pack;
  std::string why;
  if (!ReadPackLinkPayload(std::string(payload, static_cast<size_t>(size)), &link, &why)) {
    answer = "{\"fault\":" + Json("the link " + why) + "}";
    return answer.c_str();
  }
  if (!UnpackPackLink(link, parent, &pack, &why)) {
    answer = "{\"fault\":" + Json(why) + "}";
    return answer.c_str();
  }
  static const char* const Verdicts[] = {"none", "cleared", "not cleared", "forged", "unchecked"};
  const std::string cleared = std::string(parent) + "/cleared.txt";
  std::string replay;
  if (pack.verdict == LinkRunUnchecked)
    for (const std::string& a : LinkReplayArguments(pack, cleared)) replay += (replay.empty() ? "" : ",") + Json(a);
  answer = "{\"id\":" + Json(pack.id) + ",\"folder\":" + Json(pack.folder) + ",\"name\":" + JsonTexts(pack.info, "name") +
           ",\"author\":" + JsonTexts(pack.info, "author") + ",\"description\":" +
           JsonTexts(pack.info, "description") + ",\"verdict\":" + Json(Verdicts[pack.verdict]) +
           ",\"why\":" + Json(pack.why) + ",\"replay\":[" + replay + "],\"cleared\":" + Json(cleared) + "}";
  return answer.c_str();
}

// The link's pack kept in the player's packs folder (the page's storage):
// "" when kept, else why not.
extern "C" const char* TwKeepPackLink(const char* payload, int size) {
  static std::string answer;
  PackLink link;
  answer.clear();
  if (!ReadPackLinkPayload(std::string(payload, static_cast<size_t>(size)), &link, &answer)) {
    answer = "the link " + answer;
    return answer.c_str();
  }
  if (!WritePackLinkFiles(link, PlayerPacksFolder() + "/" + link.id, nullptr, &answer)) return answer.c_str();
  answer.clear();
  return answer.c_str();
}

// A pack folder as a file for the page's download: the archive of its
// link (pack.txt and the stage files, undeflated, so that it reads as
// text); `size` gets its length, 0 when the folder is no pack (then the
// answer is why).
extern "C" const char* TwPackArchive(const char* folder, int* size) {
  static std::string answer;
  PackLink link;
  int leftOut = 0;
  *size = 0;
  if (!PackLinkOfFolder(folder, &link, &leftOut, &answer)) return answer.c_str();
  answer = PackLinkPayload(link);
  *size = static_cast<int>(answer.size());
  return answer.c_str();
}
