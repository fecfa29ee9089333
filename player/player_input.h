// The active character's keys: running, jumping, the wall cling and jump,
// and the start of its attacks.
#pragma once

#include <cstdint>

struct PlayerRecord;
struct StageMap;

// Which arrow was honoured last frame: 0 none, 1 right, 2 left.
extern uint8_t DirectionLatch;
// 1 from the frame a key started an action until it is seen released.
extern uint8_t KeyLatchZ;
extern uint8_t KeyLatchX;
extern uint8_t KeyLatchC;

// Returns 1 when X, C or Z started an action this frame.
int ReadPlayerInput(PlayerRecord* player, StageMap* map);
