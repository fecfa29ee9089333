// The Linux entry: reads the options, then runs the game as Windows would.
#include <cstdio>
#include <string>

#include "app/game.h"
#include "app/game_texts.h"
#include "app/packs.h"
#include "app/state_dump.h"
#include "platform/shell/linked_packs.h"
#include "platform/shell/run.h"

int main(int argc, char** argv) {
  RunOptions options;
  std::string error;
  if (!ParseRunOptions(argc, argv, &options, &error)) {
    std::fprintf(stderr, "twinworlds: %s (twinworlds --help lists the options)\n", error.c_str());
    return 2;
  }
  if (options.help || options.version) {
    std::fputs(options.help ? UsageText().c_str() : (VersionLine() + "\n").c_str(), stdout);
    return 0;
  }
  if (!options.shareFile.empty()) return PrintRunLink(options);
  // A pack is judged by the game's own loaders before the run starts, and
  // by the stage checks too before it is shared.
  SetPackCheck(PackContentFault);
  SetPackShareCheck(PackStageFaults);
  if (!options.sharePack.empty()) return PrintPackLink(options);
  if (!StartPlatform(options)) return 2;
  SetTextLanguage(CurrentRunOptions().language);
  char commandLine[] = "";
  const int code = WinMain(GetModuleHandleA(nullptr), nullptr, commandLine, SW_SHOWDEFAULT);
  if (!options.dumpStateFile.empty()) WriteGameState(options.dumpStateFile);
  if (!options.clearedFile.empty()) WriteClearedFile(options.clearedFile, ClosingScreenFrames);
  if (options.timedemo) std::printf("timedemo: %u frames of play\n", FramesOfPlay);
  FinishPlatform();
  return code;
}
