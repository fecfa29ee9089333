// The demo search's game server: headless game processes parked at a flip,
// each forked to try key sequences from where it stands.
//   twinworlds-demo-runner DIR        (run in a game folder)
// DIR holds a FIFO "replies" and one FIFO "n<ID>" per parked process, all
// made by the caller. The first process parks at flip 1 as node 0. A parked
// process reads lines from its FIFO:
//   eval TAG KEYS   a child plays KEYS, writes the state to DIR/TAG.json,
//                   writes "TAG" to the replies and ends
//   spawn ID KEYS   a child plays KEYS and parks as node ID
//   quit            the process ends
// Parked processes also end once the process that started the runner has.
// KEYS are steps "FLIPS:KEY+KEY" ("12:" for no key). Replaying a recording
// from the title takes ever longer as it grows; a fork starts at its end.
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <deque>
#include <sstream>
#include <string>

#include "app/game.h"
#include "app/state_dump.h"
#include "enemy/enemy_table.h"
#include "platform/input/key_sampler.h"
#include "platform/shell/run.h"
#include "player/player_record.h"
#include "sound/sound_effects.h"
#include "stage/stage_map.h"

namespace {

struct Step {
  uint8_t down[256];
};

std::string Dir;
std::deque<Step> Plan;     // the keys of the flips still to play
bool Evaluating = false;   // a child that reports and ends, not one that parks
std::string Tag;           // its report's name
int NodeId = 0;
pid_t Owner = 0;           // the search; parked games end when it has gone

bool ParseKeys(std::istringstream& words) {
  std::string step;
  while (words >> step) {
    const size_t colon = step.find(':');
    if (colon == std::string::npos) return false;
    Step s{};
    std::string keys = step.substr(colon + 1);
    for (size_t start = 0; start < keys.size();) {
      size_t plus = keys.find('+', start);
      if (plus == std::string::npos) plus = keys.size();
      const int vk = KeyFromName(keys.substr(start, plus - start));
      if (vk < 0) return false;
      s.down[vk] = 1;
      start = plus + 1;
    }
    for (int n = std::atoi(step.substr(0, colon).c_str()); n > 0; n--) Plan.push_back(s);
  }
  return true;
}

void PutBody(FILE* f, const Body& b) {
  std::fprintf(f, "\"x\":%d,\"y\":%d,\"boxLeft\":%d,\"vy\":%d,\"hp\":%d,\"air\":%d,\"hurt\":%d,\"dead\":%d", b.x,
               b.y, b.boxLeft, b.vy, b.hp, b.air, b.hurt, b.dead);
}

// What the search reads of the game state, in the shape of --dump-state
// but a fraction of its size: writing and reading the whole dump at every
// try cost more than the try.
void WriteState(const std::string& path) {
  FILE* f = std::fopen(path.c_str(), "w");
  if (!f) return;
  int lvup = 0;
  for (int i = 0; i < SoundBankSize; i++)
    if (std::strcmp(SoundBankNames[i], "SeLvup") == 0) lvup = static_cast<int>(SoundPlayCounts[i]);
  std::fprintf(f, "{\"flips\":%u,\"frames\":%u,\"gameMode\":%d,\"sounds\":{\"SeLvup\":%d},\"worlds\":[",
               FlipCount(), FramesOfPlay, GameMode, lvup);
  const StageMap* maps[2] = {&WorldMapA, &WorldMapB};
  for (int w = 0; w < 2 && DumpedPlayer(0); w++) {
    std::fprintf(f, "%s{\"player\":{", w ? "," : "");
    PutBody(f, DumpedPlayer(w)->body);
    std::fprintf(f, "},\"map\":{\"width\":%d,\"height\":%d,\"cells\":[", maps[w]->width, maps[w]->height);
    for (int i = 0; i < maps[w]->width * maps[w]->height; i++) std::fprintf(f, "%s%d", i ? "," : "", maps[w]->cells[i]);
    std::fprintf(f, "]},\"enemies\":[");
    bool first = true;
    for (const EnemySlot& e : DumpedEnemies(w)->slots) {
      if (e.kind == 0) continue;
      std::fprintf(f, "%s{\"kind\":%d,", first ? "" : ",", e.kind);
      PutBody(f, e.body);
      std::fprintf(f, "}");
      first = false;
    }
    std::fprintf(f, "]}");
  }
  std::fprintf(f, "]}\n");
  std::fclose(f);
}

void Report() {
  WriteState(Dir + "/" + Tag + ".json");
  const std::string line = Tag + "\n";
  const int fd = open((Dir + "/replies").c_str(), O_WRONLY);
  if (fd >= 0) {
    if (write(fd, line.data(), line.size()) < 0) std::perror("twinworlds-demo-runner: replies");
    close(fd);
  }
  _exit(0);
}

// The next line from a parked game's FIFO; ends the process once the search
// that owns it has gone without a word.
std::string Pending;  // read from the FIFO, not yet acted on

std::string NextOrder(int fd) {
  std::string& pending = Pending;
  size_t end;
  while ((end = pending.find('\n')) == std::string::npos) {
    pollfd p{fd, POLLIN, 0};
    if (poll(&p, 1, 1000) == 0) {
      if (kill(Owner, 0) != 0) _exit(0);
      continue;
    }
    char buffer[4096];
    const ssize_t n = read(fd, buffer, sizeof buffer);
    if (n <= 0) _exit(0);
    pending.append(buffer, static_cast<size_t>(n));
  }
  std::string line = pending.substr(0, end);
  pending.erase(0, end + 1);
  return line;
}

// Waits for orders at the current flip; returns in a child that is to play on.
void Park() {
  const std::string path = Dir + "/n" + std::to_string(NodeId);
  const int fd = open(path.c_str(), O_RDWR);
  if (fd < 0) {
    if (errno == ENOENT) _exit(0);  // told to quit before it was ready
    std::perror(path.c_str());
    _exit(1);
  }
  for (;;) {
    const std::string line = NextOrder(fd);
    std::istringstream words(line);
    std::string order, name;
    words >> order >> name;
    if (order == "quit") _exit(0);
    if (order != "eval" && order != "spawn") continue;
    const pid_t child = fork();
    if (child < 0) std::perror("twinworlds-demo-runner: fork");
    if (child != 0) continue;
    close(fd);
    Pending.clear();  // the parent's orders, not this child's
    Evaluating = order == "eval";
    if (Evaluating) Tag = name;
    else NodeId = std::atoi(name.c_str());
    if (!ParseKeys(words)) {
      std::fprintf(stderr, "twinworlds-demo-runner: bad keys: %s\n", line.c_str());
      _exit(1);
    }
    return;
  }
}

// The keys of every flip: the plan gives them, and when it has run out
// the process reports or parks. (Flip 0 is the sample the window takes as
// it opens: no key.)
void PlanKeys(uint32_t flip, uint8_t* down) {
  if (flip == 0) return;
  while (Plan.empty()) {
    if (Evaluating) Report();
    Park();
  }
  std::memcpy(down, Plan.front().down, sizeof Plan.front().down);
  Plan.pop_front();
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: twinworlds-demo-runner DIR (in a game folder)\n");
    return 2;
  }
  Dir = argv[1];
  Owner = getppid();
  signal(SIGCHLD, SIG_IGN);  // children are never waited for
  RunOptions options;
  options.headless = true;
  if (!StartPlatform(options)) return 2;
  SetKeySource(PlanKeys);
  char commandLine[] = "";
  WinMain(GetModuleHandleA(nullptr), nullptr, commandLine, SW_SHOWDEFAULT);
  // The game ended (the closing screen was left) while a child played on.
  if (Evaluating) Report();
  return 0;
}
