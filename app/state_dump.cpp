#include "app/state_dump.h"

#include <cstdio>
#include <fstream>
#include <nlohmann/json.hpp>

#include "app/game.h"
#include "platform/runtime.h"

namespace {
nlohmann::ordered_json Captured;
bool HaveCapture = false;
}  // namespace

void CaptureGameState() {
  nlohmann::ordered_json j;
  j["flips"] = FlipCount();
  j["frames"] = FramesOfPlay;
  j["gameMode"] = GameMode;
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
