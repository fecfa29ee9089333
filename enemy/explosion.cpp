// The explosion: nine pictures, two frames each, and its sound at the first.
#include "enemy/explosion.h"

#include "gfx/display.h"
#include "sound/sound_effects.h"

int32_t DrawExplosion(DDSurface* dest, int32_t x, int32_t y, int32_t* counter, DWORD flags) {
  if (*counter == 0) PlaySoundEffect(SeExplode);
  const int32_t f = *counter / 2;
  BltClipped(dest, x, y, ExplodeSheet, 64 * f, 0, 64 * f + 64, 64, flags);
  *counter += 1;
  if (*counter >= 18) {
    *counter = 0;
    return 1;
  }
  return 0;
}
