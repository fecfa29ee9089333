// The player's own folders, as the XDG base directories name them: where
// the settings live and where screenshots go.
#pragma once

#include <string>

// A variable of the environment; "" when it is not set.
std::string EnvironmentValue(const char* name);
// $XDG_CONFIG_HOME/twinworlds (default ~/.config/twinworlds); "" when
// neither that nor $HOME is set.
std::string ConfigFolder();
// $XDG_DATA_HOME/twinworlds (default ~/.local/share/twinworlds): the
// player's own data, such as packs; "" when neither that nor $HOME is set.
std::string DataHomeFolder();
// $XDG_PICTURES_DIR; else the pictures folder that user-dirs.dirs in the
// config folder names; else ~/Pictures.
std::string PicturesFolder();
// The XDG_PICTURES_DIR line of a user-dirs.dirs text
// (XDG_PICTURES_DIR="$HOME/Bilder" or an absolute path in quotes), with
// $HOME put in; "" when there is none that can be used.
std::string PicturesFolderFromUserDirs(const std::string& text, const std::string& home);
// Makes every folder on the way to `path`'s last part; false when one
// cannot be made.
bool MakeFoldersFor(const std::string& path);
