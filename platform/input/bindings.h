// The game's keys a player can bind, and the bindings of the keyboard and
// the pads to them: parsed from the settings' text, and applied to a key or
// a pad's state to fill down[256].
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/windows_types.h"

// The game's keys a player can bind, in the order of the settings file.
constexpr int BindableKeys = 19;

// One row a bindable key: the name in the settings file, its virtual key,
// the default bindings, and the line that documents it.
struct BindableKey {
  const char* name;
  uint8_t virtualKey;
  const char* defaults;
  const char* doc;
};
extern const BindableKey BindableKeyTable[BindableKeys];
// Their rows, by name.
enum BindableAction : uint8_t {
  ActionLeft, ActionRight, ActionUp, ActionDown, ActionJump, ActionVerticalSlash, ActionHorizontalSlash,
  ActionSwitchWorlds, ActionSkillMenu, ActionSpawn, ActionEnter, ActionYes, ActionNo, ActionPause,
  ActionPauseResume, ActionPauseQuit, ActionOptions, ActionStages, ActionEditor
};

// The screen the game shows, as the game tells the platform before each
// flip. The keyboard means the same on every screen; a pad button means
// only the game keys the screen listens to, so that one button can be Start
// on the title, the pause key in play and the way back out of the pause
// menu. A screen left with a pad button held hears nothing from the pad
// until every button is up again. On InputChoosingKey the sample holds the
// keys and buttons pressed as they are (raw_keys.h), not the game keys. On
// InputEditor it holds them so too, but a keyboard key bound to switching
// worlds is that game key (VK_SPACE) and nothing else, and Space is nothing
// unless it is bound so, and so is a key bound to the editor's own game key
// (VK_F5): the stage editor hears Ctrl+Z, Delete and the F-keys, and the
// player's own switch and play-test keys.
enum InputScreen : uint8_t {
  InputAnyScreen,  // a tool's or a test's run: every binding counts
  InputTitle, InputPlay, InputSkillMenu, InputQuestion, InputDeathDialog, InputPauseMenu, InputClosing,
  InputOptions, InputChoosingKey, InputEditor, InputScreens
};
// Bit n: BindableKeyTable[n] is heard from a pad on this screen.
uint32_t PadActionsHeard(uint8_t screen);
// Bit n: BindableKeyTable[n] counts from a pad only once held this long
// (quitting, and "no" to continuing, are never a single tap).
uint32_t PadActionsHeld(uint8_t screen);
constexpr int PadHoldFlips = 30;
// True when both game keys are heard from a pad on some screen, so one pad
// button cannot serve both.
bool PadActionsMeet(int a, int b);

// How the pad in hand labels its buttons: an Xbox pad's A B X Y Back Start
// (SDL's own names, and the default), a PlayStation's Cross Circle Square
// Triangle Share Options, a Nintendo's B A Y X Minus Plus. The buttons are
// read by place whatever the pad (SDL's A is always the lowest face button),
// so only their names differ.
enum PadFace : uint8_t { PadFaceXbox, PadFacePlayStation, PadFaceNintendo, PadFaces };

// A pad's buttons (bit = SDL_GameControllerButton) and axes (SDL order).
constexpr int PadAxes = 6;
struct PadState {
  uint32_t buttons = 0;
  int16_t axes[PadAxes] = {};
};

// Buttons held together, or one axis pushed one way past the dead zone.
struct PadChord {
  uint32_t buttons = 0;
  int8_t axis = -1;
  int8_t sign = 0;
};

// A stick must be pushed this far (of 32767) to count, so a pad at rest
// never runs the character.
constexpr int StickDeadZone = 16000;

struct KeyBindings {
  std::vector<int32_t> keys[BindableKeys];  // SDL keycodes
  std::vector<PadChord> pads[BindableKeys];
};

// True when every item of "Left, pad:dpleft, pad:-leftx" is known.
bool CheckBindingText(const std::string& text, std::string* why);
// The bindings of every key from its text; items that do not parse are
// left out.
KeyBindings BindingsFrom(const std::string (&texts)[BindableKeys]);

// The bindings the backends read; made from the settings as the run starts
// and again when the options screen changes them.
const KeyBindings& ActiveBindings();
void SetActiveBindings(const KeyBindings& bindings);
// True while the options screen waits for a key to bind (InputChoosingKey).
bool ChoosingKey();
void SetChoosingKey(bool choosing);
// True while the stage editor is up (InputEditor).
bool EditorKeys();
void SetEditorKeys(bool editing);

// Sets down[vk] for each game key the keyboard key is bound to; while a key
// is being chosen, down[] of the key itself; in the editor, the key itself
// or the switch key.
void KeyboardKeyDown(const KeyBindings& bindings, int32_t keycode, uint8_t* down);
// Sets down[vk] for the game keys a pad holds. A chord of several buttons
// takes its buttons for itself: Back+Start is Escape, not also Ctrl and Return.
// The pad's own buttons and stick directions held are set too (VK_GAMEPAD_*);
// while a key is being chosen, and in the editor, only those.
void PadKeysDown(const KeyBindings& bindings, const PadState& pad, uint8_t* down);
