// Space: the other world zooms out of the inset and becomes the active one.
#pragma once

#include <cstdint>

#include "platform/win32/ddraw.h"

struct PlayerRecord;
struct StageMap;
struct EnemyTable;

// 0 idle, 1 zooming, 2 finishing.
constexpr uint8_t SwitchIdle = 0;
constexpr uint8_t SwitchZooming = 1;
constexpr uint8_t SwitchFinishing = 2;
extern uint8_t SwitchPhase;
// The zoomed picture's size, 160 x 120 (the inset) growing to 640 x 480.
extern int32_t SwitchZoomWidth;
extern int32_t SwitchZoomHeight;
extern RECT SwitchDestRect;

// One frame of the switch; clears *switchActive and toggles GameMode in the
// frame the zoom has filled the screen.
void RunWorldSwitch(PlayerRecord* active, DDSurface* sheet, StageMap* map, EnemyTable* enemies, uint8_t* switchActive);
