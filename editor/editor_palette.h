// SPDX-License-Identifier: MIT
// What the editor can place: one entry a kind of cell a maker thinks in,
// and the cell values each paints. Switches and markers carry the event
// they belong to, hidden cells their group; any other value the pick finds
// becomes the last entry.
#pragma once

#include <cstdint>

enum PaletteEntry : uint8_t {
  PaletteEmpty,
  PaletteStone,
  PaletteMoss,
  PaletteBars,     // a barred window: its upper half here, the lower under it
  PaletteSpikes,
  PaletteGoal,
  PaletteGate,     // a gate: its upper half here, the lower under it
  PaletteSwitch,   // starts its event
  PaletteMarker,   // where its event's scene looks
  PaletteHidden,   // stone until its group's event reveals it
  PaletteWalker,
  PaletteThrower,
  PaletteOther,    // a value picked from the map that no other entry paints
  PaletteEntries
};

constexpr int32_t FirstEvent = 201, LastEvent = 248;
constexpr int32_t FirstGroup = 1, LastGroup = LastEvent - 200;

struct PaletteChoice {
  uint8_t entry;
  int32_t switchEvent;  // 201 to 248
  int32_t markerEvent;  // 201 to 248
  int32_t hiddenGroup;  // 1 to 48
  int32_t otherValue;
};

// The value the choice paints at the cursor, and the one under it (0 for none).
void ValuesOfChoice(const PaletteChoice& choice, int32_t* here, int32_t* below);
// The choice that paints a value: its entry, and its event or group.
void ChooseValue(PaletteChoice* choice, int32_t value);
// The event or group an entry carries (0 for none), and a step of it, kept
// in its range.
int32_t ChoiceNumber(const PaletteChoice& choice);
void StepChoiceNumber(PaletteChoice* choice, int step);
// The next or previous entry; the last only once a value has been picked.
void StepPaletteEntry(PaletteChoice* choice, int step, bool otherPicked);
