// The sound bank the game's events play.
#pragma once

struct DSBuffer;

extern DSBuffer* SeTest;
extern DSBuffer* SeCoin;
extern DSBuffer* SeFlowerAttack;
extern DSBuffer* SeExplode;
extern DSBuffer* SeOk;
extern DSBuffer* SeLvup;
extern DSBuffer* SeNo;
extern DSBuffer* SeHit;
extern DSBuffer* SeGara;
extern DSBuffer* SeTestSpare;

void PlaySoundEffect(DSBuffer* const& buffer);
