// Game pads: opened as they come, read at every key sample.
#include "platform/backends/sdl/gamepad.h"

#include <cstdio>
#include <vector>

#include "platform/input/key_sampler.h"

namespace {

struct Pad {
  SDL_GameController* controller;
  SDL_JoystickID id;
  uint32_t pressedSinceSample;  // a tap between two samples still counts
  uint8_t face;
};

std::vector<Pad> Pads;
bool Started = false;
// The face of the pad whose button went down last (else of the first one
// plugged in), for the screens' names of its buttons.
uint8_t FaceInHand = PadFaceXbox;
bool FaceTouched = false;

uint8_t FaceOf(SDL_GameController* c) {
  switch (SDL_GameControllerGetType(c)) {
    case SDL_CONTROLLER_TYPE_PS3:
    case SDL_CONTROLLER_TYPE_PS4:
    case SDL_CONTROLLER_TYPE_PS5: return PadFacePlayStation;
    case SDL_CONTROLLER_TYPE_NINTENDO_SWITCH_PRO:
    case SDL_CONTROLLER_TYPE_NINTENDO_SWITCH_JOYCON_PAIR: return PadFaceNintendo;
    default: return PadFaceXbox;
  }
}

void OpenPad(int deviceIndex) {
  if (!SDL_IsGameController(deviceIndex)) return;
  const SDL_JoystickID id = SDL_JoystickGetDeviceInstanceID(deviceIndex);
  for (const Pad& p : Pads)
    if (p.id == id) return;
  if (SDL_GameController* c = SDL_GameControllerOpen(deviceIndex)) {
    Pads.push_back({c, id, 0, FaceOf(c)});
    if (!FaceTouched && Pads.size() == 1) FaceInHand = Pads.back().face;
  }
}

}  // namespace

void OpenPads(const char* mappingFile) {
  if (Started) return;
  // Buttons by place: a Nintendo pad's lowest face button is SDL's A (its
  // label B), as on every other pad, so the default bindings sit alike.
  SDL_SetHint(SDL_HINT_GAMECONTROLLER_USE_BUTTON_LABELS, "0");
  if (SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER) != 0) return;  // no pads: the keyboard still plays
  FaceInHand = PadFaceXbox;
  FaceTouched = false;
  Started = true;
  if (mappingFile) {
    if (FILE* f = std::fopen(mappingFile, "rb")) {
      std::fclose(f);
      if (SDL_GameControllerAddMappingsFromFile(mappingFile) < 0)
        std::fprintf(stderr, "twinworlds: %s: %s\n", mappingFile, SDL_GetError());
    }
  }
  for (int i = 0; i < SDL_NumJoysticks(); i++) OpenPad(i);
}

void ClosePads() {
  for (const Pad& p : Pads) SDL_GameControllerClose(p.controller);
  Pads.clear();
  if (Started) SDL_QuitSubSystem(SDL_INIT_GAMECONTROLLER);
  Started = false;
}

void HandlePadEvent(const SDL_Event& e) {
  if (!Started) return;
  if (e.type == SDL_CONTROLLERDEVICEADDED) {
    OpenPad(e.cdevice.which);
  } else if (e.type == SDL_CONTROLLERDEVICEREMOVED) {
    for (size_t i = 0; i < Pads.size(); i++)
      if (Pads[i].id == e.cdevice.which) {
        SDL_GameControllerClose(Pads[i].controller);
        Pads.erase(Pads.begin() + static_cast<long>(i));
        break;
      }
  } else if (e.type == SDL_CONTROLLERBUTTONDOWN && e.cbutton.button < 32) {
    for (Pad& p : Pads)
      if (p.id == e.cbutton.which) {
        p.pressedSinceSample |= 1u << e.cbutton.button;
        FaceInHand = p.face;
        FaceTouched = true;
      }
  }
}

void SamplePads(const KeyBindings& bindings, uint8_t* down) {
  NotePadFace(FaceInHand);
  for (Pad& p : Pads) {
    PadState state;
    for (int b = 0; b < SDL_CONTROLLER_BUTTON_MAX && b < 32; b++)
      if (SDL_GameControllerGetButton(p.controller, static_cast<SDL_GameControllerButton>(b))) state.buttons |= 1u << b;
    state.buttons |= p.pressedSinceSample;
    p.pressedSinceSample = 0;
    for (int a = 0; a < PadAxes; a++)
      state.axes[a] = SDL_GameControllerGetAxis(p.controller, static_cast<SDL_GameControllerAxis>(a));
    PadKeysDown(bindings, state, down);
  }
}
