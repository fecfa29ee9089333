// Damage to a body, and death when its HP runs out.
#include "player/player_record.h"

void ApplyDamage(Body* body, int32_t amount) {
  body->hp -= amount;
  if (body->hp <= 0) {
    body->anim = 0;
    body->dead = 1;
    body->hp = 0;
  }
  body->hurt = 1;
}
