// A game pad through SDL's virtual joystick, in a real (dummy-driver)
// window, and no keyboard: title, play, the pause menu, the options screen
// and back, the death dialog and a continue; no single press ends the game;
// and the recording the pad leaves replays the same game headless. The
// stage editor from the title, by the pad alone, the same way.
#include <gtest/gtest.h>

#include <SDL.h>
#include <sys/wait.h>

#include <span>
#include <unistd.h>

#include "app/game.h"
#include "app/state_dump.h"
#include "platform/input/input_file.h"
#include "platform/shell/run.h"
#include "play_folder.h"

namespace {

// Pad buttons held from a flip on, as a player would press them.
struct PadStep {
  uint32_t flip;
  uint32_t buttons;
  int16_t leftX;
};
constexpr uint32_t Bit(SDL_GameControllerButton b) { return 1u << b; }
constexpr uint32_t Start = Bit(SDL_CONTROLLER_BUTTON_START), A = Bit(SDL_CONTROLLER_BUTTON_A),
                   B = Bit(SDL_CONTROLLER_BUTTON_B), X = Bit(SDL_CONTROLLER_BUTTON_X),
                   Back = Bit(SDL_CONTROLLER_BUTTON_BACK), Down = Bit(SDL_CONTROLLER_BUTTON_DPAD_DOWN),
                   Right = Bit(SDL_CONTROLLER_BUTTON_DPAD_RIGHT), RB = Bit(SDL_CONTROLLER_BUTTON_RIGHTSHOULDER);
const PadStep PlaySteps[] = {
    {2, Start, 0},  {4, 0, 0},            // the title: a new game
    {8, 0, 30000},  {12, 0, 0},           // run right with the stick
    {14, Start, 0}, {16, 0, 0},           // the pause menu
    {18, X, 0},     {20, 0, 0},           // a tap of X does not quit
    {22, Back, 0},  {24, 0, 0},           // the options screen
    {26, Down, 0},  {28, 0, 0},           //
    {30, B, 0},     {32, 0, 0},           // back to the pause menu
    {34, Start, 0}, {36, 0, 0},           // back to the game
    {470, B, 0},    {472, 0, 0},          // dead by now: a tap of B does not quit
    {490, A, 0},    {492, 0, 0},          // continue
};
const PadStep EditSteps[] = {
    {2, X, 0},          {4, 0, 0},    // the title: the stage editor
    {10, A, 0},         {12, 0, 0},   // the new pack's name as offered
    {16, Right, 0},     {18, 0, 0},   // the cursor one cell on
    {22, RB, 0},        {24, 0, 0},   // the palette's next entry
    {28, A, 0},         {32, 0, 0},   // paint
    {36, Start, 0},     {38, 0, 0},   // play-test
    {60, Start, 0},     {62, 0, 0},   // its pause menu
    {66, X, 0},         {104, 0, 0},  // X held: back to the editor
    {108, Back | A, 0}, {110, 0, 0},  // save
};
std::span<const PadStep> Steps = PlaySteps;
SDL_Joystick* VirtualPad = nullptr;

// Called by SDL on the game's own thread whenever it reads the pads, which
// it does at every flip: the state for the flips made so far.
void UpdatePad(void*) {
  const PadStep* now = nullptr;
  for (const PadStep& s : Steps)
    if (s.flip <= FlipCount()) now = &s;
  for (int b = 0; b < SDL_CONTROLLER_BUTTON_MAX; b++)
    SDL_JoystickSetVirtualButton(VirtualPad, b, now && (now->buttons >> b & 1));
  SDL_JoystickSetVirtualAxis(VirtualPad, SDL_CONTROLLER_AXIS_LEFTX, now ? now->leftX : 0);
}

// The game in this process's child, with the pad plugged in before it starts.
int PlayWithPad(const std::filesystem::path& dir, int flips) {
  if (chdir(dir.c_str()) != 0) return 100;
  setenv("SDL_VIDEODRIVER", "dummy", 1);
  setenv("SDL_AUDIODRIVER", "dummy", 1);
  setenv("XDG_CONFIG_HOME", (dir / "config").c_str(), 1);
  setenv("XDG_DATA_HOME", (dir / "data-home").c_str(), 1);
  // The dummy window never has the focus that pads otherwise need.
  setenv("SDL_JOYSTICK_ALLOW_BACKGROUND_EVENTS", "1", 1);
  if (SDL_InitSubSystem(SDL_INIT_JOYSTICK) != 0) return 101;
  SDL_VirtualJoystickDesc desc{};
  desc.version = SDL_VIRTUAL_JOYSTICK_DESC_VERSION;
  desc.type = SDL_JOYSTICK_TYPE_GAMECONTROLLER;
  desc.naxes = SDL_CONTROLLER_AXIS_MAX;
  desc.nbuttons = SDL_CONTROLLER_BUTTON_MAX;
  desc.name = "test pad";
  desc.Update = UpdatePad;
  const int index = SDL_JoystickAttachVirtualEx(&desc);
  if (index < 0 || !(VirtualPad = SDL_JoystickOpen(index))) return 102;
  RunOptions options;
  options.window = true;
  options.recordFile = "pad.txt";
  // The state is taken as the game ends, while its worlds still exist.
  options.dumpStateFile = "pad.json";
  options.frames = flips;
  if (!StartPlatform(options)) return 103;
  char commandLine[] = "";
  const int code = WinMain(GetModuleHandleA(nullptr), nullptr, commandLine, 0);
  WriteGameState(options.dumpStateFile);
  FinishPlatform();
  return code;
}

// The whole ground a hazard: dead after five hits, some 300 frames.
StageRows DeadlyStage() {
  auto rows = EmptyRows(40, 15);
  for (int c = 0; c < 40; c++) rows[9][c] = 51;
  for (int r = 0; r < 9; r++) rows[r][0] = rows[r][39] = 1;
  return rows;
}

TEST(Gamepad, PlaysEveryScreenAloneAndTheRecordingReplaysIt) {
  PlayFolder g("gamepad");
  g.WriteBothStages(DeadlyStage());
  const int flips = 530;
  const pid_t pid = fork();
  if (pid == 0) _exit(PlayWithPad(g.dir, flips));
  int status = 0;
  waitpid(pid, &status, 0);
  ASSERT_TRUE(WIFEXITED(status));
  ASSERT_EQ(WEXITSTATUS(status), 0);

  std::vector<InputLine> recorded;
  std::string error;
  ASSERT_TRUE(LoadInputFile((g.dir / "pad.txt").string(), &recorded, &error)) << error;
  auto keysAt = [&](uint32_t flip) {
    std::vector<uint8_t> keys;
    for (const InputLine& l : recorded)
      if (l.flip <= flip) keys = l.keys;
    std::sort(keys.begin(), keys.end());
    return keys;
  };
  const uint8_t PadStart = 0xCF, PadA = 0xC3, PadB = 0xC4, PadX = 0xC5, PadBack = 0xD0;
  // Each screen hears its own meaning of a button, and the button itself.
  EXPECT_EQ(keysAt(2), (std::vector<uint8_t>{VK_RETURN, PadStart}));
  EXPECT_EQ(keysAt(14), (std::vector<uint8_t>{VK_ESCAPE, PadStart}));
  EXPECT_EQ(keysAt(18), (std::vector<uint8_t>{PadX}));  // not yet F2: quitting is held
  EXPECT_EQ(keysAt(22), (std::vector<uint8_t>{VK_F3, PadBack}));
  EXPECT_EQ(keysAt(30), (std::vector<uint8_t>{VK_F1, PadB}));
  EXPECT_EQ(keysAt(470), (std::vector<uint8_t>{PadB}));  // not yet N: no is held after death
  EXPECT_EQ(keysAt(490), (std::vector<uint8_t>{'Y', PadA}));
  const std::string played = ReadText(g.dir / "pad.json");
  const auto state = nlohmann::json::parse(played);
  EXPECT_EQ(state["flips"], flips);  // nothing ended the game early
  EXPECT_EQ(state["gameMode"], 0);
  EXPECT_EQ(state["sounds"]["SeLvup"], 1);  // continued
  EXPECT_EQ(state["worlds"][0]["player"]["dead"], 0);

  const GameRun replay =
      RunGame(g.dir, {"--headless", "--input", "pad.txt", "--frames", std::to_string(flips), "--dump-state", "replay.json"});
  ASSERT_EQ(replay.exitCode, 0) << replay.err;
  EXPECT_EQ(ReadText(g.dir / "replay.json"), played);
  // A recording holds no settings: played back, nothing is written.
  EXPECT_FALSE(std::filesystem::exists(g.dir / "config/twinworlds/twinworlds.conf.tmp"));
}

}  // namespace

TEST(Gamepad, EditsAStageAloneAndTheRecordingReplaysToTheSameFiles) {
  PlayFolder g("gamepad-editor");
  g.WriteBothStages(DeadlyStage());
  const std::string own = ReadText(g.dir / "stage/fai_kansei.txt");
  Steps = EditSteps;
  const pid_t pid = fork();
  if (pid == 0) _exit(PlayWithPad(g.dir, 130));
  int status = 0;
  waitpid(pid, &status, 0);
  ASSERT_TRUE(WIFEXITED(status));
  ASSERT_EQ(WEXITSTATUS(status), 0);
  const auto saved = g.PackDir("my-stages") / "stage/fai_kansei.txt";
  ASSERT_TRUE(std::filesystem::exists(saved));
  const std::string edited = ReadText(saved);
  EXPECT_NE(edited, own);
  EXPECT_EQ(ReadText(g.dir / "stage/fai_kansei.txt"), own);  // the game's own stays as it was
  EXPECT_EQ(nlohmann::json::parse(ReadText(g.dir / "pad.json"))["gameMode"], ModeEditor);
  // Start in the play-test was play's pause, not the editor's.
  std::vector<InputLine> recorded;
  std::string error;
  ASSERT_TRUE(LoadInputFile((g.dir / "pad.txt").string(), &recorded, &error)) << error;
  bool paused = false;
  for (const InputLine& l : recorded)
    if (l.flip == 60) paused = std::count(l.keys.begin(), l.keys.end(), VK_ESCAPE) == 1;
  EXPECT_TRUE(paused);

  std::filesystem::remove_all(g.DataHome());
  const GameRun replay = RunGame(g.dir, {"--headless", "--input", "pad.txt"}, {"XDG_DATA_HOME=" + g.DataHome().string()});
  ASSERT_EQ(replay.exitCode, 0) << replay.err;
  EXPECT_EQ(ReadText(saved), edited);
}
