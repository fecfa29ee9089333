// Coins and hearts: thrown out of a beaten enemy, falling and bouncing
// through the map, and taken by the active character.
#include "enemy/coins.h"

#include <algorithm>

#include "app/random.h"
#include "enemy/enemy_table.h"
#include "gfx/display.h"
#include "gfx/hud.h"
#include "player/player_record.h"
#include "sound/sound_effects.h"
#include "stage/collision.h"
#include "stage/stage_map.h"

CoinTable Coins;

namespace {

constexpr int32_t HeartHp = 10;

void PlaceCoin(CoinEntry* c, const Body& from, int32_t vx) {
  c->kind = CoinKindCoin;
  if (Random() % 10 == 5) c->kind = CoinKindHeart;
  c->vy = -15;
  c->vx = vx;
  c->x = from.x;
  c->y = from.y;
  c->boxTop = -5;
  c->boxBottom = 5;
  c->boxRight = 5;
  c->boxLeft = -5;
  c->life = CoinLife;
}

// One frame of fall and drift. False when the pick-up has fallen out of the map.
bool MoveCoin(CoinEntry* c, StageMap* map) {
  Body body{};
  body.x = c->x;
  body.y = c->y;
  body.vy = c->vy;
  body.boxTop = c->boxTop;
  body.boxBottom = c->boxBottom;
  body.boxRight = c->boxRight;
  body.boxLeft = c->boxLeft;
  const int32_t fall = MoveBody(&body, map, 0, c->vy, 0);
  // On the ground or a hazard it lies still; a goal cell lets it slide on.
  if (fall == MoveLanded || fall == MoveHazard) c->vx = 0;
  c->vy = body.vy;
  const int32_t drift = MoveBody(&body, map, c->vx, 0, 0);
  if (drift == MoveWallLeft || drift == MoveWallRight) c->vx = -c->vx;
  c->vy += 1;
  c->x = body.x;
  c->y = body.y;
  return c->y <= LostBelowY;
}

}  // namespace

void ThrowCoins(CoinTable* coins, const EnemySlot* enemy, StageMap*, int32_t count) {
  const int32_t half = count / 2;
  int32_t placed = 0;
  for (CoinEntry& c : coins->entries) {
    if (placed >= count) break;
    if (c.kind != 0) continue;
    PlaceCoin(&c, enemy->body, placed - half);
    placed++;
  }
}

void UpdateCoins(DDSurface* dest, CoinTable* coins, StageMap* map) {
  for (CoinEntry& c : coins->entries) {
    if (c.kind == 0) continue;
    if (!MoveCoin(&c, map)) {
      c.kind = 0;
      continue;
    }
    const int32_t left = c.x + c.boxLeft - map->scrollX;
    const int32_t top = c.y + c.boxTop + map->scrollY;
    // Steady for most of its life, blinking over the last 100 frames, with
    // a white glint of 3 frames in every 60.
    if (c.life > 100 || c.life % 2 == 0) {
      const int32_t picture = c.kind == CoinKindHeart ? 171 : 160;
      if (c.life % 60 < 3)
        BltSilhouette(dest, left, top, TileSheet, picture, 0, picture + 11, 11);
      else
        BltClipped(dest, left, top, TileSheet, picture, 0, picture + 11, 11, BltKeyed);
    }
    c.life -= 1;
    if (c.life < 0) c.kind = 0;
  }
}

void CollectCoins(PlayerRecord* active, PlayerRecord* other, CoinTable* coins, StageMap* map) {
  const Body& b = active->body;
  const int32_t left = b.x - map->scrollX + b.boxLeft;
  const int32_t top = b.y + map->scrollY + b.boxTop;
  const int32_t width = b.boxRight - b.boxLeft;
  const int32_t height = b.boxBottom - b.boxTop;
  for (CoinEntry& c : coins->entries) {
    if (c.kind == 0) continue;
    if (!RectsOverlap(left, top, width, height, c.x + c.boxLeft - map->scrollX, c.y + c.boxTop + map->scrollY, 10,
                      10))
      continue;
    if (c.kind == CoinKindCoin) {
      // Worth more the longer the combo; nothing once the purse is full.
      // Below the limit the sum cannot leave the int32 range, whatever the combo.
      if (active->skillPoints < SkillPointLimit) {
        active->skillPoints += ComboCount / 3 + 1;
        PlaySoundEffect(SeCoin);
      }
    } else if (c.kind == CoinKindHeart) {
      const int64_t hp = std::min<int64_t>(static_cast<int64_t>(active->body.hp) + HeartHp, active->maxHp);
      active->body.hp = static_cast<int32_t>(hp);
      other->body.hp = active->body.hp;  // the two worlds share their hit points
    }
    c.kind = 0;
  }
}
