// Small worlds built in memory for the tests: a map from rows of cells, a
// character at its starting values, and keys held down.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>
#include <vector>

#include "app/random.h"
#include "support/platform_records.h"
#include "player/player_record.h"
#include "stage/stage_map.h"

struct TestMap {
  std::vector<int32_t> storage;
  StageMap map{};
  int32_t& at(int row, int column) { return storage[static_cast<size_t>(row) * map.width + column]; }
};

// A width x height map of empty cells.
// Seeds the generator so that the next random spawn roll comes up.
inline void SeedForLuckyRoll() {
  for (unsigned s = 0;; s++) {
    SeedRandom(s);
    if (Random() % 1000 == 234) {
      SeedRandom(s);
      return;
    }
  }
}

inline void MakeEmptyMap(TestMap* t, int width, int height) {
  t->storage.assign(static_cast<size_t>(width) * height, 0);
  t->map = StageMap{};
  t->map.width = width;
  t->map.height = height;
  t->map.cells = t->storage.data();
}

// Fills one map row from column `from` to column `to` with a value.
inline void FillRow(TestMap* t, int row, int from, int to, int32_t value) {
  for (int c = from; c <= to; c++) t->at(row, c) = value;
}
inline void FillColumn(TestMap* t, int column, int from, int to, int32_t value) {
  for (int r = from; r <= to; r++) t->at(r, column) = value;
}

inline void FillRect(DDSurface* s, int left, int top, int right, int bottom, BYTE index) {
  for (int y = top; y < bottom; y++)
    for (int x = left; x < right; x++) s->pixels[static_cast<size_t>(y) * s->pitch + x] = index;
}

// The character as a new game sets it.
inline PlayerRecord StartingPlayer() {
  PlayerRecord p{};
  p.body.x = 320;
  p.body.y = 263;
  p.body.boxWidth = 20;
  p.body.boxHeight = 52;
  p.body.hp = 100;
  p.body.facing = 1;
  p.body.boxTop = -28;
  p.body.boxBottom = 24;
  p.body.boxRight = 10;
  p.body.boxLeft = -10;
  p.maxHp = 100;
  const SkillSlot start[5] = {{1, 10}, {1, 10}, {0, 20}, {0, 30}, {1, 20}};
  for (int i = 0; i < SkillSlots; i++) p.skills[i] = i < 5 ? start[i] : SkillSlot{-1, 0};
  return p;
}

// Exactly these keys are down from now on, as a flip would sample them.
inline void HoldKeys(std::initializer_list<int> keys) {
  InputLine line{0, {}};
  for (int k : keys) line.keys.push_back(static_cast<uint8_t>(k));
  StartKeySampler(true, {line}, "");
  ForgetKeys();
  TakeKeySample(0);
}

// Keys by flip from now on, for screens that flip: line k's keys are down
// from the k-th flip after this call (line 0: at once). Flips sample keys only
// on a display, so these tests open one.
inline void ScriptKeys(std::vector<InputLine> lines) {
  const uint32_t now = FlipCount();
  for (InputLine& l : lines) l.flip += now;
  StartKeySampler(true, lines, "");
  ForgetKeys();
  TakeKeySample(now);
}

#include "app/frame_driver.h"
#include "app/game.h"
#include "enemy/enemy_table.h"
#include "gfx/hud.h"
#include "player/player_input.h"

// Both worlds on the same kind of map, run through the real frame driver on
// the headless clock. World B's character stands still on its own ground.
struct TwoWorlds {
  TestMap a, b;
  PlayerRecord p{}, q{};
  EnemyTable e{}, f{};

  void Start(int width, int height) {
    ActiveBackend = &HeadlessBackend;
    FrameClock = 0;
    WorldSwitchActive = 0;
    DirectionLatch = KeyLatchZ = KeyLatchX = KeyLatchC = KeyLatchCtrl = 0;
    ComboCount = 0;
    ComboBannerX = 0;
    MakeEmptyMap(&a, width, height);
    MakeEmptyMap(&b, width, height);
    p = q = StartingPlayer();
    e = f = EnemyTable{};
    HoldKeys({});
  }
  // One frame of play: the driver is called until its 30 ms gate opens.
  void Frame() {
    const uint32_t before = FramesOfPlay;
    while (FramesOfPlay == before) RunFrame(&p, &q, &e, &f, &a.map, &b.map);
  }
  void Frames(int n) {
    for (int i = 0; i < n; i++) Frame();
  }
};
