// The search for the game data: each place in its order, each name found
// whatever its case.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "platform/files/data_folder.h"
#include "platform/files/user_folders.h"

namespace {

namespace fs = std::filesystem;

class DataSearchTest : public ::testing::Test {
 protected:
  void SetUp() override {
    root = fs::temp_directory_path() / ("tw_datasearch_" + std::to_string(getpid()));
    fs::remove_all(root);
    fs::create_directories(root / "cwd");
    saved = fs::current_path();
    fs::current_path(root / "cwd");
    for (const char* v : {"TWINWORLDS_DATA", "XDG_DATA_HOME", "XDG_DATA_DIRS", "HOME"}) {
      const char* old = std::getenv(v);
      env.emplace_back(v, old ? std::optional<std::string>(old) : std::nullopt);
      unsetenv(v);
    }
    setenv("HOME", (root / "home").c_str(), 1);
    setenv("XDG_DATA_DIRS", ((root / "dirs1").string() + "::" + (root / "dirs2").string()).c_str(), 1);
  }
  void TearDown() override {
    fs::current_path(saved);
    for (const auto& [name, value] : env)
      if (value) setenv(name.c_str(), value->c_str(), 1);
      else unsetenv(name.c_str());
    fs::remove_all(root);
  }
  // A folder holding the tile sheet, under a name of this case.
  std::string MakeData(const fs::path& folder, const char* sheet = "image/stage1/back.BMP") {
    fs::create_directories((folder / sheet).parent_path());
    std::ofstream(folder / sheet) << "x";
    return folder.string();
  }
  fs::path root, saved;
  std::vector<std::pair<std::string, std::optional<std::string>>> env;
};

TEST_F(DataSearchTest, EachPlaceIsTakenInItsOrder) {
  const std::string exe = (root / "bin").string();
  fs::create_directories(exe);
  if (!InstalledDataFolder().empty() && fs::exists(InstalledDataFolder() + "/image"))
    GTEST_SKIP() << "the game is installed on this machine, in " << InstalledDataFolder();
  // Nothing anywhere: every place is named.
  DataSearch s = FindDataFolder("", exe);
  EXPECT_FALSE(s.found);
  std::vector<std::string> tried = {".", exe + "/game", (root / "share/games/twinworlds").string()};
  if (!InstalledDataFolder().empty()) tried.push_back(InstalledDataFolder());
  for (const char* place : {"home/.local/share/twinworlds", "dirs1/twinworlds", "dirs2/twinworlds"})
    tried.push_back((root / place).string());
  EXPECT_EQ(s.tried, tried);
  EXPECT_NE(DataNotFoundLine(s).find((root / "dirs2/twinworlds").string()), std::string::npos);

  // From the last place to the first, each new one wins over the ones after it.
  MakeData(root / "dirs2/twinworlds", "IMAGE/Stage1/BACK.bmp");
  EXPECT_EQ(FindDataFolder("", exe).folder, root / "dirs2/twinworlds");
  MakeData(root / "dirs1/twinworlds");
  EXPECT_EQ(FindDataFolder("", exe).folder, root / "dirs1/twinworlds");
  MakeData(root / "home/.local/share/twinworlds");
  EXPECT_EQ(FindDataFolder("", exe).folder, root / "home/.local/share/twinworlds");
  setenv("XDG_DATA_HOME", (root / "datahome").c_str(), 1);
  MakeData(root / "datahome/twinworlds");
  EXPECT_EQ(FindDataFolder("", exe).folder, root / "datahome/twinworlds");
  MakeData(root / "share/games/twinworlds");
  EXPECT_EQ(FindDataFolder("", exe).folder, (root / "share/games/twinworlds").string());
  MakeData(exe + "/game");
  EXPECT_EQ(FindDataFolder("", exe).folder, exe + "/game");
  // A folder with the tile sheet or a stage file is the data folder,
  // complete or not; a stage folder of anything else, or an image folder
  // without the sheet, is not.
  fs::create_directories(root / "cwd/STAGE");
  std::ofstream(root / "cwd/STAGE/stage_file.cpp") << "x";
  EXPECT_EQ(FindDataFolder("", exe).folder, exe + "/game");
  std::ofstream(root / "cwd/STAGE/MAGIC1234.TXT") << "x";
  s = FindDataFolder("", exe);
  EXPECT_TRUE(s.found);
  EXPECT_EQ(s.folder, "");
  // A pack's folder holds stage files too, but is not the game data.
  std::ofstream(root / "cwd/Pack.txt") << "name = mine";
  EXPECT_EQ(FindDataFolder("", exe).folder, exe + "/game");
  fs::remove(root / "cwd/Pack.txt");
  fs::remove_all(root / "cwd/STAGE");
  fs::create_directories(root / "cwd/Image/stage1");
  EXPECT_EQ(FindDataFolder("", exe).folder, exe + "/game");
  MakeData(root / "cwd", "Image/stage1/Back.bmp");
  EXPECT_EQ(FindDataFolder("", exe).folder, "");
  setenv("TWINWORLDS_DATA", "/from/env", 1);
  EXPECT_EQ(FindDataFolder("", exe).folder, "/from/env");
  EXPECT_EQ(FindDataFolder("/from/option", exe).folder, "/from/option");
}

TEST_F(DataSearchTest, NamesAreFoundWhateverTheirCase) {
  MakeData(root / "d", "Image/STAGE1/Back.Bmp");
  EXPECT_EQ(ResolveIgnoringCase((root / "d").string(), "image/stage1/back.BMP"), "Image/STAGE1/Back.Bmp");
  EXPECT_EQ(ResolveIgnoringCase((root / "d").string(), "image/none/back.BMP"), "Image/none/back.BMP");
}

// Screenshots go where the desktop's user-dirs.dirs puts pictures.
TEST(UserFolders, ThePicturesFolderIsReadFromUserDirs) {
  const std::string home = "/home/ann";
  EXPECT_EQ(PicturesFolderFromUserDirs("# written by xdg-user-dirs-update\nXDG_DESKTOP_DIR=\"$HOME/Desktop\"\n"
                                       "  XDG_PICTURES_DIR=\"$HOME/Bilder/\"\n",
                                       home),
            "/home/ann/Bilder");
  EXPECT_EQ(PicturesFolderFromUserDirs("XDG_PICTURES_DIR=\"/srv/my \\\"shots\\\"\"\n", home), "/srv/my \"shots\"");
  // Relative, unclosed, $HOMEX, another name, or no home for $HOME: none.
  for (const char* text : {"XDG_PICTURES_DIR=\"Pictures\"", "XDG_PICTURES_DIR=\"$HOME/P", "XDG_PICTURES_DIR=\"$HOMEX\"",
                           "XDG_PICTURES_DIRS=\"/p\"", "#XDG_PICTURES_DIR=\"/p\""})
    EXPECT_EQ(PicturesFolderFromUserDirs(text, home), "") << text;
  EXPECT_EQ(PicturesFolderFromUserDirs("XDG_PICTURES_DIR=\"$HOME/P\"", ""), "");
}

}  // namespace
