// SPDX-License-Identifier: MIT
// The cell table: kinds by value ranges, pictures by value.
#include "stage/cell_kinds.h"

namespace {

struct PictureEntry {
  int16_t value, left, top;
  bool keyed;
};

// The tile sheet's picture of each value that has one. Several values share
// a picture and differ in keying (5 is keyed, 53 opaque). 11 and 12 have
// their place on the sheet but no stage uses them.
constexpr PictureEntry Pictures[] = {
    {1, 0, 64, false},    {2, 32, 64, false},   {3, 32, 32, true},    {4, 64, 64, true},
    {5, 0, 96, true},     {6, 0, 128, true},    {7, 32, 96, true},    {8, 32, 128, true},
    {9, 64, 96, true},    {10, 64, 128, true},  {11, 96, 96, true},   {12, 96, 128, true},
    {51, 32, 32, true},   {52, 64, 64, false},  {53, 0, 96, false},   {54, 0, 128, false},
    {55, 32, 96, true},   {56, 32, 128, true},  {57, 64, 96, true},   {58, 64, 128, true},
    {59, 96, 96, true},   {60, 96, 128, true},  {150, 32, 0, true},   {151, 0, 96, true},
    {152, 0, 128, true},  {153, 32, 96, true},  {154, 32, 128, true}, {155, 64, 96, true},
    {156, 64, 128, true}, {157, 96, 96, true},  {158, 96, 128, true},
};

}  // namespace

uint8_t KindOfCell(int32_t value) {
  if (value >= 1000) return CellKindHidden;
  switch (value) {
    case 0: return CellKindEmpty;
    case 1: return CellKindStone;
    case 2: return CellKindMoss;
    case 5: case 6: case 53: case 54: return CellKindBars;
    case 51: return CellKindSpikes;
    case 52: return CellKindGoal;
    case CellSwitchPressed: return CellKindPressed;
    case CellWalker: return CellKindWalker;
    case CellThrower: return CellKindThrower;
    default: break;
  }
  if ((value >= 3 && value <= 12) || (value >= 55 && value <= 60)) return CellKindScenery;
  if (value >= 101 && value <= 149) return CellKindSwitch;
  if (value >= 151 && value <= 200) return CellKindGate;
  if (value >= 201 && value <= 248) return CellKindMarker;
  return CellKindUnused;
}

bool PictureOfCell(int32_t value, CellPicture* out) {
  if (value >= 1000) value = 1;  // a hidden cell looks like plain ground
  if (value >= 101 && value <= 149) {
    *out = {0, 0, true};
    return true;
  }
  for (const PictureEntry& e : Pictures)
    if (e.value == value) {
      *out = {e.left, e.top, e.keyed};
      return true;
    }
  return false;
}
