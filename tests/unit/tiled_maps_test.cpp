// SPDX-License-Identifier: MIT
// Stages through Tiled maps: the game's two stages there and back byte for
// byte, the maps the game cannot take refused at their cell, and the Tiled
// project in data/tiled/ kept equal to what the tools make.
#include <gtest/gtest.h>
#include <zlib.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "stage/stage_file.h"
#include "stage/stage_text.h"
#include "tools/tiled/tiled_map.h"
#include "tools/tiled/tiled_tileset.h"

namespace {

std::string Read(const std::filesystem::path& p) {
  std::ifstream f(p, std::ios::binary);
  std::stringstream s;
  s << f.rdbuf();
  return s.str();
}

// Every tileset a map names is the game's.
const char* GameTileset(const std::string&, std::string* bytes) {
  *bytes = TilesetText(TilesetImageName);
  return nullptr;
}

std::string TmxOfStageText(const std::string& stage) {
  StageMap map{}, none{};
  EXPECT_TRUE(LoadStageText(&map, stage, "stage"));
  const std::vector<int32_t> cells = StageFileCells(&map);
  std::string why;
  const std::string tmx = StageToTmx(map.width, map.height, cells.data(), TilesetFileName, &why);
  EXPECT_EQ(why, "");
  FreeStageMaps(&map, &none);
  return tmx;
}

std::string StageTextOfMap(const std::string& bytes, const std::string& name, std::string* why) {
  TiledStage stage;
  if (!ReadTiledMap(bytes, name, GameTileset, &stage, why)) return "";
  return FormatStageText(stage.width, stage.height, stage.cells.data());
}

// The CSV between a layer's <data ...> and </data> as base64 of the
// little-endian gids, deflated as zlib or gzip.
std::string Base64Layers(std::string tmx, bool gzip) {
  size_t at = 0;
  while ((at = tmx.find("<data encoding=\"csv\">", at)) != std::string::npos) {
    const size_t from = tmx.find('>', at) + 1, to = tmx.find("</data>", from);
    std::string bytes;
    std::istringstream csv(tmx.substr(from, to - from));
    for (std::string n; std::getline(csv, n, ',');) {
      const uint32_t g = static_cast<uint32_t>(std::stoul(n));
      for (int k = 0; k < 4; k++) bytes += static_cast<char>((g >> (8 * k)) & 0xFF);
    }
    z_stream z{};
    deflateInit2(&z, 9, Z_DEFLATED, gzip ? 31 : 15, 8, Z_DEFAULT_STRATEGY);
    std::string packed(deflateBound(&z, bytes.size()), '\0');
    z.next_in = reinterpret_cast<Bytef*>(bytes.data());
    z.avail_in = static_cast<uInt>(bytes.size());
    z.next_out = reinterpret_cast<Bytef*>(packed.data());
    z.avail_out = static_cast<uInt>(packed.size());
    deflate(&z, Z_FINISH);
    packed.resize(z.total_out);
    deflateEnd(&z);
    static const char Digits[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    std::string text;
    for (size_t i = 0; i < packed.size(); i += 3) {
      uint32_t v = static_cast<uint8_t>(packed[i]) << 16;
      if (i + 1 < packed.size()) v |= static_cast<uint8_t>(packed[i + 1]) << 8;
      if (i + 2 < packed.size()) v |= static_cast<uint8_t>(packed[i + 2]);
      for (size_t k = 0; k < 4; k++) text += i + k <= packed.size() ? Digits[(v >> (18 - 6 * k)) & 63] : '=';
    }
    const std::string head = std::string("<data encoding=\"base64\" compression=\"") + (gzip ? "gzip" : "zlib") + "\">";
    tmx.replace(at, to - at, head + "\n   " + text + "\n  ");
    at += head.size();
  }
  return tmx;
}

TEST(TiledMaps, TheGameStagesGoThereAndBackByteForByte) {
  for (const char* file : {"stage/fai_kansei.txt", "stage/Magic1234.txt"}) {
    const std::string stage = Read(std::filesystem::path(TW_GAME_DIR) / file);
    ASSERT_FALSE(stage.empty()) << file;
    const std::string tmx = TmxOfStageText(stage);
    std::string why;
    EXPECT_EQ(StageTextOfMap(tmx, "map.tmx", &why), stage) << file << ": " << why;
    for (bool gzip : {false, true})
      EXPECT_EQ(StageTextOfMap(Base64Layers(tmx, gzip), "map.tmx", &why), stage) << file << ": " << why;
  }
}

// A 20 x 15 map: a floor of stone along the bottom row, and `cells` put in
// the stage layer ("stage") or the hidden one, as gids.
struct MapSketch {
  std::string header = "tilewidth=\"32\" tileheight=\"32\"";
  int width = 20, height = 15;
  std::vector<std::pair<int, uint32_t>> stage, hidden;  // cell index, gid
  bool stageLayer = true;
  std::string encoding = "encoding=\"csv\"";

  std::string Tmx() const {
    auto layer = [&](const char* name, const std::vector<std::pair<int, uint32_t>>& put, bool floor) {
      std::vector<uint32_t> gids(static_cast<size_t>(width) * height, 0);
      if (floor)
        for (int c = 0; c < width; c++) gids[static_cast<size_t>((height - 1) * width + c)] = TileOfValue(1) + 1;
      for (const auto& [i, g] : put) gids[i] = g;
      std::string csv;
      for (size_t i = 0; i < gids.size(); i++) csv += std::to_string(gids[i]) + (i + 1 < gids.size() ? "," : "\n");
      return std::string(" <layer id=\"1\" name=\"") + name + "\" width=\"" + std::to_string(width) + "\" height=\"" +
             std::to_string(height) + "\">\n  <data " + encoding + ">\n" + csv + "</data>\n </layer>\n";
    };
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<map version=\"1.8\" orientation=\"orthogonal\" width=\"" +
           std::to_string(width) + "\" height=\"" + std::to_string(height) + "\" " + header +
           " infinite=\"0\">\n <tileset firstgid=\"1\" source=\"twinworlds.tsx\"/>\n" +
           (stageLayer ? layer("stage", stage, true) : "") + layer("hidden", hidden, false) + "</map>\n";
  }
};

uint32_t Gid(int32_t value) { return static_cast<uint32_t>(TileOfValue(value) + 1); }

std::vector<std::pair<int, uint32_t>> Many(int count, int32_t value) {
  std::vector<std::pair<int, uint32_t>> put;
  for (int i = 0; i < count; i++) put.push_back({i, Gid(value)});
  return put;
}

TEST(TiledMaps, MapsTheGameCannotTakeAreRefusedAtTheirCell) {
  struct Case {
    const char* what;
    MapSketch map;
    const char* says;  // after "m.tmx: "
  };
  auto with = [](auto change) {
    MapSketch m;
    change(m);
    return m;
  };
  const Case cases[] = {
      {"a tile without a value", with([](MapSketch& m) { m.stage = {{23, 25}}; }),
       "column 3, row 1: tile 24 of twinworlds.tsx has no value for the game"},
      {"a tile past the tileset", with([](MapSketch& m) { m.stage = {{0, 5000}}; }),
       "column 0, row 0: tile 4999 of twinworlds.tsx has no value for the game"},
      {"a flipped tile", with([](MapSketch& m) { m.stage = {{41, 0x80000000u | Gid(1)}}; }),
       "column 1, row 2: a flipped or rotated tile"},
      {"a group in the stage layer", with([](MapSketch& m) { m.stage = {{2, Gid(26000)}}; }),
       "column 2, row 0: a hidden group's tile in the layer \"stage\""},
      {"a value in the hidden layer", with([](MapSketch& m) { m.hidden = {{4, Gid(1)}}; }),
       "column 4, row 0: only hidden groups' tiles belong in the layer \"hidden\""},
      {"tiles of 16 pixels", with([](MapSketch& m) { m.header = "tilewidth=\"16\" tileheight=\"16\""; }),
       "the map has tiles of 16 x 16 pixels; the game's are 32 x 32"},
      {"no stage layer", with([](MapSketch& m) { m.stageLayer = false; }), "the map has no tile layer named \"stage\""},
      {"an unknown encoding", with([](MapSketch& m) { m.encoding = "encoding=\"hex\""; }),
       "layer \"stage\": the encoding \"hex\" is not read"},
      {"an unknown compression", with([](MapSketch& m) { m.encoding = "encoding=\"base64\" compression=\"zstd\""; }),
       "layer \"stage\": the compression \"zstd\" is not read"},
      {"51 event markers", with([](MapSketch& m) { m.stage = Many(51, 201); }),
       "column 10, row 2: more than 50 event markers in one stage"},
      {"101 enemies", with([](MapSketch& m) { m.stage = Many(101, 301); }),
       "column 0, row 5: more than 100 enemy cells in one stage"},
      {"smaller than the view", with([](MapSketch& m) { m.width = 19; }),
       "a map of 19 x 15 cells is smaller than the view of 20 x 15"},
  };
  for (const Case& c : cases) {
    std::string why;
    EXPECT_EQ(StageTextOfMap(c.map.Tmx(), "m.tmx", &why), "") << c.what;
    EXPECT_EQ(why.rfind(std::string("m.tmx: ") + c.says, 0), 0u) << c.what << ": " << why;
    EXPECT_EQ(why.find('\n'), std::string::npos) << c.what << ": " << why;
  }
  // The sketch itself is a stage, with a hidden cell as the sum of its layers.
  std::string why;
  MapSketch fine;
  fine.stage = {{5, Gid(1)}};
  fine.hidden = {{5, Gid(26000)}, {6, Gid(26000)}};
  const std::string stage = StageTextOfMap(fine.Tmx(), "m.tmx", &why);
  EXPECT_EQ(stage.substr(0, 40), "20,15,\r\n0,0,0,0,0,26001,26000,0,0,0,0,0,") << why;
  // And as TMJ: the same refusals in the same words.
  std::string data = "0,2147483650";
  for (int i = 2; i < 300; i++) data += ",0";
  const std::string json =
      "{\"type\":\"map\",\"orientation\":\"orthogonal\",\"width\":20,\"height\":15,\"tilewidth\":32,\"tileheight\":32,"
      "\"infinite\":false,\"tilesets\":[{\"firstgid\":1,\"source\":\"twinworlds.tsx\"}],\"layers\":[{\"type\":"
      "\"tilelayer\",\"name\":\"stage\",\"width\":20,\"height\":15,\"data\":[" + data + "]}]}";
  EXPECT_EQ(StageTextOfMap(json, "m.tmj", &why), "");
  EXPECT_EQ(why.rfind("m.tmj: column 1, row 0: a flipped or rotated tile", 0), 0u) << why;
}

TEST(TiledMaps, TheCommittedTiledProjectIsWhatTheToolsMake) {
  const std::filesystem::path tiled = std::filesystem::path(TW_SOURCE_DIR) / "data" / "tiled";
  for (const char* file : {TilesetFileName, TilesetImageName})
    EXPECT_TRUE(Read(tiled / file) == Read(std::filesystem::path(TW_GAME_DIR) / "tiled" / file))
        << "data/tiled/" << file << " is not what the asset builder writes: copy build/game/tiled/" << file;
  for (const char* world : {"world_a", "world_b"}) {
    const std::string source = std::string("data/stages/") + world + ".txt";
    std::string stage, why;
    ASSERT_TRUE(TextMapToStageText(Read(std::filesystem::path(TW_SOURCE_DIR) / source), source, &stage, &why)) << why;
    EXPECT_TRUE(Read(tiled / (std::string(world) + ".tmx")) == TmxOfStageText(stage))
        << "data/tiled/" << world << ".tmx is not what " << source << " gives: build/twinworlds-map " << source
        << " data/tiled/" << world << ".tmx";
  }
}

}  // namespace
