#include "app/state_dump.h"

#include <cstdio>
#include <fstream>
#include <nlohmann/json.hpp>

#include "app/game.h"
#include "platform/runtime.h"
#include "sound/music.h"
#include "sound/sound_effects.h"

namespace {
nlohmann::ordered_json Captured;
bool HaveCapture = false;
}  // namespace

void CaptureGameState() {
  nlohmann::ordered_json j;
  j["flips"] = FlipCount();
  j["frames"] = FramesOfPlay;
  j["gameMode"] = GameMode;
  // How often each sound was played, whether or not anything was heard.
  nlohmann::ordered_json sounds = nlohmann::ordered_json::object();
  for (int i = 0; i < SoundBankSize; i++) sounds[SoundBankNames[i]] = SoundPlayCounts[i];
  j["sounds"] = std::move(sounds);
  j["music"] = MusicSegment == nullptr                            ? "absent"
               : IsPlaying(MusicPerformance, MusicSegment) ? "playing"
                                                                  : "stopped";
  Captured = std::move(j);
  HaveCapture = true;
}

bool WriteGameState(const std::string& path) {
  if (!HaveCapture) CaptureGameState();
  std::ofstream out(path);
  out << Captured.dump(1) << '\n';
  out.close();
  if (!out) {
    std::fprintf(stderr, "twinworlds: --dump-state %s: cannot be written\n", path.c_str());
    return false;
  }
  return true;
}
