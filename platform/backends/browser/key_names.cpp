// What the browser build links of the platform's per-build functions:
// SDL's names for keys, pad buttons and stick axes, without SDL (the same
// names and numbers, so bindings read the same as on the desktop), and no
// settings file (the page keeps the defaults).
#include <strings.h>

#include <cstdint>

#include "platform/backend.h"

namespace {

enum SDL_GameControllerButton : int {
  SDL_CONTROLLER_BUTTON_INVALID = -1,
  SDL_CONTROLLER_BUTTON_A,
  SDL_CONTROLLER_BUTTON_B,
  SDL_CONTROLLER_BUTTON_X,
  SDL_CONTROLLER_BUTTON_Y,
  SDL_CONTROLLER_BUTTON_BACK,
  SDL_CONTROLLER_BUTTON_GUIDE,
  SDL_CONTROLLER_BUTTON_START,
  SDL_CONTROLLER_BUTTON_LEFTSTICK,
  SDL_CONTROLLER_BUTTON_RIGHTSTICK,
  SDL_CONTROLLER_BUTTON_LEFTSHOULDER,
  SDL_CONTROLLER_BUTTON_RIGHTSHOULDER,
  SDL_CONTROLLER_BUTTON_DPAD_UP,
  SDL_CONTROLLER_BUTTON_DPAD_DOWN,
  SDL_CONTROLLER_BUTTON_DPAD_LEFT,
  SDL_CONTROLLER_BUTTON_DPAD_RIGHT,
  SDL_CONTROLLER_BUTTON_MAX = 21
};

enum SDL_GameControllerAxis : int {
  SDL_CONTROLLER_AXIS_INVALID = -1,
  SDL_CONTROLLER_AXIS_LEFTX,
  SDL_CONTROLLER_AXIS_LEFTY,
  SDL_CONTROLLER_AXIS_RIGHTX,
  SDL_CONTROLLER_AXIS_RIGHTY,
  SDL_CONTROLLER_AXIS_TRIGGERLEFT,
  SDL_CONTROLLER_AXIS_TRIGGERRIGHT,
  SDL_CONTROLLER_AXIS_MAX
};

constexpr int32_t SDLK_UNKNOWN = 0;

SDL_GameControllerButton SDL_GameControllerGetButtonFromString(const char* name) {
  static const char* const names[SDL_CONTROLLER_BUTTON_MAX] = {
      "a",        "b",         "x",          "y",      "back",    "guide",   "start",
      "leftstick", "rightstick", "leftshoulder", "rightshoulder", "dpup", "dpdown", "dpleft",
      "dpright",  "misc1",     "paddle1",    "paddle2", "paddle3", "paddle4", "touchpad"};
  for (int i = 0; i < SDL_CONTROLLER_BUTTON_MAX; i++)
    if (strcasecmp(name, names[i]) == 0) return static_cast<SDL_GameControllerButton>(i);
  return SDL_CONTROLLER_BUTTON_INVALID;
}

SDL_GameControllerAxis SDL_GameControllerGetAxisFromString(const char* name) {
  static const char* const names[SDL_CONTROLLER_AXIS_MAX] = {"leftx",  "lefty",       "rightx",
                                                             "righty", "lefttrigger", "righttrigger"};
  if (*name == '+' || *name == '-') name++;
  for (int i = 0; i < SDL_CONTROLLER_AXIS_MAX; i++)
    if (strcasecmp(name, names[i]) == 0) return static_cast<SDL_GameControllerAxis>(i);
  return SDL_CONTROLLER_AXIS_INVALID;
}

// A printable character names its own key (lower case, as SDL's keycodes);
// the rest are the named keys a binding can use, with SDL's keycodes.
int32_t SDL_GetKeyFromName(const char* name) {
  if (name[0] > ' ' && name[0] < 0x7F && name[1] == '\0')
    return name[0] >= 'A' && name[0] <= 'Z' ? name[0] - 'A' + 'a' : name[0];
  static const struct {
    const char* name;
    int32_t key;
  } keys[] = {
      {"Return", 13},          {"Escape", 27},          {"Backspace", 8},         {"Tab", 9},
      {"Space", 32},           {"Delete", 127},         {"Left", 0x40000050},     {"Right", 0x4000004F},
      {"Up", 0x40000052},      {"Down", 0x40000051},    {"Left Ctrl", 0x400000E0}, {"Right Ctrl", 0x400000E4},
      {"Left Shift", 0x400000E1}, {"Right Shift", 0x400000E5}, {"Left Alt", 0x400000E2}, {"Right Alt", 0x400000E6},
      {"Keypad Enter", 0x40000058}, {"Home", 0x4000004A}, {"End", 0x4000004D},      {"Insert", 0x40000049},
      {"PageUp", 0x4000004B},  {"PageDown", 0x4000004E}, {"F1", 0x4000003A},       {"F2", 0x4000003B},
      {"F3", 0x4000003C},      {"F4", 0x4000003D},      {"F5", 0x4000003E},       {"F6", 0x4000003F},
      {"F7", 0x40000040},      {"F8", 0x40000041},      {"F9", 0x40000042},       {"F10", 0x40000043},
      {"F11", 0x40000044},     {"F12", 0x40000045}};
  for (const auto& k : keys)
    if (strcasecmp(name, k.name) == 0) return k.key;
  return SDLK_UNKNOWN;
}

}  // namespace

int32_t KeyCodeFromName(const char* name) { return SDL_GetKeyFromName(name); }

int PadButtonFromName(const char* name) { return SDL_GameControllerGetButtonFromString(name); }

int PadAxisFromName(const char* name) { return SDL_GameControllerGetAxisFromString(name); }

std::string SettingsFilePath() { return ""; }

// The page mounts its stored packs here.
std::string PlayerPacksFolder() { return "/packs"; }
