// The player's own folders, as the XDG base directories name them: where
// the settings live and where screenshots go.
#pragma once

#include <string>

// A variable of the environment; "" when it is not set.
std::string EnvironmentValue(const char* name);
// $XDG_CONFIG_HOME/twinworlds (default ~/.config/twinworlds); "" when
// neither that nor $HOME is set.
std::string ConfigFolder();
// $XDG_PICTURES_DIR, or ~/Pictures.
std::string PicturesFolder();
// Makes every folder on the way to `path`'s last part; false when one
// cannot be made.
bool MakeFoldersFor(const std::string& path);
