// What a frame costs the display: sprite copies, the conversion of the
// picture for the screen, and how quickly a headless game is up.
#include <benchmark/benchmark.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>

#include "platform/picture/shown_picture.h"
#include "support/display_fixture.h"
#include "support/game_runner.h"

namespace {

void KeyedSpriteCopy(benchmark::State& state) {
  OpenTestDisplay();
  DDSurface* sheet = MakeSurface(384, 384, 40);
  for (int y = 0; y < 32; y += 3)
    for (int x = 0; x < 32; x++) SetPixel(sheet, x, y, TransparentIndex);
  DDSurface* dest = MakeSurface(640, 480, 0);
  RECT r{0, 0, 32, 32};
  int x = 0;
  for (auto _ : state) {
    BltFast(dest, x, 200, sheet, &r, BltKeyed);
    x = (x + 37) % 600;
    benchmark::ClobberMemory();
  }
  Release(sheet);
  Release(dest);
  CloseTestDisplay();
}
BENCHMARK(KeyedSpriteCopy);

void PictureToScreenColours(benchmark::State& state) {
  std::vector<uint8_t> picture(640 * 480);
  for (size_t i = 0; i < picture.size(); i++) picture[i] = static_cast<uint8_t>(i * 7);
  PALETTEENTRY palette[256];
  MakeTestPalette(palette);
  std::vector<uint32_t> out(640 * 480);
  for (auto _ : state) {
    ConvertToPixels32(picture.data(), 640, palette, out.data(), 640 * 4, false);
    benchmark::DoNotOptimize(out.data());
  }
}
BENCHMARK(PictureToScreenColours)->Unit(benchmark::kMicrosecond);

// The whole process, from exec to the end of its first flip, and its peak
// memory (maxrss of the child).
void HeadlessStartToFirstFlip(benchmark::State& state) {
  const std::filesystem::path folder = MakeGameFolder("bench_start");
  WriteFixtureBitmaps(folder);
  long peakKiB = 0;
  for (auto _ : state) {
    pid_t pid = fork();
    if (pid == 0) {
      if (chdir(folder.c_str()) != 0) _exit(127);
      if (!freopen("/dev/null", "w", stdout)) _exit(127);
      execl(TW_GAME_EXE, TW_GAME_EXE, "--headless", "--frames", "1", static_cast<char*>(nullptr));
      _exit(127);
    }
    int status;
    rusage usage{};
    wait4(pid, &status, 0, &usage);
    peakKiB = std::max(peakKiB, usage.ru_maxrss);
  }
  state.counters["peak_MiB"] = peakKiB / 1024.0;
  std::filesystem::remove_all(folder);
}
BENCHMARK(HeadlessStartToFirstFlip)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(20);

}  // namespace
