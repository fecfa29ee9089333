// A real window under a virtual X server: it opens, and keys typed into it
// reach the game (the recording shows them).
#include <gtest/gtest.h>

#include "platform/input/input_file.h"
#include "platform/shell/run.h"
#include "support/game_runner.h"

namespace {

bool HaveProgram(const char* name) {
  return std::system((std::string("command -v ") + name + " >/dev/null 2>&1").c_str()) == 0;
}

TEST(Window, OpensAndTakesKeys) {
  if (!HaveProgram("xvfb-run") || !HaveProgram("xdotool")) GTEST_SKIP() << "xvfb and xdotool are not installed";
  const std::filesystem::path folder = MakeGameFolder("window");
  WriteFixtureBitmaps(folder);
  // The game ends itself after 300 flips whatever happens to the keys. Leak
  // checks are left to the headless runs: the X and GL libraries keep memory
  // to the end in ways that cannot be told apart from the game's.
  std::ofstream(folder / "type.sh") << "set -u\n"
                                       "\"$1\" --window --scale 1 --record rec.txt --frames 300 &\n"
                                       "game=$!\n"
                                       "id=$(timeout 30 xdotool search --sync --name twinworlds | head -1)\n"
                                       "xdotool windowfocus --sync \"$id\" || true\n"
                                       "sleep 0.5\n"
                                       "xdotool key --delay 100 z Escape\n"
                                       "sleep 0.5\n"
                                       "xdotool key F1\n"
                                       "wait $game\n";
  const std::string command = "cd '" + folder.string() + "' && XDG_CONFIG_HOME=\"$PWD/config\" SDL_AUDIODRIVER=dummy ASAN_OPTIONS=detect_leaks=0 timeout 120 xvfb-run -a -s '-screen 0 1024x768x24' bash type.sh '" +
                              std::string(TW_GAME_EXE) + "' > xvfb.log 2>&1";
  const int status = std::system(command.c_str());
  ASSERT_EQ(status, 0) << ReadText(folder / "xvfb.log");
  std::vector<InputLine> recorded;
  std::string error;
  ASSERT_TRUE(LoadInputFile((folder / "rec.txt").string(), &recorded, &error)) << error;
  bool sawZ = false, sawEscape = false;
  for (const InputLine& line : recorded)
    for (uint8_t vk : line.keys) {
      sawZ |= vk == 'Z';
      sawEscape |= vk == 0x1B;
    }
  EXPECT_TRUE(sawZ) << ReadText(folder / "rec.txt");
  EXPECT_TRUE(sawEscape) << ReadText(folder / "rec.txt");
  std::filesystem::remove_all(folder);
}

// Runs a shell script under a virtual X server (of 1024 x 768 unless said)
// in the folder, with the game as its $1; true when it ends with status 0.
bool RunUnderXvfb(const std::filesystem::path& folder, const std::string& script,
                  const std::string& screen = "1024x768") {
  std::ofstream(folder / "script.sh") << "set -u\n" << script;
  const std::string command = "cd '" + folder.string() +
                              "' && XDG_CONFIG_HOME=\"$PWD/config\" SDL_AUDIODRIVER=dummy ASAN_OPTIONS=detect_leaks=0 "
                              "timeout 120 xvfb-run -a -s '-screen 0 " + screen + "x24' bash script.sh '" +
                              std::string(TW_GAME_EXE) + "' > xvfb.log 2>&1";
  return std::system(command.c_str()) == 0;
}

// The stage editor's mouse in a window of scale 2: a drag of the left button
// paints the cells it crosses, the recording holds the pointer in the
// picture's own pixels (the window's scale taken off), and Ctrl+S saves;
// F6 then prints the pack's link and puts it on the clipboard.
TEST(Window, TheEditorPaintsWithTheMouse) {
  if (!HaveProgram("xvfb-run") || !HaveProgram("xdotool")) GTEST_SKIP() << "xvfb and xdotool are not installed";
  const std::filesystem::path folder = MakeGameFolder("window_mouse");
  WriteFixtureBitmaps(folder);
  std::filesystem::create_directories(folder / "stage");
  std::string stage = "30,15,\r\n";
  for (int r = 0; r < 15; r++)
    for (int c = 0; c < 30; c++) stage += std::string(r == 9 ? (c == 25 ? "52" : "1") : "0") + (c == 29 ? ",\r\n" : ",");
  for (const char* name : {"stage/fai_kansei.txt", "stage/Magic1234.txt"}) std::ofstream(folder / name, std::ios::binary) << stage;
  ASSERT_TRUE(RunUnderXvfb(folder,
                           "\"$1\" --window --scale 2 --edit ./pack --record rec.txt --frames 200 > link.txt &\n"
                           "game=$!\n"
                           "id=$(timeout 30 xdotool search --sync --name twinworlds | head -1)\n"
                           "xdotool windowfocus --sync \"$id\" || true\n"
                           "sleep 0.5\n"
                           "xdotool mousemove --window \"$id\" 200 300 mousedown 1\n"
                           "sleep 0.2\n"
                           "xdotool mousemove --window \"$id\" 400 300\n"
                           "sleep 0.2\n"
                           "xdotool mouseup 1\n"
                           "sleep 0.2\n"
                           "xdotool keydown ctrl\n"
                           "sleep 0.2\n"
                           "xdotool key s\n"
                           "sleep 0.2\n"
                           "xdotool keyup ctrl\n"
                           "sleep 0.2\n"
                           "xdotool key F6\n"
                           "sleep 0.5\n"
                           "if command -v xclip >/dev/null; then xclip -o -selection clipboard > clip.txt; fi\n"
                           "wait $game\n",
                           "1600x1200"))
      << ReadText(folder / "xvfb.log");
  std::vector<InputLine> recorded;
  std::string error;
  ASSERT_TRUE(LoadInputFile((folder / "rec.txt").string(), &recorded, &error)) << error;
  bool pressedAtStart = false;
  for (const InputLine& line : recorded)
    for (uint8_t vk : line.keys)
      pressedAtStart |= vk == 0x01 && line.pointer.inside && line.pointer.x == 100 && line.pointer.y == 150;
  EXPECT_TRUE(pressedAtStart) << ReadText(folder / "rec.txt");
  const std::string saved = ReadText(folder / "pack/stage/fai_kansei.txt");
  EXPECT_FALSE(saved.empty()) << ReadText(folder / "rec.txt");
  EXPECT_NE(saved, stage);
  const std::string link = ReadText(folder / "link.txt");
  EXPECT_NE(link.find("#pack="), std::string::npos) << ReadText(folder / "xvfb.log");
  if (HaveProgram("xclip")) {
    EXPECT_EQ(ReadText(folder / "clip.txt") + "\n", link);
  }
  std::filesystem::remove_all(folder);
}

// The window carries the game's icon; F12 saves where the desktop's
// user-dirs.dirs says; another window takes the focus: the game pauses as
// Escape would, the recording holds it, and its replay pauses too.
TEST(Window, HasItsIconSavesScreenshotsWhereTheDesktopSaysAndPausesWhenTheFocusGoes) {
  if (!HaveProgram("xvfb-run") || !HaveProgram("xdotool") || !HaveProgram("xprop"))
    GTEST_SKIP() << "xvfb, xdotool and xprop are not installed";
  const std::filesystem::path folder = MakeGameFolder("window_focus");
  WriteFixtureBitmaps(folder);
  std::filesystem::create_directories(folder / "config");
  std::ofstream(folder / "config" / "user-dirs.dirs") << "XDG_PICTURES_DIR=\"" << (folder / "shots").string() << "\"\n";
  ASSERT_TRUE(RunUnderXvfb(folder,
                           "unset XDG_PICTURES_DIR\n"
                           "\"$1\" --window --scale 1 --record rec.txt --frames 200 --screenshot live.png &\n"
                           "game=$!\n"
                           "id=$(timeout 30 xdotool search --sync --name twinworlds | head -1)\n"
                           "xdotool windowfocus --sync \"$id\" || true\n"
                           "xprop -id \"$id\" _NET_WM_ICON | head -1 > icon.txt\n"
                           "sleep 0.5\n"
                           "xdotool key F12\n"
                           "sleep 0.3\n"
                           "xdotool windowfocus \"$(xdotool search --maxdepth 0 --name '' | head -1)\"\n"
                           "wait $game\n"))
      << ReadText(folder / "xvfb.log");
  EXPECT_NE(ReadText(folder / "icon.txt").find("Icon (64 x 64)"), std::string::npos) << ReadText(folder / "icon.txt");
  int shots = 0;
  if (std::filesystem::exists(folder / "shots"))
    for (const auto& shot : std::filesystem::directory_iterator(folder / "shots"))
      shots += shot.path().filename().string().rfind("twinworlds-", 0) == 0;
  EXPECT_EQ(shots, 1) << ReadText(folder / "xvfb.log");
  const std::string recorded = ReadText(folder / "rec.txt");
  EXPECT_NE(recorded.find(" ESCAPE\n"), std::string::npos) << recorded;
  const GameRun replay = RunGame(folder, {"--headless", "--input", "rec.txt", "--frames", "200", "--screenshot", "replay.png"});
  ASSERT_EQ(replay.exitCode, 0) << replay.err;
  for (const char* name : {"live.png", "replay.png"}) {
    Picture picture;
    ASSERT_TRUE(ReadPng(folder / name, &picture)) << name;
    // The pause menu's box: white inside, outlined in black.
    const uint8_t* inside = picture.At(110, 210);
    EXPECT_EQ(inside[0] + inside[1] + inside[2], 3 * 255) << name;
    const uint8_t* edge = picture.At(320, 200);
    EXPECT_EQ(edge[0] + edge[1] + edge[2], 0) << name;
  }
  std::filesystem::remove_all(folder);
}

// --scale alone means a window of that scale.
TEST(Window, ScaleAloneOpensAWindowOfThatScale) {
  if (!HaveProgram("xvfb-run") || !HaveProgram("xdotool")) GTEST_SKIP() << "xvfb and xdotool are not installed";
  const std::filesystem::path folder = MakeGameFolder("window_scale");
  WriteFixtureBitmaps(folder);
  std::string script;
  for (const char* scale : {"3", "2"})
    script += std::string("\"$1\" --scale ") + scale + " --frames 40 &\ngame=$!\n" +
              "id=$(timeout 30 xdotool search --sync --name twinworlds | head -1)\nsleep 0.3\n" +
              "xdotool getwindowgeometry --shell \"$id\" > scale" + scale + ".txt\nwait $game\n";
  ASSERT_TRUE(RunUnderXvfb(folder, script, "2048x1536")) << ReadText(folder / "xvfb.log");
  for (const char* line : {"WIDTH=1920\n", "HEIGHT=1440\n"})
    EXPECT_NE(ReadText(folder / "scale3.txt").find(line), std::string::npos) << ReadText(folder / "scale3.txt");
  for (const char* line : {"WIDTH=1280\n", "HEIGHT=960\n"})
    EXPECT_NE(ReadText(folder / "scale2.txt").find(line), std::string::npos) << ReadText(folder / "scale2.txt");
  std::filesystem::remove_all(folder);
}

// Alt+Enter on the options screen: its Display entry says full screen, as
// the options screen of a game started full screen does.
TEST(Window, TheOptionsScreenFollowsAltEnter) {
  if (!HaveProgram("xvfb-run") || !HaveProgram("xdotool")) GTEST_SKIP() << "xvfb and xdotool are not installed";
  const std::filesystem::path folder = MakeGameFolder("window_alt_enter");
  WriteFixtureBitmaps(folder);
  std::string script;
  for (const char* options : {"--window --screenshot switched.png", "--fullscreen --screenshot full.png"}) {
    const std::string run = options;
    script += "XDG_CONFIG_HOME=\"$PWD/" + run.substr(2, 6) + "\" \"$1\" --lang en " + run + " &\ngame=$!\n" +
              "id=$(timeout 30 xdotool search --sync --name twinworlds | head -1)\n"
              "xdotool windowfocus --sync \"$id\" || true\nsleep 0.5\nxdotool key F3\nsleep 0.5\n" +
              (run[2] == 'w' ? "xdotool key alt+Return\nsleep 1\n" : "") + "kill -TERM $game\nwait $game\n";
  }
  ASSERT_TRUE(RunUnderXvfb(folder, script)) << ReadText(folder / "xvfb.log");
  const std::string switched = ReadText(folder / "switched.png");
  ASSERT_FALSE(switched.empty()) << ReadText(folder / "xvfb.log");
  EXPECT_TRUE(switched == ReadText(folder / "full.png"));
  std::filesystem::remove_all(folder);
}

// The window as the player left it comes back at the next start; one left
// where no display is now comes back inside the one there is.
TEST(Window, ItsSizeAndPlaceAreRestoredOnADisplayThatIsThere) {
  if (!HaveProgram("xvfb-run") || !HaveProgram("xdotool")) GTEST_SKIP() << "xvfb and xdotool are not installed";
  const std::filesystem::path folder = MakeGameFolder("window_place");
  WriteFixtureBitmaps(folder);
  const std::string conf = "config/twinworlds/twinworlds.conf";
  auto start = [](const std::string& options, const std::string& then) {
    return "\"$1\" " + options + " --frames 60 &\ngame=$!\nid=$(timeout 30 xdotool search --sync --name twinworlds | head -1)\n" +
           then + "wait $game\n";
  };
  ASSERT_TRUE(RunUnderXvfb(
      folder, start("--window", "xdotool windowsize \"$id\" 700 600 windowmove \"$id\" 50 40\n") +
                  start("", "sleep 0.3\nxdotool getwindowgeometry --shell \"$id\" > again.txt\n") +
                  "sed -i 's/^window_position = .*/window_position = 5000,-9000/' " + conf + "\n" +
                  start("", "sleep 0.3\nxdotool getwindowgeometry --shell \"$id\" > moved.txt\n")))
      << ReadText(folder / "xvfb.log");
  const std::string again = ReadText(folder / "again.txt"), moved = ReadText(folder / "moved.txt");
  for (const char* line : {"X=50\n", "Y=40\n", "WIDTH=700\n", "HEIGHT=600\n"})
    EXPECT_NE(again.find(line), std::string::npos) << line << again;
  // Centred on the 1024 x 768 screen, at the size it had.
  for (const char* line : {"X=162\n", "Y=84\n", "WIDTH=700\n", "HEIGHT=600\n"})
    EXPECT_NE(moved.find(line), std::string::npos) << line << moved;
  const std::string settings = ReadText(folder / conf);
  EXPECT_NE(settings.find("\nfullscreen = false\n"), std::string::npos) << settings;
  EXPECT_NE(settings.find("\nwindow_size = 700x600\n"), std::string::npos) << settings;
  std::filesystem::remove_all(folder);
}

// Under a window manager that decorates the window, the place kept is the
// place it comes back to: start after start, it does not creep by the
// decoration.
TEST(Window, ItsPlaceStaysPutUnderAWindowManager) {
  if (!HaveProgram("xvfb-run") || !HaveProgram("xdotool") || !HaveProgram("openbox"))
    GTEST_SKIP() << "xvfb, xdotool and openbox are not installed";
  const std::filesystem::path folder = MakeGameFolder("window_wm");
  WriteFixtureBitmaps(folder);
  std::string script = "openbox >/dev/null 2>&1 &\nwm=$!\nsleep 1\n";
  for (int i = 0; i < 3; i++)
    script += std::string("\"$1\" --window --frames 40 &\ngame=$!\n") +
              "id=$(timeout 30 xdotool search --sync --name '^twinworlds$' | head -1)\nsleep 0.5\n" +
              (i == 0 ? "xdotool windowmove \"$id\" 100 80\nsleep 0.3\n" : "") +
              "wait $game\ngrep '^window_position' config/twinworlds/twinworlds.conf >> places.txt\n";
  script += "kill $wm\n";
  ASSERT_TRUE(RunUnderXvfb(folder, script)) << ReadText(folder / "xvfb.log");
  EXPECT_EQ(ReadText(folder / "places.txt"),
            "window_position = 100,80\nwindow_position = 100,80\nwindow_position = 100,80\n");
  std::filesystem::remove_all(folder);
}

#ifdef TW_XPICTURE_EXE
// A window made smaller than 640 x 480 (as a tiling window manager may)
// shows the whole picture scaled down, not a part of it: the title's foot
// line, 50 rows above the picture's bottom, is there at half the height.
TEST(Window, SmallerThanThePictureShowsAllOfIt) {
  if (!HaveProgram("xvfb-run") || !HaveProgram("xdotool")) GTEST_SKIP() << "xvfb and xdotool are not installed";
  const std::filesystem::path folder = MakeGameFolder("window_small");
  WriteFixtureBitmaps(folder);
  ASSERT_TRUE(RunUnderXvfb(folder, std::string("\"$1\" --window --scale 1 --frames 150 &\ngame=$!\n"
                                               "id=$(timeout 30 xdotool search --sync --name twinworlds | head -1)\n"
                                               "sleep 0.5\nxdotool windowsize \"$id\" 320 240\nsleep 0.7\n'") +
                                   TW_XPICTURE_EXE + "' twinworlds shown.ppm\nwait $game\n"))
      << ReadText(folder / "xvfb.log");
  const std::string ppm = ReadText(folder / "shown.ppm");
  const std::string head = "P6\n320 240\n255\n";
  ASSERT_EQ(ppm.substr(0, head.size()), head) << ReadText(folder / "xvfb.log");
  int white = 0;
  for (int y = 210; y < 226; y++)
    for (int x = 0; x < 320; x++) {
      const unsigned char* p = reinterpret_cast<const unsigned char*>(ppm.data()) + head.size() + (y * 320 + x) * 3;
      white += p[0] > 200 && p[1] > 200 && p[2] > 200;
    }
  EXPECT_GT(white, 50);
  std::filesystem::remove_all(folder);
}
#endif

#ifdef TW_XCLOSE_EXE
// A player who browses the skill menu a long while and then closes the window
// ends the game: the keys pressed in the menu never push out the close.
TEST(Window, ClosedAfterALongStayInTheSkillMenuEndsTheGame) {
  if (!HaveProgram("xvfb-run") || !HaveProgram("xdotool")) GTEST_SKIP() << "xvfb and xdotool are not installed";
  const std::filesystem::path folder = MakeGameFolder("window_close");
  WriteFixtureBitmaps(folder);
  std::filesystem::create_directories(folder / "stage");
  std::string stage = "20,15,\n";
  for (int r = 0; r < 15; r++)
    for (int c = 0; c < 20; c++) stage += r == 9 ? "1," : "0,";
  std::ofstream(folder / "stage" / "fai_kansei.txt") << stage;
  std::ofstream(folder / "stage" / "Magic1234.txt") << stage;
  // No --frames: only the close can end this run (the timeout fails it).
  std::ofstream(folder / "close.sh") << "set -u\n"
                                        "\"$1\" --window --scale 1 --record rec.txt --dump-state state.json &\n"
                                        "game=$!\n"
                                        "id=$(timeout 30 xdotool search --sync --name '^twinworlds' | head -1)\n"
                                        "xdotool windowfocus --sync \"$id\" || true\n"
                                        "sleep 0.5\n"
                                        "xdotool key Return\n"
                                        "sleep 1\n"
                                        "xdotool key Control_L\n"
                                        "sleep 0.5\n"
                                        "xdotool key --delay 30 $(for i in $(seq 100); do printf 'Right Down '; done)\n"
                                        "\"$2\" 'twinworlds'\n"
                                        "wait $game\n";
  const std::string command = "cd '" + folder.string() +
                              "' && XDG_CONFIG_HOME=$PWD SDL_AUDIODRIVER=dummy ASAN_OPTIONS=detect_leaks=0 timeout 120 xvfb-run -a -s "
                              "'-screen 0 1024x768x24' bash close.sh '" + std::string(TW_GAME_EXE) + "' '" +
                              TW_XCLOSE_EXE + "' > xvfb.log 2>&1";
  const int status = std::system(command.c_str());
  ASSERT_EQ(status, 0) << ReadText(folder / "xvfb.log");
  std::vector<InputLine> recorded;
  std::string error;
  ASSERT_TRUE(LoadInputFile((folder / "rec.txt").string(), &recorded, &error)) << error;
  // More presses reached the game than the old queue of 64 could hold.
  EXPECT_GT(recorded.size(), 64u);
  const std::string state = ReadText(folder / "state.json");
  EXPECT_NE(state.find("\"gameMode\": 0"), std::string::npos) << state.substr(0, 200);
  std::filesystem::remove_all(folder);
}
#endif

}  // namespace
