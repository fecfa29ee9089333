// The game folder as the build leaves it: complete, and made the same way
// every time.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

const char* const RuntimeFiles[] = {
    "image/stage1/status.BMP", "image/stage1/status_en.BMP", "image/stage1/cursol.BMP", "image/stage1/number.BMP", "image/stage1/number2.BMP",
    "image/stage1/Enemy.Bmp",  "image/stage1/back.BMP",   "image/stage1/char.BMP",   "image/stage1/gyaku.BMP",
    "image/stage1/haikei1.BMP", "image/stage1/GEnemy.BMP", "image/stage1/explode.BMP", "se/test.wav",
    "se/coin01.wav",           "se/FlowerAttack.wav",     "se/Explode.wav",          "se/OK.wav",
    "se/Lvup.wav",             "se/No.wav",               "se/Hit.wav",              "se/gara.wav",
    "Sound/yamiji.mid",        "stage/fai_kansei.txt",    "stage/Magic1234.txt"};

std::vector<char> Bytes(const fs::path& p) {
  std::ifstream in(p, std::ios::binary);
  return std::vector<char>((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

TEST(GameFolder, HoldsEveryFileTheGameReadsUnderItsExactName) {
  for (const char* name : RuntimeFiles) EXPECT_TRUE(fs::is_regular_file(fs::path(TW_GAME_DIR) / name)) << name;
}

TEST(GameFolder, BuilderWritesTheSameBytesOnEveryRun) {
  const fs::path fresh = fs::path(TW_BINARY_DIR) / "test-game-folder";
  fs::remove_all(fresh);
  const std::string command = "\"" + (fs::path(TW_BINARY_DIR) / "twinworlds-assets").string() + "\" \"" +
                              (fs::path(TW_SOURCE_DIR) / "data").string() + "\" \"" + fresh.string() + "\"";
  ASSERT_EQ(std::system(command.c_str()), 0) << command;
  for (const char* name : RuntimeFiles) {
    const std::vector<char> built = Bytes(fs::path(TW_GAME_DIR) / name);
    EXPECT_FALSE(built.empty()) << name;
    EXPECT_EQ(Bytes(fresh / name), built) << name;
  }
  fs::remove_all(fresh);
}

}  // namespace
