// What the desktop build links of the platform's per-build functions:
// SDL's names of keys and pad buttons, the settings file in the player's
// config folder and the packs folder in the player's data folder.
#include <SDL.h>

#include "platform/backend.h"
#include "platform/files/user_folders.h"

int32_t KeyCodeFromName(const char* name) { return SDL_GetKeyFromName(name); }

int PadButtonFromName(const char* name) { return SDL_GameControllerGetButtonFromString(name); }

int PadAxisFromName(const char* name) { return SDL_GameControllerGetAxisFromString(name); }

// The terminal has the line already.
void ReportStartFault(const std::string&) {}

std::string PlayerPacksFolder() {
  const std::string folder = DataHomeFolder();
  return folder.empty() ? "" : folder + "/packs";
}

std::string SettingsFilePath() {
  const std::string folder = ConfigFolder();
  return folder.empty() ? "" : folder + "/twinworlds.conf";
}
