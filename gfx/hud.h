// Over the play picture: the inset of the other world, the HP gauge and the
// combo banner.
#pragma once

#include <cstdint>

#include "platform/gdi.h"

// Hits landed since the character was last hurt, and the banner's place.
extern int32_t ComboCount;
extern int32_t ComboBannerX;

extern HPEN BlackPen;
extern HBRUSH RedBrush;
extern HBRUSH WhiteBrush;

void DrawGauge(DDSurface* surface, HPEN pen, HBRUSH brush, int32_t x, int32_t y, int32_t fullWidth, int32_t height,
               int32_t value);
// The source reduced to a quarter each way in the destination's top-left corner.
void DrawInset(DDSurface* dest, DDSurface* source);
void DrawComboBanner(int32_t count);
