// Silent until the sound bank is loaded at start-up; the buffers stay null.
#include "sound/sound_effects.h"

DSBuffer* SeTest;
DSBuffer* SeCoin;
DSBuffer* SeFlowerAttack;
DSBuffer* SeExplode;
DSBuffer* SeOk;
DSBuffer* SeLvup;
DSBuffer* SeNo;
DSBuffer* SeHit;
DSBuffer* SeGara;
DSBuffer* SeTestSpare;

void PlaySoundEffect(DSBuffer* const&) {}
