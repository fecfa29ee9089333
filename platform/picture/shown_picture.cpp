// The picture shown, the palette in force, and the 60 Hz present.
#include "platform/picture/shown_picture.h"

#include <chrono>
#include <cstring>

#include "platform/backend.h"

namespace {

// The front buffer while the primary surface exists (null before the first
// flip and after its release), and the copy kept afterwards.
const uint8_t* Front = nullptr;
int FrontPitch = 0;
const PALETTEENTRY* FrontPalette = nullptr;
std::vector<uint8_t> Kept(ScreenWidth * ScreenHeight, 0);
PALETTEENTRY KeptPalette[256];

// Nearest-colour lookups are cached per palette.
uint32_t CachedColour[64];
uint8_t CachedIndex[64];
bool CacheValid[64];

std::chrono::steady_clock::time_point LastPresent;
uint64_t Presented = 0, Converted = 0;
// The picture and palette last converted, to tell a new one from it.
std::vector<uint8_t> Converted8(ScreenWidth * ScreenHeight, 0);
PALETTEENTRY ConvertedPalette[256];
bool ConvertedKnown = false;

uint8_t ShownIndex(int x, int y) {
  return Front ? Front[static_cast<size_t>(y) * FrontPitch + x] : Kept[static_cast<size_t>(y) * ScreenWidth + x];
}

}  // namespace

void ShowSurface(const uint8_t* pixels, int pitch, const PALETTEENTRY* palette) {
  Front = pixels;
  FrontPitch = pitch;
  FrontPalette = palette;
}

void NotePaletteChange() { std::memset(CacheValid, 0, sizeof CacheValid); }

void KeepShownPicture(const uint8_t* pixels, int pitch) {
  if (Front && Front != pixels) return;  // another surface's front buffer is on show
  for (int y = 0; y < ScreenHeight; y++)
    std::memcpy(&Kept[static_cast<size_t>(y) * ScreenWidth], pixels + static_cast<size_t>(y) * pitch, ScreenWidth);
  std::memcpy(KeptPalette, PaletteInForce(), sizeof KeptPalette);
  Front = nullptr;
  FrontPalette = nullptr;
}

void StartShownPicture() {
  NotePaletteChange();
  Presented = Converted = 0;
  ConvertedKnown = false;
  LastPresent = std::chrono::steady_clock::now();
}

const PALETTEENTRY* PaletteInForce() {
  static const PALETTEENTRY black[256] = {};
  if (!Front) return KeptPalette;
  return FrontPalette ? FrontPalette : black;
}

uint8_t NearestPaletteIndex(COLORREF colour) {
  const int slot = static_cast<int>((colour * 2654435761u) >> 26);
  if (CacheValid[slot] && CachedColour[slot] == colour) return CachedIndex[slot];
  const PALETTEENTRY* p = PaletteInForce();
  const int r = GetRValue(colour), g = GetGValue(colour), b = GetBValue(colour);
  int best = 0, bestDistance = 1 << 30;
  for (int i = 0; i < 256; i++) {
    const int dr = p[i].peRed - r, dg = p[i].peGreen - g, db = p[i].peBlue - b;
    const int d = dr * dr + dg * dg + db * db;
    if (d < bestDistance) {
      bestDistance = d;
      best = i;
    }
  }
  CacheValid[slot] = true;
  CachedColour[slot] = colour;
  CachedIndex[slot] = static_cast<uint8_t>(best);
  return static_cast<uint8_t>(best);
}

std::vector<uint8_t> ShownPictureRgb() {
  std::vector<uint8_t> rgb(static_cast<size_t>(ScreenWidth) * ScreenHeight * 3);
  const PALETTEENTRY* palette = PaletteInForce();
  for (int y = 0; y < ScreenHeight; y++) {
    for (int x = 0; x < ScreenWidth; x++) {
      const PALETTEENTRY& c = palette[ShownIndex(x, y)];
      uint8_t* o = &rgb[(static_cast<size_t>(y) * ScreenWidth + x) * 3];
      o[0] = c.peRed;
      o[1] = c.peGreen;
      o[2] = c.peBlue;
    }
  }
  return rgb;
}

void PresentPaced() {
  if (!ActiveBackend || !Front) return;
  using Clock = std::chrono::steady_clock;
  if (ActiveBackend->delay) {
    const auto elapsed = std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - LastPresent).count();
    if (elapsed < 1000 / 60) ActiveBackend->delay(static_cast<uint32_t>(1000 / 60 - elapsed));
  }
  ActiveBackend->present(Front, FrontPitch, PaletteInForce());
  Presented++;
  LastPresent = Clock::now();
}

void ConvertToPixels32(const uint8_t* pixels, int pitch, const PALETTEENTRY* palette, uint32_t* out, int outPitchBytes,
                       bool rgbaBytes) {
  Converted++;
  uint32_t colours[256];
  for (int i = 0; i < 256; i++) {
    const uint32_t r = palette[i].peRed, g = palette[i].peGreen, b = palette[i].peBlue;
    // Little-endian words: 0xAABBGGRR lies in memory as R, G, B, A.
    colours[i] = 0xFF000000u | (rgbaBytes ? b << 16 | g << 8 | r : r << 16 | g << 8 | b);
  }
  for (int y = 0; y < ScreenHeight; y++) {
    const uint8_t* s = pixels + static_cast<size_t>(y) * pitch;
    auto* d = reinterpret_cast<uint32_t*>(reinterpret_cast<uint8_t*>(out) + static_cast<size_t>(y) * outPitchBytes);
    for (int x = 0; x < ScreenWidth; x++) d[x] = colours[s[x]];
  }
}

bool PictureChangedSinceConversion(const uint8_t* pixels, int pitch, const PALETTEENTRY* palette) {
  bool same = ConvertedKnown && std::memcmp(ConvertedPalette, palette, sizeof ConvertedPalette) == 0;
  for (int y = 0; y < ScreenHeight && same; y++)
    same = std::memcmp(&Converted8[static_cast<size_t>(y) * ScreenWidth], pixels + static_cast<size_t>(y) * pitch,
                       ScreenWidth) == 0;
  if (same) return false;
  for (int y = 0; y < ScreenHeight; y++)
    std::memcpy(&Converted8[static_cast<size_t>(y) * ScreenWidth], pixels + static_cast<size_t>(y) * pitch, ScreenWidth);
  std::memcpy(ConvertedPalette, palette, sizeof ConvertedPalette);
  ConvertedKnown = true;
  return true;
}

void ForgetConvertedPicture() { ConvertedKnown = false; }

uint64_t PicturesPresented() { return Presented; }
uint64_t PicturesConverted() { return Converted; }
