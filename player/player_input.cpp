// The active character's keys read each frame: the run, the jump, the wall
// cling and jump, and the start of each attack.
#include "player/player_input.h"

#include "app/game.h"
#include "player/player_record.h"
#include "stage/collision.h"
#include "stage/stage_map.h"

uint8_t DirectionLatch;
uint8_t KeyLatchZ;
uint8_t KeyLatchX;
uint8_t KeyLatchC;

namespace {

constexpr int VkC = 'C';
constexpr int VkX = 'X';
constexpr int VkZ = 'Z';
constexpr int32_t RunStep = 6;
constexpr int32_t ClingReach = 5;      // how near the wall must be
constexpr int32_t ClingFloorProbe = 32;  // no floor this far below the feet
constexpr int32_t ClingTravel = 10;    // travelled towards the wall since the jump

// Probes a copy of the body, so that neither the record nor the view moves.
bool WallWithoutFloor(const PlayerRecord* p, StageMap* map, int32_t dx, int32_t wallCode) {
  Body probe = p->body;
  if (MoveBody(&probe, map, dx, 0, 0) != wallCode) return false;
  return MoveBody(&probe, map, 0, ClingFloorProbe, 0) == MoveNoFloor;
}

void Cling(PlayerRecord* p) {
  p->body.air = WallCling;
  p->body.vy = -1;
  p->body.anim = 0;
}

void CountWalk(PlayerRecord* p) {
  if (p->body.attack != AttackNone || p->body.air != Grounded) return;
  p->body.anim += 1;
  if (p->body.anim / 3 == 3) p->body.anim = 0;
}

bool MayCling(const PlayerRecord* p) { return p->body.air == Airborne || p->body.air == WallCling; }

}  // namespace

int ReadPlayerInput(PlayerRecord* p, StageMap* map) {
  Body& b = p->body;
  if (KeyDown(VK_RIGHT) && (DirectionLatch == 0 || DirectionLatch == 1)) {
    // Right against a wall on the left: cling to it.
    if (MayCling(p) && WallWithoutFloor(p, map, -ClingReach, MoveWallLeft) &&
        p->jumpOriginX - b.x >= ClingTravel && b.attack == AttackNone)
      Cling(p);
    else
      MoveBody(&b, map, RunStep, 0, 1);
    b.facing = 1;
    CountWalk(p);
    DirectionLatch = 1;
  } else {
    DirectionLatch = 0;
  }
  if (KeyDown(VK_LEFT) && (DirectionLatch == 0 || DirectionLatch == 2)) {
    if (MayCling(p) && WallWithoutFloor(p, map, ClingReach, MoveWallRight) &&
        b.x - p->jumpOriginX >= ClingTravel && p->jumpOriginX != 0 && b.attack == AttackNone)
      Cling(p);
    else
      MoveBody(&b, map, -RunStep, 0, 1);
    b.facing = -1;
    CountWalk(p);
    DirectionLatch = 2;
  } else {
    DirectionLatch = 0;
  }

  if (b.attack != AttackNone) return 0;
  if (KeyDown(VkX) && KeyLatchX == 0) {
    b.attack = AttackSlash;
    if (KeyDown(VK_UP) && p->skills[SkillRising].level != 0) b.attack = AttackRising;
    if (KeyDown(VK_DOWN) && p->skills[SkillThrust].level != 0) b.attack = AttackThrust;
    KeyLatchX = 1;
    b.anim = 0;
    return 1;
  }
  if (KeyDown(VkC) && KeyLatchC == 0) {
    KeyLatchC = 1;
    b.attack = AttackSweep;
    b.anim = 0;
    return 1;
  }
  if (KeyDown(VkZ) && KeyLatchZ == 0 && (b.air == Grounded || b.air == WallCling)) {
    b.vy = -16;
    b.anim = 1;
    b.air = Airborne;
    KeyLatchZ = 1;
    p->jumpOriginX = b.x;
    return 1;
  }
  return 0;
}
