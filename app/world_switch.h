// Space: the other world zooms out of the inset and becomes the active one.
#pragma once

#include <cstdint>

#include "platform/ddraw.h"

struct PlayerRecord;
struct StageMap;
struct EnemyTable;

void RunWorldSwitch(PlayerRecord* active, DDSurface* sheet, StageMap* map, EnemyTable* enemies, uint8_t* switchActive);
