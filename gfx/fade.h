// Whole-screen fades by palette: the pixels stay, the colours go and return.
#pragma once

#include "platform/win32/ddraw.h"

void FadeOut(int step, PALETTEENTRY* palette);
void FadeIn(int step, PALETTEENTRY* palette);
