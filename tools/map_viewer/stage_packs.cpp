// SPDX-License-Identifier: MIT
// --new-pack and --update-pack.
#include "stage_packs.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <vector>

#include "platform/backend.h"
#include "platform/files/packs.h"
#include "platform/files/user_folders.h"
#include "platform/files/whole_file.h"
#include "platform/win32/win32.h"
#include "stage/stage_checks.h"
#include "stage/stage_file.h"
#include "stage/stage_text.h"
#include "tools/tiled/tiled_map.h"
#include "tools/tiled/tiled_tileset.h"

#include "stage_sources.h"

namespace fs = std::filesystem;

namespace {

struct WorldFiles {
  const char* map;    // under tiled/, without its extension
  const char* stage;  // as the game data names it
  const char* world;
};
constexpr WorldFiles Worlds[2] = {{"world_a", "stage/fai_kansei.txt", "A"}, {"world_b", "stage/Magic1234.txt", "B"}};

int Fail(const std::string& line) {
  std::fprintf(stderr, "twinworlds-map: %s\n", line.c_str());
  return 1;
}

std::string ReadBytes(const std::string& path, std::string* why) {
  std::string bytes;
  if (const char* fault = ReadTiledFile(path, &bytes)) *why = path + ": " + fault;
  return bytes;
}

// The project: the folder it is in, nothing else of its own.
const char ProjectText[] =
    "{\n"
    "    \"automappingRulesFile\": \"\",\n"
    "    \"commands\": [\n"
    "    ],\n"
    "    \"extensionsPath\": \"extensions\",\n"
    "    \"folders\": [\n"
    "        \".\"\n"
    "    ],\n"
    "    \"objectTypesFile\": \"\",\n"
    "    \"propertyTypes\": [\n"
    "    ]\n"
    "}\n";

std::string PackText(const std::string& name) {
  // The login name to start with; the maker writes their own.
  std::string author = EnvironmentValue("USER");
  if (const passwd* user = getpwuid(getuid()); author.empty() && user && user->pw_name) author = user->pw_name;
  return "# What the pack says of itself (UTF-8); name[ja] = ... gives a Japanese name, and so on.\n"
         "name = " + name + "\n" + "author = " + author + "\n" + "licence = CC BY 4.0\n" +
         "description = The stages of twinworlds, to change. Made from the game's own stages by the twinworlds "
         "developers (CC BY 4.0).\n";
}

}  // namespace

int NewPack(const std::string& name) {
  if (const std::string fault = PackNameFault(name); !fault.empty()) return Fail(fault);
  const std::string packs = PlayerPacksFolder();
  if (packs.empty()) return Fail("neither XDG_DATA_HOME nor HOME is set: there is no packs folder");
  const fs::path target = fs::path(packs) / name;
  std::error_code ec;
  if (fs::exists(target, ec) || fs::is_symlink(target, ec))
    return Fail(target.string() + ": already exists; choose another name, or update it with --update-pack " + name);

  // Made whole beside the packs, then put in place in one rename.
  const fs::path making = fs::path(packs) / ("." + name + ".new-" + std::to_string(getpid()));
  fs::remove_all(making, ec);
  std::string why;
  bool ok = fs::create_directories(making / "stage", ec) && fs::create_directories(making / "tiled", ec);
  if (!ok) why = making.string() + ": cannot be made";
  ok = ok && CopyGameTileset((making / "tiled").string(), &why);
  for (const WorldFiles& w : Worlds) {
    if (!ok) break;
    const std::string game = DataFilePath(w.stage);
    const std::string bytes = ReadBytes(game, &why);
    StageMap map{}, none{};
    ok = why.empty() && LoadStageText(&map, bytes, game.c_str());
    if (ok && !WriteFileAtomically((making / w.stage).string(), bytes)) {
      why = (making / w.stage).string() + ": cannot be written";
      ok = false;
    }
    ok = ok && WriteTiledMap(map, game, (making / "tiled" / (std::string(w.map) + ".tmx")).string(), "", &why);
    FreeStageMaps(&map, &none);
  }
  ok = ok && WriteFileAtomically((making / "pack.txt").string(), PackText(name)) &&
       WriteFileAtomically((making / "tiled" / (name + ".tiled-project")).string(), ProjectText);
  if (ok) {
    fs::rename(making, target, ec);
    if (ec) why = target.string() + ": " + ec.message();
    ok = !ec;
  }
  if (!ok) {
    fs::remove_all(making, ec);
    return Fail(why.empty() ? target.string() + ": cannot be written" : why);
  }
  std::printf("%s: the pack \"%s\", of the game's two stages\n", target.string().c_str(), name.c_str());
  std::printf("  edit it in Tiled: tiled %s\n", (target / "tiled" / (name + ".tiled-project")).string().c_str());
  std::printf("  then: twinworlds-map --update-pack %s; and play it: twinworlds --pack %s\n", name.c_str(),
              name.c_str());
  return 0;
}

int UpdatePack(const std::string& nameOrFolder) {
  fs::path folder;
  if (nameOrFolder.find('/') != std::string::npos) {
    folder = nameOrFolder;
  } else {
    if (const std::string fault = PackNameFault(nameOrFolder); !fault.empty())
      return Fail(fault + " (a pack's folder is named with a '/', as ./" + nameOrFolder + ")");
    folder = fs::path(PlayerPacksFolder()) / nameOrFolder;
  }
  std::error_code ec;
  if (!fs::is_directory(folder, ec)) return Fail(folder.string() + ": no such pack");

  // Every map converted and loaded before any file is written.
  struct Converted {
    const WorldFiles* files;
    std::string map, text;
    bool present = false;
  };
  Converted converted[2];
  StageMap maps[2] = {};
  auto release = [&] {
    FreeStageMaps(&maps[0], &maps[1]);
  };
  for (int k = 0; k < 2; k++) {
    Converted& c = converted[k];
    c.files = &Worlds[k];
    const fs::path tmx = folder / "tiled" / (std::string(c.files->map) + ".tmx");
    const fs::path tmj = folder / "tiled" / (std::string(c.files->map) + ".tmj");
    const bool hasTmx = fs::exists(tmx, ec), hasTmj = fs::exists(tmj, ec);
    if (hasTmx && hasTmj) {
      release();
      return Fail(tmx.string() + ": and " + tmj.filename().string() + " beside it: keep one");
    }
    std::string why;
    if (hasTmx || hasTmj) {
      c.present = true;
      c.map = (hasTmx ? tmx : tmj).string();
      const std::string bytes = ReadBytes(c.map, &why);
      TiledStage stage;
      if (!why.empty() || !ReadTiledMap(bytes, c.map, ReadTiledFile, &stage, &why)) {
        release();
        return Fail(why);
      }
      c.text = FormatStageText(stage.width, stage.height, stage.cells.data());
    } else {
      // No map: the world is the pack's stage file, else the game's.
      const fs::path own = folder / c.files->stage;
      const std::string from = fs::exists(own, ec) ? own.string() : DataFilePath(c.files->stage);
      c.text = ReadBytes(from, &why);
      if (!why.empty()) {
        release();
        return Fail(why);
      }
      c.map = from;
    }
    if (!LoadStageText(&maps[k], c.text, c.map.c_str())) {
      release();
      return 1;  // the loader has said why, naming the map
    }
  }
  if (!converted[0].present && !converted[1].present) {
    release();
    return Fail((folder / "tiled").string() + ": holds neither world_a.tmx nor world_b.tmx (nor .tmj)");
  }
  // What play needs of the pair, said but not refused: a pack being made
  // may be tried before it is finished.
  StageFault faults[20];
  const int count = CheckStages(&maps[0], &maps[1], faults, 20);
  for (int i = 0; i < count && i < 20; i++)
    std::fprintf(stderr, "twinworlds-map: warning: %s\n", DescribeStageFault(faults[i], false).c_str());
  if (count > 20) std::fprintf(stderr, "twinworlds-map: warning: and %d more\n", count - 20);
  release();

  fs::create_directories(folder / "stage", ec);
  for (const Converted& c : converted) {
    if (!c.present) continue;
    const fs::path stage = folder / c.files->stage;
    std::string why;
    const std::string old = fs::exists(stage, ec) ? ReadBytes(stage.string(), &why) : std::string();
    if (old == c.text) {
      std::printf("%s: unchanged\n", stage.string().c_str());
      continue;
    }
    if (!WriteFileAtomically(stage.string(), c.text)) return Fail(stage.string() + ": cannot be written");
    std::printf("%s: world %s, from %s\n", stage.string().c_str(), c.files->world,
                fs::path(c.map).lexically_relative(folder).string().c_str());
  }
  return 0;
}
