// The game state as JSON: taken once as the run ends, written whole.
#include "app/state_dump.h"

#include <cstdio>
#include <nlohmann/json.hpp>

#include "app/game.h"
#include "editor/stage_editor.h"
#include "enemy/coins.h"
#include "enemy/enemy_table.h"
#include "gfx/hud.h"
#include "platform/shell/run.h"
#include "player/player_record.h"
#include "sound/music.h"
#include "sound/sound_effects.h"
#include "stage/stage_map.h"

namespace {
nlohmann::ordered_json Captured;
bool HaveCapture = false;
const PlayerRecord* DumpPlayers[2];
const EnemyTable* DumpEnemies[2];

void PutBody(nlohmann::ordered_json& j, const Body& b) {
  j["x"] = b.x;
  j["y"] = b.y;
  j["boxWidth"] = b.boxWidth;
  j["boxHeight"] = b.boxHeight;
  j["vy"] = b.vy;
  j["vx"] = b.vx;
  j["anim"] = b.anim;
  j["hp"] = b.hp;
  j["attack"] = b.attack;
  j["air"] = b.air;
  j["facing"] = b.facing;
  j["hurt"] = b.hurt;
  j["dead"] = b.dead;
  j["invuln"] = b.invuln;
  j["boxTop"] = b.boxTop;
  j["boxBottom"] = b.boxBottom;
  j["boxRight"] = b.boxRight;
  j["boxLeft"] = b.boxLeft;
}

nlohmann::ordered_json PlayerJson(const PlayerRecord& p) {
  nlohmann::ordered_json j;
  PutBody(j, p.body);
  nlohmann::ordered_json skills = nlohmann::ordered_json::array();
  for (const SkillSlot& s : p.skills) skills.push_back({s.level, s.cost});
  j["skills"] = skills;
  j["jumpOriginX"] = p.jumpOriginX;
  j["skillPoints"] = p.skillPoints;
  j["maxHp"] = p.maxHp;
  j["explodeFrame"] = p.explodeFrame;
  return j;
}

nlohmann::ordered_json MapJson(const StageMap& m) {
  nlohmann::ordered_json j;
  j["width"] = m.width;
  j["height"] = m.height;
  j["scrollX"] = m.scrollX;
  j["scrollY"] = m.scrollY;
  j["scrollXTotal"] = m.scrollXTotal;
  j["scrollYTotal"] = m.scrollYTotal;
  j["hiddenCount"] = m.hiddenCount;
  nlohmann::ordered_json cells = nlohmann::ordered_json::array();
  if (m.cells)
    for (int64_t i = 0; i < static_cast<int64_t>(m.width) * m.height; i++) cells.push_back(m.cells[i]);
  j["cells"] = cells;
  return j;
}

nlohmann::ordered_json EnemiesJson(const EnemyTable& t) {
  nlohmann::ordered_json list = nlohmann::ordered_json::array();
  for (int i = 0; i < EnemySlots; i++) {
    const EnemySlot& s = t.slots[i];
    if (s.kind == 0) continue;
    nlohmann::ordered_json j;
    j["slot"] = i;
    j["reserved0"] = s.reserved0;
    PutBody(j, s.body);
    j["kind"] = s.kind;
    j["reserved17"] = s.reserved17;
    j["hitsThisAttack"] = s.hitsThisAttack;
    j["stateTicks"] = s.stateTicks;
    j["throwPoseDone"] = s.throwPoseDone;
    j["shotBlastTick"] = s.shotBlastTick;
    j["deathBlastTick"] = s.deathBlastTick;
    j["shotX"] = s.shotX;
    j["shotY"] = s.shotY;
    j["shotVX"] = s.shotVX;
    j["shotVY"] = s.shotVY;
    list.push_back(j);
  }
  return list;
}

nlohmann::ordered_json CoinsJson(const CoinTable& t) {
  nlohmann::ordered_json list = nlohmann::ordered_json::array();
  for (int i = 0; i < CoinSlots; i++) {
    const CoinEntry& c = t.entries[i];
    if (c.kind == 0) continue;
    nlohmann::ordered_json j;
    j["index"] = i;
    j["x"] = c.x;
    j["y"] = c.y;
    j["kind"] = c.kind;
    j["vy"] = c.vy;
    j["vx"] = c.vx;
    j["life"] = c.life;
    j["boxTop"] = c.boxTop;
    j["boxBottom"] = c.boxBottom;
    j["boxRight"] = c.boxRight;
    j["boxLeft"] = c.boxLeft;
    list.push_back(j);
  }
  return list;
}
}  // namespace

void SetDumpWorlds(const PlayerRecord* playerA, const PlayerRecord* playerB, const EnemyTable* enemiesA,
                   const EnemyTable* enemiesB) {
  DumpPlayers[0] = playerA;
  DumpPlayers[1] = playerB;
  DumpEnemies[0] = enemiesA;
  DumpEnemies[1] = enemiesB;
}

void ForgetDumpWorlds() { SetDumpWorlds(nullptr, nullptr, nullptr, nullptr); }

const PlayerRecord* DumpedPlayer(int world) { return DumpPlayers[world & 1]; }
const EnemyTable* DumpedEnemies(int world) { return DumpEnemies[world & 1]; }

void CaptureGameState() {
  nlohmann::ordered_json j;
  j["flips"] = FlipCount();
  j["frames"] = FramesOfPlay;
  j["gameMode"] = GameMode;
  j["comboCount"] = ComboCount;
  j["comboBannerX"] = ComboBannerX;
  if (DumpPlayers[0]) {
    const StageMap* maps[2] = {&WorldMapA, &WorldMapB};
    nlohmann::ordered_json worlds = nlohmann::ordered_json::array();
    for (int w = 0; w < 2; w++) {
      nlohmann::ordered_json world;
      world["player"] = PlayerJson(*DumpPlayers[w]);
      world["map"] = MapJson(*maps[w]);
      world["enemies"] = EnemiesJson(*DumpEnemies[w]);
      worlds.push_back(world);
    }
    j["worlds"] = worlds;
  }
  j["coins"] = CoinsJson(Coins);
  // How often each sound was played, whether or not anything was heard.
  nlohmann::ordered_json sounds = nlohmann::ordered_json::object();
  for (int i = 0; i < SoundBankSize; i++) sounds[SoundBankNames[i]] = SoundPlayCounts[i];
  j["sounds"] = std::move(sounds);
  j["music"] = MusicSegment == nullptr                            ? "absent"
               : IsPlaying(MusicPerformance, MusicSegment) ? "playing"
                                                                  : "stopped";
  // A run that opened the stage editor: what it holds (no other run's dump
  // has this).
  if (StageEditorOpened()) {
    nlohmann::ordered_json editor;
    editor["faults"] = StageEditorFaults();
    editor["clearingRun"] = EditorClearingRun();
    j["editor"] = std::move(editor);
  }
  Captured = std::move(j);
  HaveCapture = true;
}

void CaptureFinalState() {
  if (HaveCapture || CurrentRunOptions().dumpStateFile.empty()) return;
  CaptureGameState();
}

bool WriteGameState(const std::string& path) {
  if (!HaveCapture) CaptureGameState();
  if (!WriteFileAtomically(path, Captured.dump(1) + '\n')) {
    std::fprintf(stderr, "twinworlds: --dump-state %s: cannot be written\n", path.c_str());
    return false;
  }
  return true;
}
