// A stage: the grid of cells read from a stage file, with its event markers
// taken out into lists and its hidden cells listed.
#pragma once

#include <cstdint>
#include <string>

constexpr int CellSize = 32;
constexpr int ViewColumns = 20;
constexpr int ViewRows = 15;

// Cell values with a meaning of their own.
constexpr int32_t CellHazard = 51;
constexpr int32_t CellGoal = 52;
constexpr int32_t CellSwitchFirst = 101;
constexpr int32_t CellGateFirst = 151;
constexpr int32_t CellGateLast = 200;
constexpr int32_t CellEventFirst = 201;
constexpr int32_t CellEventLast = 248;
constexpr int32_t CellHiddenFirst = 1000;

// At most this many event marker cells in one stage file.
constexpr int MaxEventMarkers = 50;

struct StageMap {
  int32_t width;
  int32_t height;
  int32_t* cells;        // width x height, row-major from the top row; owned
  int32_t* eventCells;   // cell index of each event marker, in file order; owned
  int32_t* eventValues;  // its value, 201 to 248; owned
  int32_t scrollX;
  int32_t scrollY;
  int32_t scrollXTotal;
  int32_t scrollYTotal;
  int32_t hiddenCount;
  int32_t* hiddenCells;  // cell index of each hidden cell, in file order; owned
  int32_t eventCount;    // entries in eventCells and eventValues
  // Set only in a view of part of another map (the switch scene's): its
  // cells are that map's own, its cell (0, 0) being the map's cell
  // (viewTop, viewLeft), and those of its cells beyond that map are empty.
  StageMap* viewOf;
  int32_t viewTop;
  int32_t viewLeft;
};

// Reads a stage file into a zeroed StageMap. Returns 1, or 0 when the file
// cannot be opened or is not a usable stage; the reason goes to stderr as
// one line naming the file, and nothing is left allocated.
int LoadStageFile(StageMap* map, const char* path);
// The same for a stage file's text held in memory, named `name` in the
// messages.
int LoadStageText(StageMap* map, const std::string& text, const char* name);
// The same for a grid held in memory (the stage editor's play-test), as the
// loader would make it of the grid's stage file, without the text between:
// the same limits and messages, the markers taken out, the hidden cells
// listed.
int MakeStageMap(StageMap* map, int32_t width, int32_t height, const int32_t* cells, const char* name);
// Why the last LoadStageFile or LoadStageText refused its file, as the line it said (the file
// named as it is on disk); "" after a load that succeeded.
const char* LastStageFault();
// Releases the arrays of both worlds' maps, world A's first.
void FreeStageMaps(StageMap* worldA, StageMap* worldB);
