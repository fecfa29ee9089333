// Silent until the sound bank is loaded at start-up; the buffers stay null.
#include "sound/sound_effects.h"

SoundBuffer* SeTest;
SoundBuffer* SeCoin;
SoundBuffer* SeFlowerAttack;
SoundBuffer* SeExplode;
SoundBuffer* SeOk;
SoundBuffer* SeLvup;
SoundBuffer* SeNo;
SoundBuffer* SeHit;
SoundBuffer* SeGara;
SoundBuffer* SeTestSpare;

void PlaySoundEffect(SoundBuffer*) {}
