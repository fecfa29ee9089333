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
constexpr int kTileSheetW = 640, kTileSheetH = 480;
constexpr int kCharSheetW = 384, kCharSheetH = 384;
constexpr int kEnemySheetW = 192, kEnemySheetH = 230;
constexpr int kGEnemySheetW = 100, kGEnemySheetH = 100;
constexpr int kExplodeSheetW = 576, kExplodeSheetH = 64;
constexpr int kCursorW = 64, kCursorH = 64;
constexpr int kSmallDigitsW = 100, kSmallDigitsH = 17;
constexpr int kLargeDigitsW = 351, kLargeDigitsH = 34;

// The swordsman, facing right.
namespace charpics {
constexpr Rect kStand{0, 0, 64, 64};
constexpr Rect kWalk1{64, 0, 128, 64};
constexpr Rect kWalk3{128, 0, 192, 64};
constexpr Rect kCling{0, 320, 64, 384};
constexpr Rect kJump{64, 320, 128, 384};
constexpr Rect kRecoil{128, 320, 192, 384};
constexpr Rect kSlash[3] = {{0, 128, 64, 192}, {64, 128, 171, 192}, {180, 128, 277, 192}};
constexpr Rect kSweep[3] = {{0, 64, 64, 128}, {64, 64, 164, 128}, {170, 64, 282, 128}};
constexpr Rect kRising[3] = {{0, 190, 64, 254}, {64, 190, 166, 274}, {166, 206, 285, 275}};
constexpr Rect kThrust{190, 308, 254, 380};
}  // namespace charpics

namespace tilepics {
constexpr Rect kSwitch{0, 0, 32, 32};
constexpr Rect kSwitchPressed{32, 0, 64, 32};
constexpr Rect kHazard{32, 32, 64, 64};
constexpr Rect kGround1{0, 64, 32, 96};
constexpr Rect kGround2{32, 64, 64, 96};
constexpr Rect kGoal{64, 64, 96, 96};
// Gate k (0 closed .. 3 open) is the 32 x 64 picture from (32k, 96).
constexpr int kGateTop = 96;
constexpr Rect kCoin{160, 0, 171, 11};
constexpr Rect kHeart{171, 0, 182, 11};
constexpr Rect kLoadingCaption{191, 0, 301, 16};
constexpr Rect kTitleCaption{191, 18, 315, 34};
constexpr Rect kTitleLogo{192, 42, 560, 90};
}  // namespace tilepics

namespace enemypics {
constexpr Rect kWalker{0, 0, 100, 80};
constexpr Rect kSeed{100, 0, 132, 32};
constexpr Rect kThrowerWalk[3] = {{0, 100, 64, 164}, {64, 100, 128, 164}, {128, 100, 190, 164}};
constexpr Rect kThrowerWindUp[2] = {{0, 164, 68, 228}, {68, 164, 167, 228}};
}  // namespace enemypics

// Skill menu screen places.
namespace menu {
constexpr int kCellPitchX = 130, kCursorPitchY = 65, kDigitPitchY = 64;
constexpr int kCursorX = 10, kCursorY = 11;
constexpr int kLevelX = 110, kLevelY = 54;
constexpr int kHpX = 388, kHpY = 50, kMaxHpX = 503, kMaxHpY = 50, kSpX = 503, kSpY = 135;
constexpr Rect kComboCaption{269, 0, 351, 34};
}  // namespace menu
