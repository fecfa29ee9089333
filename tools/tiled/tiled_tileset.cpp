// SPDX-License-Identifier: MIT
// The tile order, what each tile means, and the TSX text.
#include "tools/tiled/tiled_tileset.h"

#include <array>

#include "stage/cell_kinds.h"
#include "stage/stage_file.h"

namespace {

// Rows of ten, each family from a row's start, so that a switch, a gate or
// a marker sits in the column of its last digit: the ground and scenery,
// the spikes, goal and opaque pictures, the enemies and the pictures no
// stage uses, the switches, the gates, the event markers, and the hidden
// groups. The gaps stand for nothing.
std::array<int32_t, TilesetTileCount> MakeOrder() {
  std::array<int32_t, TilesetTileCount> order;
  order.fill(TileNoValue);
  int id = 0;
  auto run = [&](int32_t first, int32_t last, int32_t step) {
    for (int32_t v = first; v <= last; v += step) order[id++] = v;
  };
  run(1, 10, 1);
  run(51, 60, 1);
  run(CellWalker, CellThrower, 1);
  run(11, 12, 1);
  id = 30;
  run(CellSwitchFirst, CellSwitchPressed, 1);
  run(CellGateFirst, CellGateLast, 1);
  run(CellEventFirst, CellEventLast, 1);
  id = 180;
  run(1000, HiddenGroupLast * 1000, 1000);
  return order;
}

const std::array<int32_t, TilesetTileCount>& Order() {
  static const std::array<int32_t, TilesetTileCount> order = MakeOrder();
  return order;
}

}  // namespace

int32_t ValueOfTile(int id) { return id >= 0 && id < TilesetTileCount ? Order()[id] : TileNoValue; }

int TileOfValue(int32_t value) {
  if (value == 0) return -1;
  for (int id = 0; id < TilesetTileCount; id++)
    if (Order()[id] == value) return id;
  return -1;
}

std::string DescribeTileValue(int32_t value) {
  const std::string n = std::to_string(value);
  if (value >= CellHiddenFirst) {
    const int32_t group = HiddenGroup(value);
    return "hidden, group " + std::to_string(group) + ": shows as stone until event " + std::to_string(200 + group) +
           " reveals the stage layer's tile below it";
  }
  const bool solid = value > 0 && value < 153;
  CellPicture picture{};
  const std::string opaque = PictureOfCell(value, &picture) && !picture.keyed ? ", opaque" : "";
  switch (KindOfCell(value)) {
    case CellKindStone: return "stone";
    case CellKindMoss: return "stone under moss";
    case CellKindBars: return std::string("barred window, ") + (value % 2 ? "upper" : "lower") + " half, solid" + opaque;
    case CellKindScenery: return "scenery, solid" + opaque;
    case CellKindSpikes: return "spikes: hurt whoever lands on them";
    case CellKindGoal: return "goal: ends the game";
    case CellKindSwitch: {
      const int32_t event = EventOfSwitch(value);
      if (!event) return "switch without an event";
      return "switch: starts event " + std::to_string(event) + " (its marker in world " +
             (EventIsWorldA(event) ? "A" : "B") + ")";
    }
    case CellKindPressed: return "switch, pressed";
    case CellKindGate: return std::string("gate: rises by 2 at each step of the scene it is in") +
                              (solid ? ", solid" : "") + (value > 158 ? ", no picture" : "");
    case CellKindMarker: return "event marker " + n + ": where the scene of event " + n + " looks (world " +
                                (EventIsWorldA(value) ? "A" : "B") + ")";
    case CellKindWalker: return "walker: appears when the cell comes into view";
    case CellKindThrower: return "thrower: appears when the cell comes into view";
    default: return "value " + n;
  }
}

std::string TilesetText(const std::string& image) {
  std::string t =
      "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
      "<tileset version=\"1.8\" name=\"twinworlds\" tilewidth=\"32\" tileheight=\"32\" tilecount=\"" +
      std::to_string(TilesetTileCount) + "\" columns=\"" + std::to_string(TilesetColumns) + "\">\n" +
      " <image source=\"" + image + "\" width=\"" + std::to_string(TilesetColumns * TileSize) + "\" height=\"" +
      std::to_string(TilesetRows * TileSize) + "\"/>\n";
  for (int id = 0; id < TilesetTileCount; id++) {
    const int32_t v = ValueOfTile(id);
    if (v == TileNoValue) continue;
    t += " <tile id=\"" + std::to_string(id) + "\">\n  <properties>\n";
    t += "   <property name=\"value\" type=\"int\" value=\"" + std::to_string(v) + "\"/>\n";
    t += "   <property name=\"what\" value=\"" + DescribeTileValue(v) + "\"/>\n";
    t += "  </properties>\n </tile>\n";
  }
  t += "</tileset>\n";
  return t;
}
