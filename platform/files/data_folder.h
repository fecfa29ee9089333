// Where the game's data lives: the folder holding stage/, image/, se/ and
// Sound/, found once at start-up; every data file is read relative to it.
#pragma once

#include <string>
#include <vector>

struct DataSearch {
  std::string folder;               // "" for the working directory
  bool found = false;
  std::vector<std::string> tried;   // every place looked at, in order
};

// The search, in order: the --data option; $TWINWORLDS_DATA; the working
// directory when it holds the game's tile sheet (image/stage1/back.BMP) or a
// stage file of its own, and no pack.txt (a pack's folder is not the game
// data); then the first that holds the tile sheet of: the
// build's game folder beside the executable, the installed data folder as
// seen from the executable (../share/games/twinworlds from games/) and where
// the build installs it, $XDG_DATA_HOME/twinworlds and each $XDG_DATA_DIRS
// entry with /twinworlds.
DataSearch FindDataFolder(const std::string& option, const std::string& executableFolder);
// Where the build installs the data ("" for a build that installs none).
std::string InstalledDataFolder();
// The folder of the running executable ("" when it cannot be told).
std::string ExecutableFolder();
// The one line that says where the data was looked for in vain.
std::string DataNotFoundLine(const DataSearch& search);

void SetDataFolder(const std::string& folder);
const std::string& DataFolder();
// True when no data folder was found: the bitmaps' own lines then say
// nothing the search has not said already.
void SetDataFolderMissing(bool missing);
bool DataFolderMissing();

// A relative path found under a folder ("" the working directory) with each
// part matched whatever its case; parts not found are kept as given.
std::string ResolveIgnoringCase(const std::string& folder, const std::string& relative);
