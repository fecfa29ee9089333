// One frame of play at its busiest: a hundred enemies walking, throwing and
// drawn in each world, all within the view, and all 150 pick-ups in flight,
// on the real sheets, headless. The figure is the median frame.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <vector>

#include "enemy/coins.h"
#include "enemy/enemy_table.h"
#include "gfx/display.h"
#include "gfx/hud.h"
#include "unit/world_fixture.h"

namespace {

void FillTable(EnemyTable* table, StageMap* map) {
  for (int i = 0; i < EnemySlots; i++) {
    int32_t kind = i % 2 ? KindThrower : KindWalker;
    SpawnEnemy(table, map, &kind, 1 + i % 18, 9);
  }
}

// Pick-ups are thrown again once they come down, and so are those
// collected: all 150 stay in the air.
void RefillCoins(const EnemyTable& table, StageMap* map) {
  for (int i = 0; i < CoinSlots; i++) {
    CoinEntry& c = Coins.entries[i];
    if (c.life < CoinLife - 28) c.kind = 0;
    if (c.kind == 0) ThrowCoins(&Coins, &table.slots[i % EnemySlots], map, 1);
  }
}

void KeepAlive(PlayerRecord* p) {
  p->body.hp = 100;
  p->body.dead = 0;
  p->body.invuln = 1000;  // touched and shot at every frame, never beaten
}

void FrameWithTwoHundredEnemies(benchmark::State& state) {
  if (chdir(TW_GAME_DIR) != 0) {
    state.SkipWithError("no game folder");
    return;
  }
  ActiveBackend = &HeadlessBackend;
  CreateDisplay(nullptr);
  if (!LoadAllBitmaps()) {
    state.SkipWithError("the bitmaps did not load");
    return;
  }
  BlackPen = CreatePen(PS_SOLID, 1, RGB(0, 0, 0));
  RedBrush = CreateSolidBrush(RGB(255, 0, 0));
  WhiteBrush = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));

  static TwoWorlds w;  // too large for the stack
  w.Start(60, 20);
  for (TestMap* m : {&w.a, &w.b}) {
    FillRow(m, 15, 0, 59, 1);
    FillColumn(m, 0, 5, 14, 1);
    FillColumn(m, 21, 5, 14, 1);
  }
  FillTable(&w.e, &w.a.map);
  FillTable(&w.f, &w.b.map);
  Coins = CoinTable{};
  std::vector<double> ms;
  for (auto _ : state) {
    KeepAlive(&w.p);
    KeepAlive(&w.q);
    RefillCoins(w.e, &w.a.map);
    FrameClock = timeGetTime() - FrameInterval;
    const auto start = std::chrono::steady_clock::now();
    RunFrame(&w.p, &w.q, &w.e, &w.f, &w.a.map, &w.b.map);
    ms.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
  }
  int alive = 0, coins = 0;
  for (const EnemyTable* t : {&w.e, &w.f})
    for (const EnemySlot& s : t->slots) alive += s.kind != 0 && s.body.dead == 0;
  for (const CoinEntry& c : Coins.entries) coins += c.kind != 0;
  std::nth_element(ms.begin(), ms.begin() + ms.size() / 2, ms.end());
  state.counters["median_ms"] = ms[ms.size() / 2];
  state.counters["enemies"] = alive;
  state.counters["coins"] = coins;
  state.counters["frames"] = static_cast<double>(FramesOfPlay);
  DeleteObject(BlackPen);
  DeleteObject(RedBrush);
  ReleaseDisplay();
}
BENCHMARK(FrameWithTwoHundredEnemies)->Unit(benchmark::kMillisecond)->Iterations(3000);

}  // namespace
