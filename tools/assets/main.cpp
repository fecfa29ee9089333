// Builds the game folder from the sources in data/:
//   twinworlds-assets DATA_DIR GAME_DIR [--preview DIR] [--icons DIR]
// and, apart, its glyph sheet (font/glyphs.hex) from Unifont and the texts
// of the given sources, with the rest of code page 932 beside it
// (font/names.hex); a text the font cannot draw fails the build:
//   twinworlds-assets --glyph-sheet UNIFONT_HEX GAME_DIR SOURCE...
// Everything is computed, nothing is random, so every run writes the same
// bytes.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "bmp_writer.h"
#include "glyph_sheet.h"
#include "icon_png.h"
#include "music_score.h"
#include "output_files.h"
#include "palette.h"
#include "preview_png.h"
#include "sheets.h"
#include "sound_effects.h"
#include "stage/stage_text.h"
#include "tiled_tileset_png.h"
#include "tools/tiled/tiled_tileset.h"

namespace {

// A text map of data/stages/ as the game's stage file; a faulty map stops
// the build naming its line.
std::vector<uint8_t> BuildStageFile(const std::string& sourcePath) {
  std::ifstream in(sourcePath, std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  std::string stage, why;
  if (!in.is_open()) why = sourcePath + ": cannot open";
  if (why.empty()) TextMapToStageText(text.str(), sourcePath, &stage, &why);
  if (!why.empty()) {
    std::fprintf(stderr, "%s\n", why.c_str());
    std::exit(1);
  }
  return std::vector<uint8_t>(stage.begin(), stage.end());
}

struct Picture {
  const char* file;  // as the game names it under image/stage1/
  Canvas canvas;
};

}  // namespace

int main(int argc, char** argv) {
  if (argc >= 4 && std::strcmp(argv[1], "--glyph-sheet") == 0) {
    std::string error;
    const std::string sheet = CutGlyphSheet(argv[2], std::vector<std::string>(argv + 4, argv + argc), &error);
    if (sheet.empty()) {
      std::fprintf(stderr, "%sthe glyph sheet lacks these characters: write the text otherwise\n", error.c_str());
      return 1;
    }
    WriteOutput(argv[3], "font/glyphs.hex", std::vector<uint8_t>(sheet.begin(), sheet.end()));
    const std::string names = CutCodePageSheet(argv[2], sheet, &error);
    if (names.empty()) {
      std::fprintf(stderr, "%s\n", error.c_str());
      return 1;
    }
    WriteOutput(argv[3], "font/names.hex", std::vector<uint8_t>(names.begin(), names.end()));
    return 0;
  }
  std::string preview, icons;
  bool usage = argc < 3 || argc % 2 == 0;
  for (int i = 3; !usage && i + 1 < argc; i += 2) {
    if (std::strcmp(argv[i], "--preview") == 0) preview = argv[i + 1];
    else if (std::strcmp(argv[i], "--icons") == 0) icons = argv[i + 1];
    else usage = true;
  }
  if (usage) {
    std::fprintf(stderr, "usage: %s DATA_DIR GAME_DIR [--preview DIR] [--icons DIR]\n", argv[0]);
    return 2;
  }
  const std::string data = argv[1], out = argv[2];

  LoadPalette(data + "/images/palette.txt");
  Art art;
  art.font = LoadGrids(data + "/images/font_5x7.txt");
  art.japanese = LoadGrids(data + "/images/glyphs_japanese.txt");
  art.digits = LoadGrids(data + "/images/digits.txt");
  art.pickups = LoadGrids(data + "/images/pickups.txt");

  const Canvas charSheet = DrawCharSheet();
  const Canvas enemySheet = DrawEnemySheet();
  const Canvas tileSheet = DrawTileSheet(art);
  const std::vector<Picture> pictures = {
      {"status.BMP", DrawStatusScreen(art, charSheet, false)},
      {"status_en.BMP", DrawStatusScreen(art, charSheet, true)},
      {"cursol.BMP", DrawCursor()},
      {"number.BMP", DrawSmallDigits(art)},
      {"number2.BMP", DrawLargeDigits(art)},
      {"Enemy.Bmp", enemySheet},
      {"back.BMP", tileSheet},
      {"char.BMP", charSheet},
      {"gyaku.BMP", MirrorCharSheet(charSheet)},
      {"haikei1.BMP", DrawBackground()},
      {"GEnemy.BMP", DrawGEnemySheet(enemySheet)},
      {"explode.BMP", DrawExplodeSheet()},
  };
  for (const Picture& p : pictures) {
    WriteOutput(out, std::string("image/stage1/") + p.file, EncodeBmp(p.canvas));
    if (!preview.empty()) {
      std::filesystem::create_directories(preview);
      const int scale = p.canvas.w >= 640 ? 1 : p.canvas.w >= 300 ? 2 : 4;
      if (!WritePreviewPng(preview + "/" + p.file + ".png", p.canvas, scale))
        std::fprintf(stderr, "cannot write a preview of %s\n", p.file);
    }
  }
  if (!icons.empty() && !WriteIcons(icons, charSheet)) {
    std::fprintf(stderr, "cannot write the icons in %s\n", icons.c_str());
    return 1;
  }
  for (const SoundFile& s : MakeSoundEffects()) WriteOutput(out, std::string("se/") + s.file, s.bytes);
  WriteOutput(out, "stage/fai_kansei.txt", BuildStageFile(data + "/stages/world_a.txt"));
  WriteOutput(out, "stage/Magic1234.txt", BuildStageFile(data + "/stages/world_b.txt"));
  // The game's tiles for Tiled, to draw stages in (twinworlds-map converts).
  const std::vector<uint8_t> tilesetPng = DrawTiledTilesetPng(art, tileSheet, enemySheet);
  if (tilesetPng.empty()) {
    std::fprintf(stderr, "cannot encode the Tiled tileset's picture\n");
    return 1;
  }
  WriteOutput(out, std::string("tiled/") + TilesetImageName, tilesetPng);
  const std::string tsx = TilesetText(TilesetImageName);
  WriteOutput(out, std::string("tiled/") + TilesetFileName, std::vector<uint8_t>(tsx.begin(), tsx.end()));
  WriteOutput(out, "Sound/yamiji.mid", BuildMidiFromScore(data + "/music/yamiji.txt"));
  return 0;
}
