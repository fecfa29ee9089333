// A game pad through SDL's virtual joystick, in a real (dummy-driver)
// window: its presses reach the game as the mapped keys, and the recording
// they leave replays the same game headless.
#include <gtest/gtest.h>

#include <SDL.h>
#include <sys/wait.h>
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
const PadStep Steps[] = {
    {2, Bit(SDL_CONTROLLER_BUTTON_START), 0},
    {4, 0, 0},
    {8, 0, 30000},                                    // run right with the stick
    {20, Bit(SDL_CONTROLLER_BUTTON_A), 30000},        // and jump
    {26, 0, 0},
    {30, Bit(SDL_CONTROLLER_BUTTON_DPAD_LEFT), 0},
    {40, Bit(SDL_CONTROLLER_BUTTON_X), 0},
    {44, 0, 0},
};
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

TEST(Gamepad, PressesReachTheGameAsKeysAndTheRecordingReplaysThem) {
  PlayFolder g("gamepad");
  auto rows = EmptyRows(40, 15);
  for (int c = 0; c < 40; c++) rows[9][c] = 1;
  g.WriteBothStages(rows);
  const int flips = 50;
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
  EXPECT_EQ(keysAt(2), (std::vector<uint8_t>{VK_RETURN}));
  EXPECT_EQ(keysAt(10), (std::vector<uint8_t>{VK_RIGHT}));
  EXPECT_EQ(keysAt(21), (std::vector<uint8_t>{VK_RIGHT, 'Y', 'Z'}));
  EXPECT_EQ(keysAt(31), (std::vector<uint8_t>{VK_LEFT}));
  EXPECT_EQ(keysAt(41), (std::vector<uint8_t>{'X'}));
  const std::string played = ReadText(g.dir / "pad.json");
  const auto state = nlohmann::json::parse(played);
  EXPECT_EQ(state["gameMode"], 0);
  EXPECT_GT(state["frames"], 0);

  const GameRun replay =
      RunGame(g.dir, {"--headless", "--input", "pad.txt", "--frames", std::to_string(flips), "--dump-state", "replay.json"});
  ASSERT_EQ(replay.exitCode, 0) << replay.err;
  EXPECT_EQ(ReadText(g.dir / "replay.json"), played);
}

}  // namespace
