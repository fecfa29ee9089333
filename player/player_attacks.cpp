// The character's pictures for each pose and attack, and the attacks'
// hit tests against the enemies of its world.
#include "player/player_attacks.h"

#include <algorithm>

#include "enemy/enemy_table.h"
#include "gfx/display.h"
#include "gfx/hud.h"
#include "player/player_record.h"
#include "sound/sound_effects.h"
#include "stage/collision.h"
#include "stage/stage_map.h"

namespace {

const RECT WalkPictures[4] = {{0, 0, 64, 64}, {64, 0, 128, 64}, {0, 0, 64, 64}, {128, 0, 192, 64}};
const RECT ClingPicture = {0, 320, 64, 384};
const RECT JumpPicture = {64, 320, 128, 384};
const RECT RecoilPicture = {128, 320, 192, 384};
const RECT SlashPictures[3] = {{0, 128, 64, 192}, {64, 128, 171, 192}, {180, 128, 277, 192}};
const RECT SweepPictures[3] = {{0, 64, 64, 128}, {64, 64, 164, 128}, {170, 64, 282, 128}};
const RECT RisingPictures[3] = {{0, 190, 64, 254}, {64, 190, 166, 274}, {166, 206, 285, 275}};
// The thrust holds one picture; the table is indexed like the others.
const RECT ThrustPictures[3] = {{190, 308, 254, 380}, {190, 308, 254, 380}, {190, 308, 254, 380}};
const int32_t RisingOffsets[3] = {0, -10, 11};

// Attack pictures are shown three frames each; a recoil or a stray counter
// never indexes past the last.
int PictureIndex(int32_t anim) { return std::clamp(anim / 3, 0, 2); }

}  // namespace

int32_t AttackHitTest(PlayerRecord* player, EnemyTable* enemies, StageMap* map, int32_t offsetX, int32_t offsetY,
                      int32_t width, int32_t height, const RECT* pictures) {
  Body& r = player->body;
  int32_t f = 32, result = 32;
  if (r.facing == -1) {
    const RECT& p = pictures[PictureIndex(r.anim)];
    result = (p.right - p.left) - 32;
    f = -result;
  }
  if (r.anim < 3) return result;  // the first picture never hits
  const int32_t hitLeft = r.x + f - offsetX;
  const int32_t hitTop = r.y - offsetY;
  for (EnemySlot& e : enemies->slots) {
    Body& b = e.body;
    if (e.kind <= 0 || e.reserved17 != 0 || b.dead != 0) {
      e.reserved17 = 0;
      continue;
    }
    if (!RectsOverlap(hitLeft, hitTop, width, height, b.x + b.boxLeft, b.y + b.boxTop, b.boxRight - b.boxLeft,
                      b.boxBottom - b.boxTop) ||
        e.hitsThisAttack >= 2)
      continue;
    if (e.hitsThisAttack == 0) {
      ComboCount += 1;
      ComboBannerX = BannerRestartX;
      PlaySoundEffect(SeTest);
    }
    if (r.attack != AttackThrust) e.hitsThisAttack += 1;
    b.facing = r.facing == -1 ? 2 : -2;  // turns towards the attacker
    int32_t push = -4 * b.facing;
    int32_t damage = 0;
    if (r.attack == AttackSlash || r.attack == AttackSweep) {
      const int32_t level = player->skills[r.attack == AttackSlash ? SkillSlash : SkillSweep].level;
      damage = static_cast<int32_t>(1.5 * level + 4);
    }
    if (b.air == 1) {
      // Kept up in the air by further slashes: both hang for a moment.
      b.vy = -1;
      r.vy = -1;
      r.air = Airborne;
      push = 0;
    }
    if (r.attack == AttackRising) {
      b.vy = -14;
      b.air = 1;
      damage = player->skills[SkillRising].level / 2 + 1;
      push = 0;
    }
    if (r.attack == AttackThrust) {
      r.vy = -14;
      r.air = Grounded;  // a jump is possible again
      damage = player->skills[SkillThrust].level / 2 + 15;
    }
    ApplyDamage(&b, damage);
    b.hurt = 1;
    b.vx = b.facing;
    MoveBody(&b, map, push, 0, 0);
  }
  return result;
}

void DrawPlayer(DDSurface* target, StageMap* map, PlayerRecord* player, DDSurface* sheet, EnemyTable* enemies) {
  Body& b = player->body;
  int32_t d = 32;
  RECT picture;
  if (b.air == Grounded)
    picture = WalkPictures[((b.anim / 2) % 4 + 4) % 4];
  else
    picture = b.anim == 0 ? ClingPicture : JumpPicture;
  if (b.hurt == 1) {
    b.anim += 1;
    picture = RecoilPicture;
  }
  if (b.attack >= AttackSlash && b.attack <= AttackRising) {
    const int32_t t = b.anim;
    const int i = PictureIndex(t);
    if (b.attack == AttackSlash) {
      d = AttackHitTest(player, enemies, map, 0, 0, 50, 11, SlashPictures);
      picture = SlashPictures[i];
    } else if (b.attack == AttackSweep) {
      d = AttackHitTest(player, enemies, map, 0, 5, 50, 32, SweepPictures);
      picture = SweepPictures[i];
    } else {
      d = AttackHitTest(player, enemies, map, RisingOffsets[i], 0, 50, 11, RisingPictures);
      picture = RisingPictures[i];
    }
    b.anim = t + 1;
  } else if (b.attack == AttackThrust) {
    b.anim = 7;
    d = AttackHitTest(player, enemies, map, 32 * b.facing, 0, 15, 40, ThrustPictures);
    picture = ThrustPictures[0];
  }
  if (b.invuln % 2 == 0)
    BltClipped(target, b.x - map->scrollX - d, b.y + map->scrollY - 32, sheet, picture.left, picture.top,
               picture.right, picture.bottom, BltKeyed);
  if (b.invuln > 0) b.invuln -= 1;
  if (b.anim / 3 == 3) {
    b.attack = AttackNone;
    b.anim = 0;
    b.hurt = 0;
  }
}
