// The map tool on the real game folder: text maps and stage files drawn,
// with errors that say which file and which columns; and a pack made of the
// game's stages, changed in its Tiled map and updated.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "platform/files/pack_info.h"
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


// twinworlds-map with `args`, its packs folder under `scratch`.
MapRun RunMapTool(const std::filesystem::path& scratch, const std::string& args, std::string* out = nullptr) {
  const std::filesystem::path err = scratch / "map.stderr", said = scratch / "map.stdout";
  const std::string command = "cd '" + scratch.string() + "' && XDG_DATA_HOME='" + scratch.string() + "/data' '" +
                              TW_BINARY_DIR + "/twinworlds-map' " + args + " >'" + said.string() + "' 2>'" +
                              err.string() + "'";
  const int status = std::system(command.c_str());
  if (out) *out = ReadText(said);
  return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, ReadText(err)};
}

// The stage file's cells that differ from another's, as "row,column".
std::vector<std::string> ChangedCells(const std::string& a, const std::string& b) {
  std::vector<std::string> changed;
  size_t i = 0, j = 0;
  int row = -1, column = 0;
  auto next = [](const std::string& s, size_t* at, bool* newline) {
    *newline = false;
    while (*at < s.size() && (s[*at] == '\r' || s[*at] == '\n')) *newline = s[(*at)++] == '\n' || *newline;
    const size_t from = *at;
    while (*at < s.size() && s[*at] != ',') ++*at;
    return s.substr(from, (*at)++ - from);
  };
  for (bool line = false, other = false; i < a.size() && j < b.size();) {
    const std::string x = next(a, &i, &line), y = next(b, &j, &other);
    if (line) row++, column = 0;
    if (row >= 0 && x != y) changed.push_back(std::to_string(row) + "," + std::to_string(column));
    column++;
  }
  return changed;
}

TEST(MapViewer, ANewPackOfTheGameStagesTakesAGateMovedInTiled) {
  const std::filesystem::path scratch = MakeGameFolder("map_packs");
  const std::filesystem::path pack = scratch / "data/twinworlds/packs/mine";
  const std::string game = std::string(TW_GAME_DIR) + "/";
  std::string said;
  const MapRun made = RunMapTool(scratch, "--new-pack mine", &said);
  ASSERT_EQ(made.exitCode, 0) << made.err;
  EXPECT_NE(said.find(pack.string()), std::string::npos) << said;
  for (const char* f : {"pack.txt", "tiled/mine.tiled-project", "tiled/twinworlds.tsx", "tiled/twinworlds.png"})
    EXPECT_TRUE(std::filesystem::is_regular_file(pack / f)) << f;
  EXPECT_EQ(ReadText(pack / "stage/Magic1234.txt"), ReadText(game + "stage/Magic1234.txt"));
  const std::string info = ReadText(pack / "pack.txt");
  PackInfo read;
  std::string why;
  EXPECT_TRUE(ParsePackInfo(reinterpret_cast<const uint8_t*>(info.data()), info.size(), &read, &why)) << why;
  EXPECT_EQ(PackInfoText(read, "name", "en"), "mine");

  // Made once only; a name that is not a folder's is refused.
  const MapRun again = RunMapTool(scratch, "--new-pack mine");
  EXPECT_EQ(again.exitCode, 1);
  EXPECT_NE(again.err.find("already exists"), std::string::npos) << again.err;
  EXPECT_EQ(RunMapTool(scratch, "--new-pack ../out").exitCode, 1);
  EXPECT_FALSE(std::filesystem::exists(scratch / "data/twinworlds/out"));

  // Updated untouched, the stage files stay the game's.
  const MapRun same = RunMapTool(scratch, "--update-pack mine", &said);
  ASSERT_EQ(same.exitCode, 0) << same.err;
  EXPECT_EQ(ReadText(pack / "stage/fai_kansei.txt"), ReadText(game + "stage/fai_kansei.txt"));
  EXPECT_EQ(ReadText(pack / "stage/Magic1234.txt"), ReadText(game + "stage/Magic1234.txt"));

  // Gate 2 of world B (column 206, rows 14 and 15) moved one column right,
  // as Tiled saves the map: its CSV rows are the stage's rows.
  const std::filesystem::path tmx = pack / "tiled/world_b.tmx";
  std::string map = ReadText(tmx);
  const size_t data = map.find("<data encoding=\"csv\">\n") + 22;
  std::vector<size_t> rows;
  for (size_t at = data; rows.size() < 22; at = map.find('\n', at) + 1) rows.push_back(at);
  auto cell = [&](int row, int column) {
    size_t at = rows[row];
    for (int c = 0; c < column; c++) at = map.find(',', at) + 1;
    return at;
  };
  for (int row : {14, 15}) {
    const size_t gate = cell(row, 206), end = map.find(',', gate);
    const std::string tile = map.substr(gate, end - gate);
    map.replace(gate, end - gate + 3, "0," + tile + ",");  // "G,0," becomes "0,G,"
  }
  std::ofstream(tmx, std::ios::binary) << map;
  const MapRun moved = RunMapTool(scratch, "--update-pack " + pack.string(), &said);
  ASSERT_EQ(moved.exitCode, 0) << moved.err;
  EXPECT_EQ(moved.err, "");  // the gate stays within its scene: nothing to warn of
  EXPECT_NE(said.find("Magic1234.txt: world B, from tiled/world_b.tmx"), std::string::npos) << said;
  EXPECT_EQ(ChangedCells(ReadText(game + "stage/Magic1234.txt"), ReadText(pack / "stage/Magic1234.txt")),
            (std::vector<std::string>{"14,206", "14,207", "15,206", "15,207"}));

  // A map the game cannot take: one line, and neither stage file written.
  const std::string before = ReadText(pack / "stage/Magic1234.txt");
  std::ofstream(pack / "tiled/world_a.tmx", std::ios::binary) << "<map orientation=\"isometric\"/>";
  const MapRun refused = RunMapTool(scratch, "--update-pack mine");
  EXPECT_EQ(refused.exitCode, 1);
  EXPECT_EQ(refused.err, "twinworlds-map: " + (pack / "tiled/world_a.tmx").string() +
                             ": the map is isometric; the game's stages are orthogonal\n");
  EXPECT_EQ(ReadText(pack / "stage/Magic1234.txt"), before);
  std::filesystem::remove_all(scratch);
}

}  // namespace
