// SPDX-License-Identifier: MIT
// twinworlds-map: a stage drawn whole into one PNG, for reviewing it at a
// glance; stages converted to and from Tiled maps; and the player's stage
// packs made from the game's stages and updated from their Tiled maps.
//   twinworlds-map STAGE OUT.png [FIRST_COLUMN COLUMNS]
//   twinworlds-map STAGE OUT.tmx [--tileset TSX]
//   twinworlds-map STAGE OUT.txt
//   twinworlds-map --new-pack NAME | --update-pack NAME|DIR
// STAGE is a stage file (by path, or as the game data names it), a text map
// of data/stages/ or a Tiled map (.tmx or .tmj).
// In the picture, enemy cells show the enemy standing where it will appear
// and a red frame; event markers a yellow frame with their number, and the
// outline of the view their switch scene shows; hidden cells a cyan frame
// with their group; switches the event they start.
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "map_picture.h"
#include "platform/files/data_folder.h"
#include "platform/files/whole_file.h"
#include "platform/shell/run.h"
#include "stage/stage_file.h"
#include "stage/stage_text.h"
#include "stage_packs.h"
#include "stage_sources.h"

namespace {

bool EndsWith(const std::string& text, const char* end) {
  const size_t n = std::strlen(end);
  if (text.size() < n) return false;
  for (size_t i = 0; i < n; i++)
    if (std::tolower(static_cast<unsigned char>(text[text.size() - n + i])) != end[i]) return false;
  return true;
}

bool ParseCount(const char* text, int* out) {
  char* end = nullptr;
  const long v = std::strtol(text, &end, 10);
  if (end == text || *end || v < -1000000 || v > 1000000) return false;
  *out = static_cast<int>(v);
  return true;
}

}  // namespace

const char Usage[] =
    "usage: twinworlds-map STAGE OUT.png [FIRST_COLUMN COLUMNS]\n"
    "       twinworlds-map STAGE OUT.tmx [--tileset TSX]\n"
    "       twinworlds-map STAGE OUT.txt\n"
    "       twinworlds-map --new-pack NAME\n"
    "       twinworlds-map --update-pack NAME|DIR\n"
    "Draws a stage of twinworlds whole into a PNG picture (its enemies, event\n"
    "markers, hidden cells and switches framed), converts it to a Tiled map or a\n"
    "stage file, and makes and updates the player's stage packs.\n"
    "  STAGE       a stage file such as stage/fai_kansei.txt, a text map of\n"
    "              data/stages/, or a Tiled map (.tmx or .tmj)\n"
    "  OUT.png     the picture; FIRST_COLUMN COLUMNS: only these columns\n"
    "  OUT.tmx     a Tiled map over the game's tileset (twinworlds.tsx beside it,\n"
    "              copied from the game data when it is not there yet)\n"
    "  --tileset TSX   refer to that tileset instead, by its path from the map\n"
    "  OUT.txt     the game's stage file\n"
    "  --new-pack NAME      a new pack of the game's two stages, with a Tiled\n"
    "              project of them, in $XDG_DATA_HOME/twinworlds/packs/NAME\n"
    "              (~/.local/share/twinworlds/packs/NAME)\n"
    "  --update-pack NAME|DIR   the pack's tiled/world_a and world_b maps written\n"
    "              into its stage/ files (a DIR is named with a '/')\n"
    "  --help      this text\n"
    "  --version   the version\n"
    "A Tiled map that the game cannot take is refused with one line naming the\n"
    "file, the cell (column, row, from 0) and the reason; nothing is written.\n"
    "The game's data is found as the game finds it (twinworlds(6)); a stage file\n"
    "named by its path is read from there.\n";

int main(int argc, char** argv) {
  if (argc == 2 && std::strcmp(argv[1], "--help") == 0) {
    std::fputs(Usage, stdout);
    return 0;
  }
  if (argc == 2 && std::strcmp(argv[1], "--version") == 0) {
    // The game's version line, under the tool's own name.
    std::printf("twinworlds-map%s\n", VersionLine().substr(VersionLine().find(' ')).c_str());
    return 0;
  }
  // The game's data is found as the game finds it; a stage file named from
  // here is read from here.
  const DataSearch data = FindDataFolder("", ExecutableFolder());
  SetDataFolder(data.folder);
  if (argc == 3 && std::strcmp(argv[1], "--new-pack") == 0) return NewPack(argv[2]);
  if (argc == 3 && std::strcmp(argv[1], "--update-pack") == 0) return UpdatePack(argv[2]);

  const std::string out = argc >= 3 ? argv[2] : "";
  const bool picture = EndsWith(out, ".png") && (argc == 3 || argc == 5);
  const bool tiled = EndsWith(out, ".tmx") && (argc == 3 || (argc == 5 && std::strcmp(argv[3], "--tileset") == 0));
  const bool stageFile = EndsWith(out, ".txt") && argc == 3;
  if (!picture && !tiled && !stageFile) {
    std::fputs(Usage, stderr);
    return 2;
  }
  std::string stage = argv[1];
  if (!data.folder.empty() && std::filesystem::is_regular_file(stage)) stage = std::filesystem::absolute(stage);
  StageMap map{}, none{};
  std::string why;
  if (!LoadAnyStage(stage, &map, &why)) {
    // The loader has said why when `why` is empty.
    if (!why.empty()) std::fprintf(stderr, "twinworlds-map: %s\n", why.c_str());
    return 1;
  }
  int status = 0;
  if (tiled) {
    if (!WriteTiledMap(map, argv[1], out, argc == 5 ? argv[4] : "", &why)) status = 1;
  } else if (stageFile) {
    const std::vector<int32_t> cells = StageFileCells(&map);
    if (!WriteFileAtomically(out, FormatStageText(map.width, map.height, cells.data()))) {
      why = out + ": cannot be written";
      status = 1;
    }
  } else {
    int first = 0, count = map.width;
    if (argc == 5 && (!ParseCount(argv[3], &first) || !ParseCount(argv[4], &count) || first < 0 || count < 1 ||
                      first + count > map.width)) {
      why = std::string(argv[1]) + ": " + argv[4] + " columns from column " + argv[3] +
            " are not all in the stage; it has columns 0 to " + std::to_string(map.width - 1);
      status = 2;
    } else {
      status = DrawStagePicture(map, first, count, out, &why);
    }
  }
  FreeStageMaps(&map, &none);
  if (status) std::fprintf(stderr, "twinworlds-map: %s\n", why.c_str());
  return status;
}
