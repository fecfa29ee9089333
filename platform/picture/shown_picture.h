// The picture on the display: the primary surface's front buffer while it
// exists, afterwards the copy kept when it was released; the palette in
// force; and its paced presentation through the backend.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/windows_types.h"

// The front buffer now shown and the palette in force (null: all black).
// Given again at every flip, since the buffers change places.
void ShowSurface(const uint8_t* pixels, int pitch, const PALETTEENTRY* palette);
// A new palette is in force: the nearest-colour answers are forgotten.
void NotePaletteChange();
// The primary surface goes: its front buffer (640 x 480 at `pitch`) and
// the palette in force are kept as the picture shown, unless another
// front buffer is on show.
void KeepShownPicture(const uint8_t* pixels, int pitch);
// A new run: nothing shown yet, nothing remembered of the palette.
void StartShownPicture();

const PALETTEENTRY* PaletteInForce();
// The palette index GDI uses for a colour: the nearest entry of the palette
// in force.
uint8_t NearestPaletteIndex(COLORREF colour);
// The picture shown, as 640 x 480 RGB bytes through the palette in force.
std::vector<uint8_t> ShownPictureRgb();

// Shows the picture through the backend. Without a vertical blank to wait
// for, it keeps to the pace of a 60 Hz display, which is what the game's
// own loops expect of a flip.
void PresentPaced();

// An 8-bit picture (640 x 480) through a palette as 32-bit pixels: ARGB
// words (0xAARRGGBB), or with `rgbaBytes` the bytes red, green, blue,
// alpha in memory, as a canvas has them.
void ConvertToPixels32(const uint8_t* pixels, int pitch, const PALETTEENTRY* palette, uint32_t* out, int outPitchBytes,
                       bool rgbaBytes);
// True when the picture or the palette differs from the one given at the
// last call that said true (always at the first call of a run, and after
// ForgetConvertedPicture): a backend converts only then, since the game
// shows the same picture at many flips (the title, the menus, a pause).
bool PictureChangedSinceConversion(const uint8_t* pixels, int pitch, const PALETTEENTRY* palette);
// What the backend shows is no longer the picture last converted (a
// message box drew over it, the renderer lost it).
void ForgetConvertedPicture();
// Since the run started: pictures handed to the backend, and pictures
// converted (--timedemo prints both).
uint64_t PicturesPresented();
uint64_t PicturesConverted();
