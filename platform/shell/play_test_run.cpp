// SPDX-License-Identifier: MIT
// The play-test's run, kept and written as a game's recording.
#include "platform/shell/play_test_run.h"

#include "platform/files/packs.h"
#include "platform/input/input_file.h"
#include "platform/input/key_sampler.h"

namespace {

// A game from a fresh start: the title reads the sample of flip 1 (Return),
// shows its loading screen (flip 2) and its last picture (flip 3), and the
// first frame of play reads the keys of flip 3. The play-test's first frame
// reads the sample its key was pressed at: that one is flip 3 here.
constexpr uint32_t FirstPlayFlip = 3;
constexpr const char* TitleStart = "0\n1 RETURN\n2\n";

}  // namespace

void StartPlayTestRun() { StartRunCapture(FirstPlayFlip); }

std::string EndPlayTestRun() {
  StopRunCapture();
  return CapturedRun();
}

std::string PlayTestRunText(const std::string& lines, const std::string& folder, const std::string& id) {
  Pack pack = ReadPack(folder, id);
  if (!pack.fault.empty()) return "";
  const std::string& hash = PackHash(&pack);
  if (hash.empty()) return "";
  return "twinworlds-input 2\npack " + hash + " " + id + "\n" + TitleStart + lines;
}

void RecordingNamesNoPack() { RecordWithoutPack(); }
