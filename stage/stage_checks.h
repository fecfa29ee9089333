// SPDX-License-Identifier: MIT
// What play needs of a pair of stages, beyond what the loader takes: ground
// under the start, a goal, switches and event markers that find each other,
// gates and hidden cells where their scenes show them, and the limits. Used
// wherever a stage is judged: the editor as it is painted, packs before
// they are shared, and the game's own stages in the tests.
#pragma once

#include <cstdint>
#include <string>

struct StageMap;

constexpr uint8_t FaultNoGround = 1;           // nothing solid to stand on under the start, or spikes
constexpr uint8_t FaultStartInWall = 2;        // the start's box is in solid cells
constexpr uint8_t FaultNoGoal = 3;             // neither world has a goal cell
constexpr uint8_t FaultSwitchUnmarked = 4;     // a switch whose event has no marker in its world
constexpr uint8_t FaultSwitchTwice = 5;        // two switches start one event
constexpr uint8_t FaultMarkerUnswitched = 6;   // a marker no switch starts
constexpr uint8_t FaultMarkerOtherWorld = 7;   // a marker of the other world's events
constexpr uint8_t FaultMarkerTwice = 8;        // two markers of one event (only the first is used)
constexpr uint8_t FaultMarkerAtEdge = 9;       // its scene's view does not fit in the map
constexpr uint8_t FaultGateNeverOpens = 10;    // a gate outside every scene's gate columns
constexpr uint8_t FaultTooManyGates = 11;      // more gates in one scene than it raises
constexpr uint8_t FaultHiddenNeverShown = 12;  // a hidden cell no scene of its map reveals
constexpr uint8_t FaultHiddenOutsideView = 13; // a hidden group whose scene shows none of its cells
constexpr uint8_t FaultTooManyEnemies = 14;    // more enemy cells than a world's table holds
constexpr uint8_t FaultEventDoesNothing = 15;  // a scene with no gate to raise and no cell to reveal
constexpr uint8_t FaultTooLarge = 16;          // more columns or cells than the game takes
constexpr uint8_t FaultTooManyMarkers = 17;    // more event markers than the loader takes (an edited grid)

// One fault, at a cell of one world (0 A, 1 B); row and column -1 for the
// stage as a whole.
struct StageFault {
  uint8_t code;
  uint8_t world;
  int32_t row;
  int32_t column;
  int32_t value;  // the cell's value, or the event, or the count over the limit
};

// The widest stage a maker may build: far past any stage of the game, yet
// small enough for every tool that holds a whole pair.
constexpr int32_t MaxStageColumns = 4000;
constexpr int32_t MaxStageRows = 200;
constexpr int MaxEnemyCells = 100;

// Checks world A's and world B's maps, as the loader leaves them. Writes at
// most `most` faults into `out`, world A's first, each world's in cell order,
// and returns how many there are in all.
int CheckStages(const StageMap* worldA, const StageMap* worldB, StageFault* out, int most);
// One line saying what is wrong and where ("world B, column 12, row 3: ...").
std::string DescribeStageFault(const StageFault& fault, bool japanese);
