// SPDX-License-Identifier: MIT
// The palette's values.
#include "editor/editor_palette.h"

#include <algorithm>

#include "stage/cell_kinds.h"
#include "stage/stage_map.h"

namespace {

constexpr int32_t BarsUpper = 5, BarsLower = 6;
constexpr int32_t GateUpper = CellGateFirst, GateLower = CellGateFirst + 1;

}  // namespace

void ValuesOfChoice(const PaletteChoice& c, int32_t* here, int32_t* below) {
  *below = 0;
  switch (c.entry) {
    case PaletteEmpty: *here = 0; break;
    case PaletteStone: *here = 1; break;
    case PaletteMoss: *here = 2; break;
    case PaletteBars: *here = BarsUpper; *below = BarsLower; break;
    case PaletteSpikes: *here = CellHazard; break;
    case PaletteGoal: *here = CellGoal; break;
    case PaletteGate: *here = GateUpper; *below = GateLower; break;
    case PaletteSwitch: *here = c.switchEvent - 100; break;
    case PaletteMarker: *here = c.markerEvent; break;
    case PaletteHidden: *here = c.hiddenGroup * 1000; break;  // stone that vanishes
    case PaletteWalker: *here = CellWalker; break;
    case PaletteThrower: *here = CellThrower; break;
    default: *here = c.otherValue; break;
  }
}

void ChooseValue(PaletteChoice* c, int32_t v) {
  switch (KindOfCell(v)) {
    case CellKindEmpty: c->entry = PaletteEmpty; return;
    case CellKindStone: c->entry = PaletteStone; return;
    case CellKindMoss: c->entry = PaletteMoss; return;
    case CellKindSpikes: c->entry = PaletteSpikes; return;
    case CellKindGoal: c->entry = PaletteGoal; return;
    case CellKindWalker: c->entry = PaletteWalker; return;
    case CellKindThrower: c->entry = PaletteThrower; return;
    case CellKindMarker:
      c->entry = PaletteMarker;
      c->markerEvent = v;
      return;
    case CellKindBars:
      if (v == BarsUpper || v == BarsLower) {
        c->entry = PaletteBars;
        return;
      }
      break;
    case CellKindGate:
      if (v == GateUpper || v == GateLower) {
        c->entry = PaletteGate;
        return;
      }
      break;
    case CellKindSwitch:
      if (EventOfSwitch(v) != 0) {
        c->entry = PaletteSwitch;
        c->switchEvent = EventOfSwitch(v);
        return;
      }
      break;
    case CellKindHidden:
      if (HiddenReveals(v) == 0 && HiddenGroup(v) >= FirstGroup && HiddenGroup(v) <= LastGroup) {
        c->entry = PaletteHidden;
        c->hiddenGroup = HiddenGroup(v);
        return;
      }
      break;
    default: break;
  }
  c->entry = PaletteOther;
  c->otherValue = v;
}

int32_t ChoiceNumber(const PaletteChoice& c) {
  switch (c.entry) {
    case PaletteSwitch: return c.switchEvent;
    case PaletteMarker: return c.markerEvent;
    case PaletteHidden: return c.hiddenGroup;
    default: return 0;
  }
}

void StepChoiceNumber(PaletteChoice* c, int step) {
  // Round the range, so that 248 is one step below 201.
  auto wrap = [](int32_t v, int32_t lo, int32_t hi) { return lo + ((v - lo) % (hi - lo + 1) + (hi - lo + 1)) % (hi - lo + 1); };
  switch (c->entry) {
    case PaletteSwitch: c->switchEvent = wrap(c->switchEvent + step, FirstEvent, LastEvent); break;
    case PaletteMarker: c->markerEvent = wrap(c->markerEvent + step, FirstEvent, LastEvent); break;
    case PaletteHidden: c->hiddenGroup = wrap(c->hiddenGroup + step, FirstGroup, LastGroup); break;
    default: break;
  }
}

void StepPaletteEntry(PaletteChoice* c, int step, bool otherPicked) {
  const int entries = otherPicked ? PaletteEntries : PaletteOther;
  c->entry = static_cast<uint8_t>(((c->entry + step) % entries + entries) % entries);
}
