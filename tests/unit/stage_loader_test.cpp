// The stage loader against small stage files written by the tests.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "stage/stage_file.h"

namespace {

std::string FixturePath(const std::string& name) {
  const std::filesystem::path dir = std::filesystem::path(TW_BINARY_DIR) / "test-stages";
  std::filesystem::create_directories(dir);
  return (dir / name).string();
}

std::string Write(const std::string& name, const std::string& text) {
  const std::string path = FixturePath(name);
  std::ofstream(path, std::ios::binary) << text;
  return path;
}

// A width x height stage: every cell 0 unless `cells` gives it a value,
// written as the game writes its stages, with `sep` after each value and
// `eol` after each row.
std::string StageText(int width, int height, const std::vector<std::pair<int, int>>& cells = {},
                      const std::string& sep = ",", const std::string& eol = "\n") {
  std::vector<long long> v(static_cast<size_t>(width) * height, 0);
  for (auto [index, value] : cells) v[index] = value;
  std::string text = std::to_string(width) + sep + std::to_string(height) + sep + eol;
  for (int r = 0; r < height; r++) {
    for (int c = 0; c < width; c++) text += std::to_string(v[r * width + c]) + sep;
    text += eol;
  }
  return text;
}

struct Loaded {
  StageMap map{};
  int result = 0;
  std::string stderrText;
  ~Loaded() {
    StageMap none{};
    FreeStageMaps(&map, &none);
  }
};

void Load(const std::string& path, Loaded* out) {
  testing::internal::CaptureStderr();
  out->result = LoadStageFile(&out->map, path.c_str());
  out->stderrText = testing::internal::GetCapturedStderr();
}

bool AllZero(const StageMap& m) {
  const StageMap zero{};
  return std::memcmp(&m, &zero, sizeof m) == 0;
}

TEST(StageLoader, ReadsCellsRowByRowWithCommasSpacesOrLineBreaks) {
  const std::vector<std::pair<int, int>> cells = {{0, 7}, {19, 8}, {20, 9}, {20 * 15 - 1, -3}};
  Loaded commas, spaces, breaks;
  Load(Write("commas.txt", StageText(20, 15, cells, ",", "\n")), &commas);
  Load(Write("spaces.txt", StageText(20, 15, cells, " ", " ")), &spaces);
  Load(Write("breaks.txt", StageText(20, 15, cells, "\n", "\n")), &breaks);
  for (Loaded* l : {&commas, &spaces, &breaks}) {
    ASSERT_EQ(l->result, 1) << l->stderrText;
    EXPECT_EQ(l->map.width, 20);
    EXPECT_EQ(l->map.height, 15);
    EXPECT_EQ(l->map.cells[0], 7);
    EXPECT_EQ(l->map.cells[19], 8);  // last of the top row
    EXPECT_EQ(l->map.cells[20], 9);  // first of the second row
    EXPECT_EQ(l->map.cells[20 * 15 - 1], -3);
    EXPECT_EQ(l->map.scrollX, 0);
    EXPECT_EQ(l->map.scrollYTotal, 0);
    EXPECT_TRUE(l->stderrText.empty());
  }
}

TEST(StageLoader, WindowsLineEndsLoadLikeUnixOnes) {
  const std::vector<std::pair<int, int>> cells = {{5, 1}, {45, 203}, {77, 2051}};
  Loaded lf, crlf;
  Load(Write("lf.txt", StageText(21, 16, cells, ",", "\n")), &lf);
  Load(Write("crlf.txt", StageText(21, 16, cells, ",", "\r\n")), &crlf);
  ASSERT_EQ(lf.result, 1);
  ASSERT_EQ(crlf.result, 1) << crlf.stderrText;
  EXPECT_EQ(0, std::memcmp(lf.map.cells, crlf.map.cells, sizeof(int32_t) * 21 * 16));
  EXPECT_EQ(crlf.map.eventCount, 1);
  EXPECT_EQ(crlf.map.hiddenCount, 1);
}

TEST(StageLoader, TakesOutEventMarkersAndListsHiddenCells) {
  // 200 and 249 lie just outside the marker values, 999 just below hidden.
  Loaded l;
  Load(Write("markers.txt", StageText(20, 15, {{3, 248}, {10, 200}, {11, 249}, {40, 201}, {50, 1000},
                                                 {51, 999}, {60, 5000}, {61, 301}})),
       &l);
  ASSERT_EQ(l.result, 1) << l.stderrText;
  ASSERT_EQ(l.map.eventCount, 2);
  EXPECT_EQ(l.map.eventCells[0], 3);  // in file order
  EXPECT_EQ(l.map.eventValues[0], 248);
  EXPECT_EQ(l.map.eventCells[1], 40);
  EXPECT_EQ(l.map.eventValues[1], 201);
  EXPECT_EQ(l.map.cells[3], 0);
  EXPECT_EQ(l.map.cells[40], 0);
  EXPECT_EQ(l.map.cells[10], 200);
  EXPECT_EQ(l.map.cells[11], 249);
  EXPECT_EQ(l.map.cells[61], 301);
  ASSERT_EQ(l.map.hiddenCount, 2);
  EXPECT_EQ(l.map.hiddenCells[0], 50);
  EXPECT_EQ(l.map.hiddenCells[1], 60);
  EXPECT_EQ(l.map.cells[50], 1000);
}

TEST(StageLoader, StageWithoutMarkersOrHiddenCellsHasEmptyLists) {
  Loaded l;
  Load(Write("plain.txt", StageText(30, 20, {{0, 1}})), &l);
  ASSERT_EQ(l.result, 1);
  EXPECT_EQ(l.map.eventCount, 0);
  EXPECT_EQ(l.map.hiddenCount, 0);
  EXPECT_NE(l.map.eventCells, nullptr);
  EXPECT_NE(l.map.hiddenCells, nullptr);
}

TEST(StageLoader, ValuesAfterTheLastCellAreIgnored) {
  Loaded l;
  Load(Write("trailing.txt", StageText(20, 15) + "9,9,9 junk\n"), &l);
  EXPECT_EQ(l.result, 1) << l.stderrText;
}

TEST(StageLoader, FiftyMarkersLoadAndFiftyOneAreRefused) {
  std::vector<std::pair<int, int>> cells;
  for (int i = 0; i < 51; i++) cells.push_back({i * 3, 201 + i % 48});
  Loaded fifty, fiftyOne;
  Load(Write("fifty.txt", StageText(20, 15, std::vector(cells.begin(), cells.begin() + 50))), &fifty);
  Load(Write("fifty-one.txt", StageText(20, 15, cells)), &fiftyOne);
  ASSERT_EQ(fifty.result, 1);
  EXPECT_EQ(fifty.map.eventCount, 50);
  EXPECT_EQ(fiftyOne.result, 0);
  EXPECT_NE(fiftyOne.stderrText.find("more than 50 event markers"), std::string::npos);
}

struct BadStage {
  const char* name;
  std::string text;
  const char* reason;  // part of the message
};

void PrintTo(const BadStage& bad, std::ostream* os) { *os << bad.name; }

class StageLoaderRefuses : public testing::TestWithParam<BadStage> {};

TEST_P(StageLoaderRefuses, WithOneLineNamingTheFileAndNothingKept) {
  const BadStage& bad = GetParam();
  const std::string path = Write(bad.name, bad.text);
  Loaded l;
  Load(path, &l);
  EXPECT_EQ(l.result, 0);
  EXPECT_TRUE(AllZero(l.map));
  EXPECT_NE(l.stderrText.find(path), std::string::npos) << l.stderrText;
  EXPECT_NE(l.stderrText.find(bad.reason), std::string::npos) << l.stderrText;
  EXPECT_EQ(std::count(l.stderrText.begin(), l.stderrText.end(), '\n'), 1) << l.stderrText;
  // The same line, kept for a caller that shows it (a list of stage packs).
  EXPECT_EQ("twinworlds: " + std::string(LastStageFault()) + "\n", l.stderrText);
}

std::string WithoutLastValue(std::string text) {
  text.resize(text.find_last_of(',', text.size() - 3) + 1);
  return text;
}

INSTANTIATE_TEST_SUITE_P(
    Faults, StageLoaderRefuses,
    testing::Values(BadStage{"short.txt", WithoutLastValue(StageText(20, 15)), "ends after 299 of its 300"},
                    BadStage{"empty.txt", "", "size cannot be read"},
                    BadStage{"letter.txt", "20,15,\n0,0,x,0\n", "cell value 3 cannot be read"},
                    // A comma parted from its value by a space stops the reading, as it would the game's.
                    BadStage{"spaced-comma.txt", "20,15,\n0 ,0,0\n", "cell value 2 cannot be read"},
                    BadStage{"huge-value.txt", "20,15,\n99999999999,\n", "cell value 1 cannot be read"},
                    BadStage{"narrow.txt", StageText(19, 15), "19 x 15 cells is smaller"},
                    BadStage{"low.txt", StageText(20, 14), "20 x 14 cells is smaller"},
                    BadStage{"negative.txt", "-20,15,\n", "-20 x 15 cells is smaller"},
                    BadStage{"vast.txt", "100000,100000,\n0,\n", "too large"},
                    // Their product overflows 32 bits into a small positive number.
                    BadStage{"wrapping.txt", "65536,65537,\n0,\n", "too large"}),
    [](const testing::TestParamInfo<BadStage>& info) {
      std::string n = info.param.name;
      n.resize(n.find('.'));
      for (char& ch : n)
        if (ch == '-') ch = '_';
      return n;
    });

TEST(StageLoader, MissingFileIsRefused) {
  StageMap map{};
  testing::internal::CaptureStderr();
  EXPECT_EQ(LoadStageFile(&map, FixturePath("no-such-stage.txt").c_str()), 0);
  const std::string err = testing::internal::GetCapturedStderr();
  EXPECT_NE(err.find("no-such-stage.txt"), std::string::npos);
  EXPECT_TRUE(AllZero(map));
}

TEST(StageLoader, MessagesNameTheFileAsItIsOnDisk) {
  std::filesystem::create_directories(FixturePath("game/stage"));
  Write("game/stage/Fai_Kansei.txt", "20,1,\n");
  const std::filesystem::path previous = std::filesystem::current_path();
  std::filesystem::current_path(FixturePath("game"));
  Loaded l;
  Load("stage\\fai_kansei.txt", &l);
  std::filesystem::current_path(previous);
  EXPECT_EQ(l.result, 0);
  EXPECT_EQ(l.stderrText.rfind("twinworlds: stage/Fai_Kansei.txt: ", 0), 0u) << l.stderrText;
}

TEST(StageLoader, FreeStageMapsReleasesBothWorlds) {
  const std::string path = Write("free.txt", StageText(20, 15, {{1, 202}, {2, 3000}}));
  StageMap a{}, b{};
  ASSERT_EQ(LoadStageFile(&a, path.c_str()), 1);
  ASSERT_EQ(LoadStageFile(&b, path.c_str()), 1);
  FreeStageMaps(&a, &b);
  for (StageMap* m : {&a, &b}) {
    EXPECT_EQ(m->cells, nullptr);
    EXPECT_EQ(m->eventCells, nullptr);
    EXPECT_EQ(m->eventValues, nullptr);
    EXPECT_EQ(m->hiddenCells, nullptr);
  }
}

}  // namespace
