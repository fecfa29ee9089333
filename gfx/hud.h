// Drawn over the play picture every frame: the inset of the other world, the
// HP gauge, and the combo banner; and the digit routines they share with the
// skill menu.
#pragma once

#include <cstdint>

#include "platform/win32/ddraw.h"
#include "platform/win32/gdi.h"

// Hits landed since the character was last hurt, and where its banner is.
extern int32_t ComboCount;
extern int32_t ComboBannerX;
// A first hit restarts the banner's stay; being hurt sends it out.
constexpr int32_t BannerRestartX = -400;
constexpr int32_t BannerHurtX = 360;

extern HPEN BlackPen;
extern HBRUSH RedBrush;
extern HBRUSH WhiteBrush;

void DrawGauge(DDSurface* surface, HPEN pen, HBRUSH brush, int x, int y, int fullWidth, int height, int value);
void DrawInset(DDSurface* dest, DDSurface* source);
void DrawComboBanner(int32_t count);

// The last n (1 to 4) of a value's four decimal positions in small digits,
// leading zeros blank.
void DrawSmallNumber(int x, int y, int32_t value, int positions);
// Four positions of large digits; returns 4.
int DrawLargeNumber(int32_t value, int x, int y);
