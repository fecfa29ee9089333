// Where the game cuts each picture from its sheets (left, top, right, bottom;
// right and bottom exclusive). The builder draws every picture to fit.
#pragma once

struct Rect {
  int left, top, right, bottom;
  int Width() const { return right - left; }
  int Height() const { return bottom - top; }
};

inline bool Overlap(const Rect& a, const Rect& b) {
  return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

// Sheet sizes.
constexpr int TileSheetW = 640, TileSheetH = 480;
constexpr int CharSheetW = 384, CharSheetH = 384;
constexpr int EnemySheetW = 192, EnemySheetH = 230;
constexpr int GEnemySheetW = 100, GEnemySheetH = 100;
constexpr int ExplodeSheetW = 576, ExplodeSheetH = 64;
constexpr int CursorW = 64, CursorH = 64;
constexpr int SmallDigitsW = 100, SmallDigitsH = 17;
constexpr int LargeDigitsW = 351, LargeDigitsH = 34;

// The swordsman, facing right.
namespace charpics {
constexpr Rect Stand{0, 0, 64, 64};
constexpr Rect Walk1{64, 0, 128, 64};
constexpr Rect Walk3{128, 0, 192, 64};
constexpr Rect Cling{0, 320, 64, 384};
constexpr Rect Jump{64, 320, 128, 384};
constexpr Rect Recoil{128, 320, 192, 384};
constexpr Rect Slash[3] = {{0, 128, 64, 192}, {64, 128, 171, 192}, {180, 128, 277, 192}};
constexpr Rect Sweep[3] = {{0, 64, 64, 128}, {64, 64, 164, 128}, {170, 64, 282, 128}};
constexpr Rect Rising[3] = {{0, 190, 64, 254}, {64, 190, 166, 274}, {166, 206, 285, 275}};
constexpr Rect Thrust{190, 308, 254, 380};
}  // namespace charpics

namespace tilepics {
constexpr Rect Switch{0, 0, 32, 32};
constexpr Rect SwitchPressed{32, 0, 64, 32};
constexpr Rect Hazard{32, 32, 64, 64};
constexpr Rect Ground1{0, 64, 32, 96};
constexpr Rect Ground2{32, 64, 64, 96};
constexpr Rect Goal{64, 64, 96, 96};
// Gate k (0 closed .. 3 open) is the 32 x 64 picture from (32k, 96).
constexpr int GateTop = 96;
constexpr Rect Coin{160, 0, 171, 11};
constexpr Rect Heart{171, 0, 182, 11};
constexpr Rect LoadingCaption{191, 0, 301, 16};
constexpr Rect TitleCaption{191, 18, 315, 34};
constexpr Rect TitleLogo{192, 42, 560, 90};
}  // namespace tilepics

namespace enemypics {
constexpr Rect Walker{0, 0, 100, 80};
constexpr Rect SeedCell{100, 0, 132, 32};
constexpr Rect ThrowerWalk[3] = {{0, 100, 64, 164}, {64, 100, 128, 164}, {128, 100, 190, 164}};
constexpr Rect ThrowerWindUp[2] = {{0, 164, 68, 228}, {68, 164, 167, 228}};
}  // namespace enemypics

// Skill menu screen places.
namespace menu {
constexpr int CellPitchX = 130, CursorPitchY = 65, DigitPitchY = 64;
constexpr int CursorX = 10, CursorY = 11;
constexpr int LevelX = 110, LevelY = 54;
constexpr int HpX = 388, HpY = 50, MaxHpX = 503, MaxHpY = 50, SpX = 503, SpY = 135;
constexpr Rect ComboCaption{269, 0, 351, 34};
}  // namespace menu
