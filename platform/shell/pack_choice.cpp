// SPDX-License-Identifier: MIT
// Finding packs, --pack, and the title's choice.
#include "platform/shell/pack_choice.h"

#include <sys/stat.h>

#include <cstdio>

#include "platform/backend.h"
#include "platform/files/data_folder.h"
#include "platform/input/key_sampler.h"
#include "platform/picture/text_encoding.h"
#include "platform/settings/settings_file_update.h"
#include "platform/shell/linked_packs.h"
#include "platform/shell/run.h"

namespace {

std::string (*GameCheck)(const Pack&) = nullptr;

bool IsFolder(const std::string& path) {
  struct stat s;
  return stat(path.c_str(), &s) == 0 && S_ISDIR(s.st_mode);
}

}  // namespace

std::vector<std::string> PacksFolders() {
  std::vector<std::string> folders;
  if (const std::string player = PlayerPacksFolder(); !player.empty()) folders.push_back(player);
  if (!DataFolderMissing()) folders.push_back(DataFolder().empty() ? "packs" : DataFolder() + "/packs");
  return folders;
}

std::vector<Pack> FindPacks() {
  std::vector<Pack> packs = ReadPacksIn(PacksFolders());
  for (const Pack& p : packs)
    if (!p.fault.empty()) std::fprintf(stderr, "twinworlds: %s\n", p.fault.c_str());
  return packs;
}

bool ResolvePackOption(const std::string& value, std::string* folder, std::string* id, std::string* why) {
  if (IsPackLink(value)) return OpenPackLink(value, folder, id, why);
  if (value.find('/') == std::string::npos && value != "." && value != "..") {
    if (const std::string fault = PackNameFault(value); !fault.empty()) {
      *why = fault;
      return false;
    }
    for (const std::string& packs : PacksFolders())
      if (IsFolder(packs + "/" + value)) {
        *folder = packs + "/" + value;
        *id = value;
        return true;
      }
    if (!IsFolder(value)) {
      std::string where;
      for (const std::string& packs : PacksFolders()) where += (where.empty() ? "" : ", ") + packs;
      *why = "no pack of that name (in " + (where.empty() ? std::string("no packs folder") : where) +
             ") and no such folder here";
      return false;
    }
  }
  *folder = value;
  *id = PackIdOfPath(value);
  return true;
}

void SetPackCheck(std::string (*check)(const Pack& pack)) { GameCheck = check; }

std::string CheckPack(const Pack& pack) {
  if (!pack.fault.empty()) return pack.fault;
  return GameCheck ? GameCheck(pack) : "";
}

bool PackChoiceFixed() { return CurrentRunOptions().headless || !CurrentRunOptions().inputFile.empty(); }

void ChoosePack(const Pack* pack, bool keep) {
  SetPackInForce(pack);
  if (!keep) return;
  GameSettings settings = CurrentSettings();
  settings.pack = pack ? pack->id : "";
  SetCurrentSettings(settings);
  SaveSettingValues({{"pack", settings.pack}});
}

void NoteNewGameStarts() { RecordGameStart(); }

std::string PackScreenText(const Pack& pack, const char* key, Language language) {
  std::string text = PackInfoText(pack.info, key, language == LanguageEnglish ? "en" : "ja");
  if (text.empty() && std::string(key) == "name") text = pack.id;
  return ScreenText(text);
}

std::string ScreenText(const std::string& utf8) { return EncodeCp932(DecodeUtf8(utf8.c_str())); }
