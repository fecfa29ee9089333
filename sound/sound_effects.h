// The sound bank the game's events play.
#pragma once

struct SoundBuffer;

extern SoundBuffer* SeTest;
extern SoundBuffer* SeCoin;
extern SoundBuffer* SeFlowerAttack;
extern SoundBuffer* SeExplode;
extern SoundBuffer* SeOk;
extern SoundBuffer* SeLvup;
extern SoundBuffer* SeNo;
extern SoundBuffer* SeHit;
extern SoundBuffer* SeGara;
extern SoundBuffer* SeTestSpare;

void PlaySoundEffect(SoundBuffer* buffer);
