// SPDX-License-Identifier: MIT
// TMX written as Tiled writes it; TMX read with pugixml and TMJ with
// nlohmann-json into one description of the map, then checked cell by cell.
#include "tools/tiled/tiled_map.h"

#include <zlib.h>

#include <algorithm>
#include <filesystem>
#include <nlohmann/json.hpp>
#include <pugixml.hpp>

#include "platform/files/whole_file.h"
#include "stage/cell_kinds.h"
#include "stage/stage_checks.h"
#include "stage/stage_file.h"
#include "tools/tiled/tiled_tileset.h"

namespace {

// Tiled keeps a tile's flips and rotations in the gid's top bits.
constexpr uint32_t GidFlagBits = 0xF0000000u;

// A fault found: thrown inside the reader, caught at its top.
struct Refusal {
  std::string reason;
};

[[noreturn]] void Refuse(const std::string& reason) { throw Refusal{reason}; }

std::string At(int64_t index, int32_t width) {
  return "column " + std::to_string(index % width) + ", row " + std::to_string(index / width) + ": ";
}

// ---- the map as both formats give it ----

struct TilesetRef {
  int64_t firstGid = 0;
  std::string name;  // as the messages call it
  TiledTileset tiles;
};

struct Layer {
  std::string name;
  std::vector<uint32_t> gids;
};

struct MapModel {
  int32_t width = 0, height = 0;  // within the limits once the header is checked
  std::vector<TilesetRef> tilesets;
  std::vector<Layer> layers;
};

// ---- layer data ----

bool IsSpace(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

std::vector<uint32_t> ParseCsv(const std::string& text, const std::string& layer) {
  std::vector<uint32_t> gids;
  size_t i = 0;
  while (i < text.size()) {
    while (i < text.size() && IsSpace(text[i])) i++;
    if (i == text.size()) break;
    uint64_t v = 0;
    const size_t start = i;
    while (i < text.size() && text[i] >= '0' && text[i] <= '9') {
      v = v * 10 + static_cast<uint64_t>(text[i] - '0');
      if (v > UINT32_MAX) Refuse("layer \"" + layer + "\": a tile number in its CSV data is too large");
      i++;
    }
    if (i == start) Refuse("layer \"" + layer + "\": its CSV data holds something other than tile numbers");
    gids.push_back(static_cast<uint32_t>(v));
    while (i < text.size() && IsSpace(text[i])) i++;
    if (i < text.size()) {
      if (text[i] != ',') Refuse("layer \"" + layer + "\": its CSV data holds something other than tile numbers");
      i++;
    }
  }
  return gids;
}

int Base64Digit(char c) {
  if (c >= 'A' && c <= 'Z') return c - 'A';
  if (c >= 'a' && c <= 'z') return c - 'a' + 26;
  if (c >= '0' && c <= '9') return c - '0' + 52;
  if (c == '+') return 62;
  if (c == '/') return 63;
  return -1;
}

std::string DecodeBase64(const std::string& text, const std::string& layer) {
  std::string out;
  uint32_t bits = 0;
  int count = 0;
  bool padded = false;
  for (char c : text) {
    if (IsSpace(c)) continue;
    if (c == '=') {
      padded = true;
      continue;
    }
    const int d = Base64Digit(c);
    if (d < 0 || padded) Refuse("layer \"" + layer + "\": its data is not base64");
    bits = (bits << 6) | static_cast<uint32_t>(d);
    count += 6;
    if (count >= 8) {
      count -= 8;
      out += static_cast<char>((bits >> count) & 0xFF);
    }
  }
  return out;
}

// zlib or gzip data, inflated to at most `most` bytes.
std::string Inflate(const std::string& packed, size_t most, const std::string& layer) {
  z_stream z{};
  if (inflateInit2(&z, 15 + 32) != Z_OK) Refuse("layer \"" + layer + "\": cannot inflate its data");
  std::string out(most + 1, '\0');
  z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(packed.data()));
  z.avail_in = static_cast<uInt>(packed.size());
  z.next_out = reinterpret_cast<Bytef*>(out.data());
  z.avail_out = static_cast<uInt>(out.size());
  const int result = inflate(&z, Z_FINISH);
  const size_t made = out.size() - z.avail_out;
  inflateEnd(&z);
  if (result != Z_STREAM_END || made > most)
    Refuse("layer \"" + layer + "\": its compressed data is damaged or not of the map's size");
  out.resize(made);
  return out;
}

std::vector<uint32_t> LayerData(const std::string& layer, const std::string& encoding, const std::string& compression,
                                const std::string& text, int64_t cells) {
  if (encoding == "csv") {
    if (!compression.empty()) Refuse("layer \"" + layer + "\": CSV data cannot be compressed");
    return ParseCsv(text, layer);
  }
  if (encoding != "base64")
    Refuse("layer \"" + layer + "\": the encoding \"" + encoding +
           "\" is not read: choose CSV or Base64 as the map's tile layer format");
  const bool packed = compression == "zlib" || compression == "gzip";
  if (!packed && !compression.empty())
    Refuse("layer \"" + layer + "\": the compression \"" + compression +
           "\" is not read: choose CSV, Base64, Base64 (zlib) or Base64 (gzip)");
  std::string bytes = DecodeBase64(text, layer);
  if (packed) bytes = Inflate(bytes, static_cast<size_t>(cells) * 4, layer);
  if (bytes.size() % 4) Refuse("layer \"" + layer + "\": its data is not a whole number of tiles");
  std::vector<uint32_t> gids(bytes.size() / 4);
  for (size_t k = 0; k < gids.size(); k++) {
    const auto* b = reinterpret_cast<const uint8_t*>(&bytes[k * 4]);
    gids[k] = b[0] | (b[1] << 8) | (b[2] << 16) | (static_cast<uint32_t>(b[3]) << 24);
  }
  return gids;
}

// ---- checks both formats share ----

void CheckTileSize(int64_t w, int64_t h, const std::string& what) {
  if (w != TileSize || h != TileSize)
    Refuse(what + " has tiles of " + std::to_string(w) + " x " + std::to_string(h) + " pixels; the game's are " +
           std::to_string(TileSize) + " x " + std::to_string(TileSize));
}

void CheckMapHeader(const std::string& orientation, bool infinite, int64_t tileW, int64_t tileH, int64_t width,
                    int64_t height) {
  if (orientation != "orthogonal") Refuse("the map is " + orientation + "; the game's stages are orthogonal");
  if (infinite) Refuse("the map is infinite: the game's stages have a size (uncheck Infinite in the map's properties)");
  CheckTileSize(tileW, tileH, "the map");
  if (width < ViewColumns || height < ViewRows)
    Refuse("a map of " + std::to_string(width) + " x " + std::to_string(height) + " cells is smaller than the view of " +
           std::to_string(ViewColumns) + " x " + std::to_string(ViewRows));
  if (width > MaxStageColumns || height > MaxStageRows)
    Refuse("a map of " + std::to_string(width) + " x " + std::to_string(height) + " cells is larger than the game takes (" +
           std::to_string(MaxStageColumns) + " x " + std::to_string(MaxStageRows) + ")");
}

void AddLayer(MapModel* model, const std::string& name, std::vector<uint32_t> gids, int64_t w, int64_t h,
              int64_t mapW, int64_t mapH) {
  if (name != StageLayerName && name != HiddenLayerName)
    Refuse("tile layer \"" + name + "\": only the layers \"stage\" and \"hidden\" are read");
  for (const Layer& l : model->layers)
    if (l.name == name) Refuse("two tile layers are named \"" + name + "\"");
  if (w != mapW || h != mapH)
    Refuse("layer \"" + name + "\" is " + std::to_string(w) + " x " + std::to_string(h) + " cells, the map " +
           std::to_string(mapW) + " x " + std::to_string(mapH));
  if (static_cast<int64_t>(gids.size()) != mapW * mapH)
    Refuse("layer \"" + name + "\" holds " + std::to_string(gids.size()) + " tiles; the map has " +
           std::to_string(mapW * mapH) + " cells");
  model->layers.push_back({name, std::move(gids)});
}

const char GroupRefusal[] = "layer groups are not read: keep the layers \"stage\" and \"hidden\" at the top";

int64_t StrictInt(const std::string& text, bool* ok) {
  size_t i = 0;
  bool negative = false;
  if (i < text.size() && (text[i] == '-' || text[i] == '+')) negative = text[i++] == '-';
  int64_t v = 0;
  const size_t start = i;
  for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; i++) {
    v = v * 10 + (text[i] - '0');
    if (v > INT32_MAX + int64_t{1}) break;
  }
  *ok = i > start && i == text.size() && (negative ? -v : v) >= INT32_MIN && (negative ? -v : v) <= INT32_MAX;
  return negative ? -v : v;
}

// ---- TSX and TMX ----

void ReadTsx(const pugi::xml_node& ts, const std::string& name, TiledTileset* out) {
  out->tileWidth = ts.attribute("tilewidth").as_int();
  out->tileHeight = ts.attribute("tileheight").as_int();
  CheckTileSize(out->tileWidth, out->tileHeight, "the tileset " + name);
  for (pugi::xml_node tile : ts.children("tile"))
    for (pugi::xml_node p : tile.child("properties").children("property")) {
      if (std::string(p.attribute("name").value()) != "value") continue;
      bool ok = false;
      const int64_t v = StrictInt(p.attribute("value").value(), &ok);
      if (ok) out->values[tile.attribute("id").as_llong(-1)] = static_cast<int32_t>(v);
    }
}

pugi::xml_document ParseXml(const std::string& bytes) {
  pugi::xml_document doc;
  const pugi::xml_parse_result r = doc.load_buffer(bytes.data(), bytes.size());
  if (!r) Refuse(std::string("not XML at byte ") + std::to_string(r.offset) + ": " + r.description());
  return doc;
}

void ReadTsjJson(const nlohmann::json& j, const std::string& name, TiledTileset* out);
nlohmann::json ParseJson(const std::string& bytes);

// A tileset the map refers to by its file.
TiledTileset ExternalTileset(const std::string& mapPath, const std::string& source, const TiledFileReader& files) {
  const std::string path = (std::filesystem::path(mapPath).parent_path() / source).lexically_normal().string();
  std::string bytes;
  if (const char* fault = files(path, &bytes)) Refuse("its tileset " + path + " " + fault);
  TiledTileset t;
  std::string why;
  if (!ReadTiledTileset(bytes, path, &t, &why)) Refuse("its tileset " + why);
  return t;
}

MapModel ReadTmx(const std::string& bytes, const std::string& path, const TiledFileReader& files) {
  const pugi::xml_document doc = ParseXml(bytes);
  const pugi::xml_node map = doc.child("map");
  if (!map) Refuse(doc.child("tileset") ? "a tileset, not a map" : "not a Tiled map (no <map> element)");
  const int64_t w = map.attribute("width").as_llong(), h = map.attribute("height").as_llong();
  CheckMapHeader(map.attribute("orientation").value(), map.attribute("infinite").as_int() != 0,
                 map.attribute("tilewidth").as_llong(), map.attribute("tileheight").as_llong(), w, h);
  MapModel model;
  model.width = static_cast<int32_t>(w);
  model.height = static_cast<int32_t>(h);
  for (pugi::xml_node node : map.children()) {
    const std::string kind = node.name();
    if (kind == "tileset") {
      TilesetRef ref;
      ref.firstGid = node.attribute("firstgid").as_llong();
      if (ref.firstGid < 1 || ref.firstGid > UINT32_MAX) Refuse("a tileset without a first tile number");
      const std::string source = node.attribute("source").value();
      ref.name = source.empty() ? node.attribute("name").value() : source;
      if (source.empty()) ReadTsx(node, "\"" + ref.name + "\"", &ref.tiles);
      else ref.tiles = ExternalTileset(path, source, files);
      model.tilesets.push_back(std::move(ref));
    } else if (kind == "group") {
      Refuse(GroupRefusal);
    } else if (kind == "layer") {
      const std::string name = node.attribute("name").value();
      const pugi::xml_node data = node.child("data");
      if (!data) Refuse("layer \"" + name + "\" has no data");
      std::vector<uint32_t> gids;
      if (!data.attribute("encoding")) {
        // Tiled's oldest form: a <tile gid=".."/> a cell.
        for (pugi::xml_node t : data.children("tile")) gids.push_back(t.attribute("gid").as_uint());
      } else {
        gids = LayerData(name, data.attribute("encoding").value(), data.attribute("compression").value(),
                         data.child_value(), w * h);
      }
      AddLayer(&model, name, std::move(gids), node.attribute("width").as_llong(), node.attribute("height").as_llong(),
               w, h);
    }
  }
  return model;
}

// ---- TSJ and TMJ ----

nlohmann::json ParseJson(const std::string& bytes) {
  nlohmann::json j = nlohmann::json::parse(bytes, nullptr, false);
  if (j.is_discarded()) Refuse("not JSON");
  if (!j.is_object()) Refuse("not a Tiled file (not a JSON object)");
  return j;
}

std::string String(const nlohmann::json& j, const char* key) {
  const auto it = j.find(key);
  return it != j.end() && it->is_string() ? it->get<std::string>() : std::string();
}

int64_t Integer(const nlohmann::json& j, const char* key) {
  const auto it = j.find(key);
  if (it == j.end()) return 0;
  if (it->is_number_unsigned()) return it->get<uint64_t>() > INT64_MAX ? INT64_MAX : int64_t(it->get<uint64_t>());
  if (it->is_number_integer()) return it->get<int64_t>();
  return 0;
}

void ReadTsjJson(const nlohmann::json& j, const std::string& name, TiledTileset* out) {
  out->tileWidth = static_cast<int>(std::clamp<int64_t>(Integer(j, "tilewidth"), -1, 1 << 20));
  out->tileHeight = static_cast<int>(std::clamp<int64_t>(Integer(j, "tileheight"), -1, 1 << 20));
  CheckTileSize(out->tileWidth, out->tileHeight, "the tileset " + name);
  const auto tiles = j.find("tiles");
  if (tiles == j.end() || !tiles->is_array()) return;
  for (const nlohmann::json& tile : *tiles) {
    if (!tile.is_object()) continue;
    const auto props = tile.find("properties");
    if (props == tile.end() || !props->is_array()) continue;
    for (const nlohmann::json& p : *props) {
      if (!p.is_object() || String(p, "name") != "value") continue;
      const auto v = p.find("value");
      if (v == p.end() || !v->is_number_integer()) continue;
      const int64_t value = Integer(p, "value");
      if (value >= INT32_MIN && value <= INT32_MAX) out->values[Integer(tile, "id")] = static_cast<int32_t>(value);
    }
  }
}

MapModel ReadTmj(const std::string& bytes, const std::string& path, const TiledFileReader& files) {
  const nlohmann::json j = ParseJson(bytes);
  if (String(j, "type") == "tileset") Refuse("a tileset, not a map");
  const int64_t w = Integer(j, "width"), h = Integer(j, "height");
  const auto infinite = j.find("infinite");
  CheckMapHeader(String(j, "orientation"), infinite != j.end() && infinite->is_boolean() && infinite->get<bool>(),
                 Integer(j, "tilewidth"), Integer(j, "tileheight"), w, h);
  MapModel model;
  model.width = static_cast<int32_t>(w);
  model.height = static_cast<int32_t>(h);
  const auto tilesets = j.find("tilesets");
  if (tilesets != j.end() && tilesets->is_array())
    for (const nlohmann::json& ts : *tilesets) {
      if (!ts.is_object()) Refuse("a tileset that is not a JSON object");
      TilesetRef ref;
      ref.firstGid = Integer(ts, "firstgid");
      if (ref.firstGid < 1 || ref.firstGid > UINT32_MAX) Refuse("a tileset without a first tile number");
      const std::string source = String(ts, "source");
      ref.name = source.empty() ? String(ts, "name") : source;
      if (source.empty()) ReadTsjJson(ts, "\"" + ref.name + "\"", &ref.tiles);
      else ref.tiles = ExternalTileset(path, source, files);
      model.tilesets.push_back(std::move(ref));
    }
  const auto layers = j.find("layers");
  if (layers != j.end() && layers->is_array())
    for (const nlohmann::json& l : *layers) {
      if (!l.is_object()) continue;
      const std::string type = String(l, "type");
      if (type == "group") Refuse(GroupRefusal);
      if (type != "tilelayer") continue;
      const std::string name = String(l, "name");
      const auto data = l.find("data");
      std::vector<uint32_t> gids;
      if (data != l.end() && data->is_array()) {
        gids.reserve(data->size());
        for (const nlohmann::json& g : *data) {
          if (!g.is_number_unsigned() || g.get<uint64_t>() > UINT32_MAX)
            Refuse("layer \"" + name + "\": its data holds something other than tile numbers");
          gids.push_back(static_cast<uint32_t>(g.get<uint64_t>()));
        }
      } else if (data != l.end() && data->is_string()) {
        const std::string encoding = String(l, "encoding");
        gids = LayerData(name, encoding.empty() ? "csv" : encoding, String(l, "compression"), data->get<std::string>(),
                         w * h);
      } else {
        Refuse("layer \"" + name + "\" has no data");
      }
      AddLayer(&model, name, std::move(gids), Integer(l, "width"), Integer(l, "height"), w, h);
    }
  return model;
}

// ---- from tiles to cells ----

// The value of a gid, or a refusal naming the cell.
int32_t ValueOfGid(const MapModel& model, uint32_t gid, const std::string& at) {
  if (gid & GidFlagBits) Refuse(at + "a flipped or rotated tile: the game draws its tiles only as they are");
  const TilesetRef* owner = nullptr;
  for (const TilesetRef& t : model.tilesets)
    if (t.firstGid <= gid && (!owner || t.firstGid > owner->firstGid)) owner = &t;
  if (!owner) Refuse(at + "tile number " + std::to_string(gid) + " is in no tileset of the map");
  const int64_t id = gid - owner->firstGid;
  const auto it = owner->tiles.values.find(id);
  if (it == owner->tiles.values.end())
    Refuse(at + "tile " + std::to_string(id) + " of " + owner->name + " has no value for the game");
  return it->second;
}

TiledStage ToStage(const MapModel& model) {
  const int32_t width = model.width, height = model.height;
  const Layer* stage = nullptr;
  const Layer* hidden = nullptr;
  for (const Layer& l : model.layers) (l.name == StageLayerName ? stage : hidden) = &l;
  if (!stage) Refuse("the map has no tile layer named \"stage\"");
  TiledStage out;
  out.width = width;
  out.height = height;
  out.cells.resize(stage->gids.size());
  int markers = 0, enemies = 0;
  for (size_t i = 0; i < stage->gids.size(); i++) {
    const std::string at = At(static_cast<int64_t>(i), width);
    const int32_t v = stage->gids[i] ? ValueOfGid(model, stage->gids[i], at) : 0;
    if (v >= CellHiddenFirst && v % 1000 == 0)
      Refuse(at + "a hidden group's tile in the layer \"stage\": it belongs in the layer \"hidden\"");
    if (v != 0 && (v >= CellHiddenFirst || TileOfValue(v) < 0))
      Refuse(at + "the value " + std::to_string(v) + " means nothing to the game");
    int32_t group = 0;
    if (hidden && hidden->gids[i]) {
      group = ValueOfGid(model, hidden->gids[i], at);
      if (group < CellHiddenFirst || group % 1000 || group / 1000 > HiddenGroupLast)
        Refuse(at + "only hidden groups' tiles belong in the layer \"hidden\"");
    }
    out.cells[i] = group + v;
    if (out.cells[i] >= CellEventFirst && out.cells[i] <= CellEventLast && ++markers > MaxEventMarkers)
      Refuse(at + "more than " + std::to_string(MaxEventMarkers) + " event markers in one stage");
    if ((out.cells[i] == CellWalker || out.cells[i] == CellThrower) && ++enemies > MaxEnemyCells)
      Refuse(at + "more than " + std::to_string(MaxEnemyCells) + " enemy cells in one stage, more than its table holds");
  }
  return out;
}

bool LooksLikeJson(const std::string& bytes) {
  for (char c : bytes)
    if (!IsSpace(c)) return c == '{';
  return false;
}

}  // namespace

const char* ReadTiledFile(const std::string& path, std::string* bytes) {
  std::vector<uint8_t> raw;
  if (const char* fault = ReadWholeFile(path, 64u << 20, &raw)) return fault;
  bytes->assign(raw.begin(), raw.end());
  return nullptr;
}

std::string StageToTmx(int32_t width, int32_t height, const int32_t* cells, const std::string& tilesetSource,
                       std::string* why) {
  const int64_t count = int64_t{width} * height;
  std::string stage, hidden;
  for (int64_t i = 0; i < count; i++) {
    const int32_t v = cells[i];
    const int32_t group = v >= CellHiddenFirst ? HiddenGroup(v) : 0;
    const int32_t shown = group ? HiddenReveals(v) : v;
    const int stageTile = TileOfValue(shown);
    if ((shown != 0 && stageTile < 0) || group > HiddenGroupLast) {
      *why = At(i, width) + "the value " + std::to_string(v) + " has no tile" +
             (group > HiddenGroupLast ? " (no event reveals hidden group " + std::to_string(group) + ")"
                                      : " (the game shows nothing there and does nothing with it: make it 0)");
      return "";
    }
    const char* end = i + 1 == count ? "\n" : (i + 1) % width == 0 ? ",\n" : ",";
    stage += std::to_string(stageTile + 1) + end;
    hidden += std::to_string(group ? TileOfValue(group * 1000) + 1 : 0) + end;
  }
  const std::string size = "width=\"" + std::to_string(width) + "\" height=\"" + std::to_string(height) + "\"";
  return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
         "<map version=\"1.8\" orientation=\"orthogonal\" renderorder=\"right-down\" " +
         size + " tilewidth=\"32\" tileheight=\"32\" infinite=\"0\" nextlayerid=\"3\" nextobjectid=\"1\">\n" +
         " <tileset firstgid=\"1\" source=\"" + tilesetSource + "\"/>\n" + " <layer id=\"1\" name=\"" +
         StageLayerName + "\" " + size + ">\n  <data encoding=\"csv\">\n" + stage + "</data>\n </layer>\n" +
         " <layer id=\"2\" name=\"" + HiddenLayerName + "\" " + size + ">\n  <data encoding=\"csv\">\n" + hidden +
         "</data>\n </layer>\n</map>\n";
}

bool ReadTiledTileset(const std::string& bytes, const std::string& path, TiledTileset* out, std::string* why) {
  try {
    *out = TiledTileset{};
    if (LooksLikeJson(bytes)) {
      const nlohmann::json j = ParseJson(bytes);
      if (String(j, "type") == "map") Refuse("a map, not a tileset");
      ReadTsjJson(j, path, out);
    } else {
      const pugi::xml_document doc = ParseXml(bytes);
      const pugi::xml_node ts = doc.child("tileset");
      if (!ts) Refuse(doc.child("map") ? "a map, not a tileset" : "not a Tiled tileset (no <tileset> element)");
      ReadTsx(ts, path, out);
    }
    return true;
  } catch (const Refusal& r) {
    *why = path + ": " + r.reason;
    return false;
  }
}

bool ReadTiledMap(const std::string& bytes, const std::string& path, const TiledFileReader& files, TiledStage* out,
                  std::string* why) {
  try {
    *out = ToStage(LooksLikeJson(bytes) ? ReadTmj(bytes, path, files) : ReadTmx(bytes, path, files));
    return true;
  } catch (const Refusal& r) {
    *why = path + ": " + r.reason;
    return false;
  }
}
