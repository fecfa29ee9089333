// The walker and the thrower frame by frame: their moves, the thrower's
// shot, their contact with the character, and their pictures.
#include "enemy/enemy_behaviour.h"

#include "enemy/coins.h"
#include "enemy/enemy_table.h"
#include "enemy/explosion.h"
#include "gfx/display.h"
#include "gfx/hud.h"
#include "sound/sound_effects.h"
#include "stage/collision.h"
#include "stage/stage_map.h"

namespace {

// 1/42 as a double: the shot's flight spreads a distance over 42 frames.
constexpr double OneFortySecond = 0.023809523809523808;
constexpr double ShotRise = 21;

struct Pose {
  int32_t left, top, right, bottom;
};
// The thrower's pictures in EnemySheet, by anim div 8: four walking steps,
// then the two wind-up phases (the first also the throw pose).
constexpr Pose ThrowerPoses[6] = {{0, 100, 64, 164},   {64, 100, 128, 164}, {0, 100, 64, 164},
                                  {128, 100, 190, 164}, {0, 164, 68, 228},   {68, 164, 167, 228}};
constexpr int32_t PoseThrow = 32;      // anim of the first wind-up phase and the throw pose
constexpr int32_t PoseWindUpLate = 40;
constexpr int32_t WalkCycle = 32;

void HurtCharacter(PlayerRecord* player, int32_t damage) {
  Body& c = player->body;
  ApplyDamage(&c, damage);
  ComboCount = 0;
  ComboBannerX = BannerHurtX;
  c.attack = AttackNone;  // an attack in progress is cancelled
  c.anim = 0;
  c.invuln = HurtInvulnFrames;
  PlaySoundEffect(SeHit);
}

// Whether a screen rectangle touches the character's box (20 x 52 for it).
bool TouchesCharacter(const PlayerRecord* player, const StageMap* map, int32_t left, int32_t top, int32_t width,
                      int32_t height, int32_t charWidth, int32_t charHeight) {
  const Body& c = player->body;
  return RectsOverlap(left, top, width, height, c.x + c.boxLeft - map->scrollX, c.y + c.boxTop + map->scrollY,
                      charWidth, charHeight);
}

void Reverse(Body* b) {
  b->vx = -b->vx;
  b->facing = static_cast<int8_t>(-b->facing);
}

// The fall move at the speed gravity has given; false when the enemy has
// fallen out of the map and its slot has been given up.
bool Fall(EnemySlot* slot, StageMap* map, int32_t* result) {
  *result = MoveBody(&slot->body, map, 0, slot->body.vy, 0);
  if (slot->body.y <= LostBelowY) return true;
  slot->kind = 0;
  return false;
}

void DrawEnemyGauge(DDSurface* dest, int32_t x, int32_t y, int32_t hp) {
  DrawGauge(dest, BlackPen, RedBrush, x, y, 50, 7, hp / 2);
}

// The shot's course: a high arc from the thrower whose horizontal speed is
// the plain DX / 42, corrected by how far a simulated arc misses the character.
void AimAndLaunch(EnemySlot* slot, const PlayerRecord* player) {
  Body& e = slot->body;
  const double px = player->body.x, py = player->body.y;
  const double ex = e.x, ey = e.y;
  slot->shotX = ex;
  slot->shotY = ey;
  const double dx = px - ex;
  const double step = dx * OneFortySecond;
  double x = ex, y = ey, v = ShotRise;
  for (;;) {
    x = x + step;
    y = y - v;
    if (py > y || v > 0)
      v = v - 1;
    else
      break;
  }
  // Walk the last simulated step back up, a pixel of height at a time, to
  // where it crosses the character's height.
  const double n = -(v + 1);
  double xb = x - step;
  double yb = y + v + 1;
  if (n > 0) {
    const double s = step / n;
    for (double i = 1; i <= n; i = i + 1) {
      if (yb == py) break;
      yb = yb + 1;
      xb = xb + s;
    }
  }
  slot->shotVX = (px - xb + dx) * OneFortySecond;
  slot->shotVY = ShotRise;
  if (dx < 0 && e.facing == 2) {
    e.facing = -2;
    e.vx = -e.vx;
  }
  if (dx > 0 && e.facing == -2) {
    e.facing = 2;
    e.vx = -e.vx;
  }
}

// The shot's screen box, 32 x 32 around its centre.
void ShotCorner(const EnemySlot* slot, const StageMap* map, int32_t* left, int32_t* top) {
  *left = static_cast<int32_t>(slot->shotX - map->scrollX - 16);
  *top = static_cast<int32_t>(slot->shotY + map->scrollY - 16);
}

void FlyShot(DDSurface* dest, EnemySlot* slot, StageMap* map, PlayerRecord* player) {
  slot->shotVY = slot->shotVY - 1;
  const int32_t probeDirection = slot->shotVY > 0 ? -1 : 1;
  const double nx = slot->shotX + slot->shotVX;
  const double ny = slot->shotY - slot->shotVY;
  Body probe{};
  probe.x = ToPixel(nx);
  probe.y = ToPixel(ny);
  probe.boxTop = -16;
  probe.boxBottom = 16;
  probe.boxRight = 16;
  probe.boxLeft = -16;
  // A cell met by the probe stops it short; a ceiling the probe already
  // reaches into pushes it back down, which the move reports as a fall.
  // Either way the probe did not move as asked, and the shot has struck.
  const int32_t startY = probe.y;
  MoveBody(&probe, map, 0, probeDirection, 0);
  if (probe.y - startY == probeDirection) {
    slot->shotX = nx;
    slot->shotY = ny;
  } else {
    // Struck a cell: it bursts where the probe stopped.
    slot->body.attack = ThrowBurst;
    slot->throwPoseDone = 0;
    slot->shotX = probe.x;
    slot->shotY = probe.y;
  }
  if (slot->shotY > LostBelowY) {
    // Fallen out of the map, it can strike nothing more: the flight ends
    // without a burst and the thrower may throw again.
    slot->body.attack = ThrowIdle;
    return;
  }
  int32_t left, top;
  ShotCorner(slot, map, &left, &top);
  if (TouchesCharacter(player, map, left, top, 32, 32, player->body.boxWidth, player->body.boxHeight) &&
      player->body.invuln == 0) {
    HurtCharacter(player, ShotDamage);
    slot->body.attack = ThrowBurst;
  }
  BltClipped(dest, left, top, EnemySheet, 100, 0, 132, 32, BltKeyed);
  if (slot->throwPoseDone == 0) {
    slot->body.anim = PoseThrow;
    slot->stateTicks += 1;
    if (slot->stateTicks == 5) {
      slot->throwPoseDone = 1;
      slot->stateTicks = 0;
    }
  }
}

// One tick of a timed wind-up phase; true on its fifth.
bool WindUpTick(EnemySlot* slot, int32_t pose) {
  slot->body.anim = pose;
  slot->stateTicks += 1;
  if (slot->stateTicks != 5) return false;
  slot->stateTicks = 0;
  return true;
}

// The thrower's attack states, in order, so that one frame can pass
// through several of them.
void RunThrow(DDSurface* dest, EnemySlot* slot, StageMap* map, PlayerRecord* player) {
  Body& e = slot->body;
  if (e.attack == ThrowWindUp && WindUpTick(slot, PoseThrow)) e.attack = ThrowWindUpLate;
  if (e.attack == ThrowWindUpLate && WindUpTick(slot, PoseWindUpLate)) e.attack = ThrowLaunch;
  if (e.attack == ThrowLaunch) {
    AimAndLaunch(slot, player);
    e.attack = ThrowFlight;
    PlaySoundEffect(SeFlowerAttack);
  }
  if (e.attack == ThrowFlight) FlyShot(dest, slot, map, player);
  if (e.attack == ThrowBurst) {
    const int32_t x = static_cast<int32_t>(slot->shotX - map->scrollX - 44);
    const int32_t y = static_cast<int32_t>(slot->shotY + map->scrollY - 44);
    if (DrawExplosion(dest, x, y, &slot->shotBlastTick, BltKeyed)) {
      e.attack = ThrowIdle;
      slot->shotBlastTick = 0;
    }
  }
}

}  // namespace

int32_t ToPixel(double v) { return static_cast<int32_t>(v + 0.55); }

void UpdateWalker(DDSurface* dest, EnemyTable* table, StageMap* map, PlayerRecord* player, int32_t index) {
  EnemySlot* slot = &table->slots[index];
  Body& b = slot->body;
  const int32_t sx = map->scrollX, sy = map->scrollY;
  if (b.dead == 1) {
    // Nothing but the explosion, counted in anim; its end frees the slot.
    if (DrawExplosion(dest, b.x - sx - 40, b.y + sy - 40, &b.anim, BltKeyed)) {
      slot->kind = 0;
      ThrowCoins(&Coins, slot, map, 3);
    }
    return;
  }
  b.vy += 1;
  int32_t fall;
  if (!Fall(slot, map, &fall)) return;
  if (b.air == 1) {
    if (fall == MoveLanded) b.air = 0;
  } else if (MoveBody(&b, map, b.vx, 0, 0) != MoveFree) {
    Reverse(&b);  // walls turn it; ledges do not
  }
  // Its contact box reaches further down than its collision box.
  if (TouchesCharacter(player, map, b.x + b.boxLeft - sx, b.y + b.boxTop + sy, 40, 71, 20, 52) &&
      player->body.invuln == 0)
    HurtCharacter(player, ContactDamage);
  DDSurface* sheet = b.facing == -2 ? EnemySheet : GEnemySheet;
  if (b.hurt == 1)
    BltSilhouette(dest, b.x - sx - 50, b.y + sy - 50, sheet, 0, 0, 100, 80);
  else
    BltClipped(dest, b.x - sx - 50, b.y + sy - 50, sheet, 0, 0, 100, 80, BltKeyed);
  DrawEnemyGauge(dest, b.x - sx - 25, b.y + sy - 50, b.hp);
  b.hurt = 0;
}

void UpdateThrower(DDSurface* dest, EnemyTable* table, StageMap* map, PlayerRecord* player, int32_t index) {
  EnemySlot* slot = &table->slots[index];
  Body& b = slot->body;
  const int32_t sx = map->scrollX, sy = map->scrollY;
  b.vy = b.dead == 0 ? b.vy + 1 : 0;
  int32_t fall;
  if (!Fall(slot, map, &fall)) return;
  if (b.air == 1) {
    if (fall == MoveLanded) b.air = 0;
  } else if (b.attack != ThrowWindUp && b.attack != ThrowWindUpLate && b.dead == 0) {
    if (MoveBody(&b, map, b.vx, 0, 0) == MoveFree) {
      // Restarted from 32 on too: the throw pose leaves the count at 32,
      // where the walk would otherwise count on past its four steps.
      b.anim += 1;
      if (b.anim >= WalkCycle) b.anim = 0;
    } else {
      Reverse(&b);
    }
  }
  const int32_t boxWidth = b.boxRight - b.boxLeft, boxHeight = b.boxBottom - b.boxTop;
  if (b.dead == 0 && player->body.invuln == 0 &&
      TouchesCharacter(player, map, b.x + b.boxLeft - sx, b.y + b.boxTop + sy, boxWidth, boxHeight,
                       player->body.boxWidth, player->body.boxHeight))
    HurtCharacter(player, ContactDamage);
  if (b.attack == ThrowIdle && b.dead == 0 && WithinRadius(&player->body, slot, SightRadius)) {
    b.anim = PoseThrow;
    b.attack = ThrowWindUp;
  }
  RunThrow(dest, slot, map, player);
  if (b.dead == 1 && DrawExplosion(dest, b.x - sx - 32, b.y + sy - 32, &slot->deathBlastTick, BltKeyed)) {
    b.dead = DeadCoinsThrown;
    ThrowCoins(&Coins, slot, map, 7);
  }
  // A thrower killed in the middle of a throw keeps its slot until the shot is over.
  if (b.dead == DeadCoinsThrown && b.attack == ThrowIdle) slot->kind = 0;
  if (b.dead == 0) {
    const Pose& pose = ThrowerPoses[b.anim / 8];
    const int32_t x = b.x - sx - (pose.right - pose.left) / 2, y = b.y + sy - 32;
    if (b.hurt == 1)
      BltSilhouette(dest, x, y, EnemySheet, pose.left, pose.top, pose.right, pose.bottom);
    else
      BltClipped(dest, x, y, EnemySheet, pose.left, pose.top, pose.right, pose.bottom, BltKeyed);
    DrawEnemyGauge(dest, b.x - sx - 25, b.y + sy - 45, b.hp);
  }
  b.hurt = 0;
}
