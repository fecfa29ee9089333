// SPDX-License-Identifier: MIT
// What each cell value of a stage means: its kind, its picture on the tile
// sheet, and the event it belongs to. The one table the map drawing, the
// map viewer, the stage checks and the editors read.
#pragma once

#include <cstdint>

// The kinds of cell, as a maker of stages thinks of them.
constexpr uint8_t CellKindEmpty = 0;
constexpr uint8_t CellKindStone = 1;    // 1: plain stone
constexpr uint8_t CellKindMoss = 2;     // 2: stone under moss, the walking surface
constexpr uint8_t CellKindBars = 3;     // 5 and 6 keyed, 53 and 54 opaque: a barred window's halves
constexpr uint8_t CellKindScenery = 4;  // 3, 4, 7 to 12, 55 to 60: solid pictures of other tiles
constexpr uint8_t CellKindSpikes = 5;   // 51: hurts whoever lands on it
constexpr uint8_t CellKindGoal = 6;     // 52: ends the game
constexpr uint8_t CellKindSwitch = 7;   // 101 to 149: pressed once, runs event value + 100
constexpr uint8_t CellKindPressed = 8;  // 150: a switch pressed
constexpr uint8_t CellKindGate = 9;     // 151 to 200: raised by 2 at each of an event's three steps
constexpr uint8_t CellKindMarker = 10;  // 201 to 248: where an event's scene looks
constexpr uint8_t CellKindWalker = 11;  // 301
constexpr uint8_t CellKindThrower = 12; // 302
constexpr uint8_t CellKindHidden = 13;  // 1000 and above: group x 1000 + the value it is revealed as
constexpr uint8_t CellKindUnused = 14;  // any other value: shows nothing, does nothing
constexpr uint8_t CellKinds = 15;

constexpr int32_t CellWalker = 301;
constexpr int32_t CellThrower = 302;
constexpr int32_t CellSwitchLastA = 124;  // 101 to 124 run world A's events, 125 to 148 world B's
constexpr int32_t CellSwitchLast = 148;   // the last switch with an event
constexpr int32_t CellSwitchPressed = 150;
constexpr int32_t CellEventLastA = 224;   // events 201 to 224 are world A's, 225 to 248 world B's

// An event's scene shows 15 rows from its marker's row down and 21 columns
// from 10 left of the marker; its gates are looked for in the first 20
// columns, at most 20 of them.
constexpr int32_t SceneRows = 15;
constexpr int32_t SceneColumns = 21;
constexpr int32_t SceneMarkerColumn = 10;
constexpr int32_t SceneGateColumns = 20;
constexpr int32_t SceneGateLimit = 20;

// Where a picture is on the tile sheet (32 x 32), and whether its index 113
// lets what is behind show through.
struct CellPicture {
  int16_t left;
  int16_t top;
  bool keyed;
};

uint8_t KindOfCell(int32_t value);
// False for a value that shows nothing (empty, markers, enemies, unused).
bool PictureOfCell(int32_t value, CellPicture* out);

// The event a switch starts (201 to 248), or 0 for any other value.
inline int32_t EventOfSwitch(int32_t value) {
  return value >= 101 && value <= CellSwitchLast ? value + 100 : 0;
}
// Events 201 to 224 show world A's map, 225 to 248 world B's.
inline bool EventIsWorldA(int32_t event) { return event <= CellEventLastA; }
// A hidden cell's group (the event 200 + group reveals it) and what it becomes.
inline int32_t HiddenGroup(int32_t value) { return value / 1000; }
inline int32_t HiddenReveals(int32_t value) { return value % 1000; }
