// The map viewer on the real game folder: text maps and stage files, and
// errors that say which file and which columns.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "support/game_runner.h"

namespace {

struct MapRun {
  int exitCode;
  std::string err;
};

MapRun DrawMap(const std::filesystem::path& scratch, const std::string& stage, const std::string& out,
               const std::string& columns = "") {
  const std::filesystem::path err = scratch / "map.stderr";
  const std::string command = "cd '" + std::string(TW_GAME_DIR) + "' && '" + TW_BINARY_DIR + "/twinworlds-map' '" +
                              stage + "' '" + out + "' " + columns + " 2>'" + err.string() + "'";
  const int status = std::system(command.c_str());
  return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, ReadText(err)};
}

// Width and height from a PNG's header.
std::pair<int, int> PngSize(const std::string& png) {
  auto at = [&](size_t i) {
    return (static_cast<uint8_t>(png[i]) << 24) | (static_cast<uint8_t>(png[i + 1]) << 16) |
           (static_cast<uint8_t>(png[i + 2]) << 8) | static_cast<uint8_t>(png[i + 3]);
  };
  return png.size() < 24 ? std::pair{0, 0} : std::pair{at(16), at(20)};
}

TEST(MapViewer, DrawsTextMapsAsTheBuilderBuildsThemAndNamesWhatIsWrong) {
  const std::filesystem::path scratch = MakeGameFolder("map_viewer");
  const std::string source = std::string(TW_SOURCE_DIR) + "/data/stages/";

  // The text map and the stage file built from it give the same picture.
  ASSERT_EQ(DrawMap(scratch, source + "world_b.txt", (scratch / "text.png").string(), "100 40").exitCode, 0);
  ASSERT_EQ(DrawMap(scratch, "stage/Magic1234.txt", (scratch / "built.png").string(), "100 40").exitCode, 0);
  const std::string text = ReadText(scratch / "text.png");
  EXPECT_EQ(PngSize(text), std::pair(40 * 32, 22 * 32));
  EXPECT_EQ(text, ReadText(scratch / "built.png"));

  const MapRun whole = DrawMap(scratch, source + "world_a.txt", (scratch / "a.png").string());
  EXPECT_EQ(whole.exitCode, 0) << whole.err;
  EXPECT_EQ(PngSize(ReadText(scratch / "a.png")), std::pair(520 * 32, 20 * 32));

  const MapRun range = DrawMap(scratch, source + "world_a.txt", (scratch / "r.png").string(), "510 20");
  EXPECT_EQ(range.exitCode, 2);
  EXPECT_NE(range.err.find("world_a.txt"), std::string::npos) << range.err;
  EXPECT_NE(range.err.find("columns 0 to 519"), std::string::npos) << range.err;

  const std::string unwritable = (scratch / "no" / "such" / "x.png").string();
  const MapRun out = DrawMap(scratch, "stage/fai_kansei.txt", unwritable);
  EXPECT_EQ(out.exitCode, 1);
  EXPECT_NE(out.err.find(unwritable), std::string::npos) << out.err;

  std::filesystem::remove_all(scratch);
}

}  // namespace
