// The movable-body head that the character and every enemy share, and the
// character's own record.
#pragma once

#include <cstdint>

// Attack states.
constexpr int8_t AttackNone = 0;
constexpr int8_t AttackSlash = 1;   // vertical slash, X
constexpr int8_t AttackSweep = 2;   // horizontal slash, C
constexpr int8_t AttackRising = 3;  // upward slash, Up + X
constexpr int8_t AttackThrust = 4;  // downward thrust, Down + X

// Air states.
constexpr int8_t Grounded = 0;
constexpr int8_t Airborne = 1;
constexpr int8_t WallCling = 2;   // holding on to a wall: a jump is allowed
constexpr int8_t ClingFall = 10;  // fell out of a cling: no jump, no cling until landing

// Skill slots.
constexpr int SkillSlash = 0;
constexpr int SkillSweep = 1;
constexpr int SkillRising = 2;
constexpr int SkillThrust = 3;
constexpr int SkillMaxHp = 4;
constexpr int SkillSlots = 15;

struct Body {
  int32_t x;
  int32_t y;
  int32_t boxWidth;   // the box enemy attacks test against
  int32_t boxHeight;
  int32_t vy;         // positive downward
  int32_t vx;         // enemies' walking speed
  int32_t anim;
  int32_t hp;
  int8_t attack;
  int8_t air;
  int8_t facing;      // 1 right, -1 left (enemies: +2 / -2)
  int8_t hurt;
  int32_t dead;       // 0 alive, 1 exploding, 2 explosion over
  int32_t invuln;
  int32_t boxTop;     // collision box edges relative to x, y, inclusive
  int32_t boxBottom;
  int32_t boxRight;
  int32_t boxLeft;
};

struct SkillSlot {
  int32_t level;  // -1 not offered, 0 not learned
  int32_t cost;   // skill points for the next level
};

struct PlayerRecord {
  Body body;
  SkillSlot skills[SkillSlots];
  int32_t jumpOriginX;  // x when the last jump began; 0 since the last landing
  int32_t skillPoints;
  int32_t maxHp;
  int32_t explodeFrame;
};

// The one way a body loses hit points: hurt always, dead at 0.
void ApplyDamage(Body* body, int32_t amount);
