// SPDX-License-Identifier: MIT
// Packs checked by the game's own loaders, the title's list, and the data
// loaded again for a new choice.
#include "app/packs.h"

#include <cstdio>

#include "app/game_texts.h"
#include "gfx/display.h"
#include "sound/music.h"
#include "sound/sound_effects.h"
#include "sound/wave_reader.h"
#include "stage/stage_checks.h"
#include "stage/stage_file.h"

namespace {

bool StartsWith(const std::string& s, const char* p) { return s.rfind(p, 0) == 0; }
bool EndsWith(const std::string& s, const char* e) {
  const std::string end = e;
  return s.size() >= end.size() && s.compare(s.size() - end.size(), end.size(), end) == 0;
}

// The bitmap's size, 0 x 0 when it cannot be loaded (the loader says why).
void BitmapSize(const char* name, int* width, int* height) {
  *width = *height = 0;
  HBITMAP bitmap =
      static_cast<HBITMAP>(LoadImageA(GetModuleHandleA(nullptr), name, IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE));
  if (!bitmap) return;
  BITMAP info{};
  GetObjectA(bitmap, sizeof info, &info);
  *width = info.bmWidth;
  *height = info.bmHeight;
  DeleteObject(bitmap);
}

// The size a bitmap file's header gives, 0 x 0 when it has none: enough
// for the game's own bitmap, which start-up loads whole anyway.
void BitmapHeaderSize(const char* name, int* width, int* height) {
  *width = *height = 0;
  FILE* f = OpenDataFile(name, "rb");
  if (!f) return;
  uint8_t b[26] = {};
  const size_t got = std::fread(b, 1, sizeof b, f);
  std::fclose(f);
  if (got < sizeof b || b[0] != 'B' || b[1] != 'M') return;
  auto u32 = [&](int at) {
    return uint32_t{b[at]} | uint32_t{b[at + 1]} << 8 | uint32_t{b[at + 2]} << 16 | uint32_t{b[at + 3]} << 24;
  };
  if (u32(14) == 12) {  // the old OS/2 header
    *width = b[18] | b[19] << 8;
    *height = static_cast<int16_t>(b[20] | b[21] << 8);
  } else {
    *width = static_cast<int32_t>(u32(18));
    *height = static_cast<int32_t>(u32(22));
  }
  if (*height < 0) *height = -*height;
}

// Why the game would refuse one of the pack's files ("" none); `said` when
// the loader has said it on stderr already.
std::string FileFault(const Pack& pack, const PackFile& file, bool* said) {
  const char* name = file.key.c_str();
  *said = true;
  if (StartsWith(file.key, "stage/") && EndsWith(file.key, ".txt")) {
    StageMap map{}, none{};
    if (!LoadStageFile(&map, name)) return LastStageFault();
    FreeStageMaps(&map, &none);
    return "";
  }
  if (EndsWith(file.key, ".bmp")) {
    int w, h, ownW, ownH;
    BitmapSize(name, &w, &h);
    if (w == 0) return file.path + ": cannot be loaded as an 8-bit bitmap";
    SetPackInForce(nullptr);
    BitmapHeaderSize(name, &ownW, &ownH);
    SetPackInForce(&pack);
    *said = false;
    if (ownW != 0 && (w != ownW || h != ownH)) {
      char sizes[96];
      std::snprintf(sizes, sizeof sizes, ": %d x %d pixels, the game's own is %d x %d", w, h, ownW, ownH);
      return file.path + sizes;
    }
    return "";
  }
  *said = false;
  if (EndsWith(file.key, ".wav")) {
    WaveReader reader{};
    const bool read = !FAILED(OpenWave(&reader, name));
    const WAVEFORMATEX* f = reader.format;
    const bool playable = read && f->wFormatTag == WAVE_FORMAT_PCM && (f->nChannels == 1 || f->nChannels == 2) &&
                          (f->wBitsPerSample == 8 || f->wBitsPerSample == 16) && reader.dataChunk.cksize > 0;
    CloseWave(&reader);
    if (!read) return file.path + ": cannot be read as a sound (a RIFF WAVE file)";
    if (!playable) return file.path + ": is not a sound of 8- or 16-bit PCM, in one or two channels";
    return "";
  }
  if (EndsWith(file.key, ".mid")) {
    CoInitialize(nullptr);
    DMLoader* loader = nullptr;
    CoCreateInstance(CLSID_DirectMusicLoader, nullptr, CLSCTX_INPROC, IID_IDirectMusicLoader, &loader);
    DMUS_OBJECTDESC desc{};
    desc.dwSize = sizeof desc;
    desc.dwValidData = DMUS_OBJ_CLASS | DMUS_OBJ_FILENAME;
    desc.guidClass = CLSID_DirectMusicSegment;
    MultiByteToWideChar(CP_ACP, 0, name, -1, desc.wszFileName, DMUS_MAX_FILENAME);
    DMSegment* segment = nullptr;
    const HRESULT hr = GetObject(loader, &desc, IID_IDirectMusicSegment2, &segment);
    if (segment) Release(segment);
    if (loader) Release(loader);
    CoUninitialize();
    // A file that is not a Standard MIDI File has had its line from the loader.
    *said = hr == DMUS_E_UNSUPPORTED_STREAM;
    if (FAILED(hr)) return file.path + ": cannot be read as music (a Standard MIDI File)";
  }
  return "";
}

// The fault without the pack's own folder before it: the screen is narrow.
std::string WithinPack(const Pack& pack, const std::string& fault) {
  if (StartsWith(fault, (pack.folder + "/").c_str())) return fault.substr(pack.folder.size() + 1);
  if (StartsWith(fault, (pack.folder + ": ").c_str())) return fault.substr(pack.folder.size() + 2);
  return fault;
}

}  // namespace

std::string PackContentFault(const Pack& pack) {
  if (!pack.fault.empty()) return pack.fault;
  const Pack* before = PackInForce();
  const Pack kept = before ? *before : Pack{};
  const bool hadOne = before != nullptr;
  SetPackInForce(&pack);
  std::string fault;
  bool said = false;
  for (const PackFile& f : pack.files) {
    fault = FileFault(pack, f, &said);
    if (!fault.empty()) break;
  }
  SetPackInForce(hadOne ? &kept : nullptr);
  // The pack's faults are not the game data's.
  ForgetDataFileProblem();
  if (!fault.empty() && !said) std::fprintf(stderr, "twinworlds: %s\n", fault.c_str());
  return fault;
}

std::string PackFolderFault(const std::string& folder, Pack* out) {
  const Pack pack = ReadPack(folder, PackIdOfPath(folder));
  if (out) *out = pack;
  if (!pack.fault.empty()) return pack.fault;
  return PackContentFault(pack);
}

std::vector<std::string> PackStageFaults(const Pack& pack) {
  const Pack* before = PackInForce();
  const Pack kept = before ? *before : Pack{};
  const bool hadOne = before != nullptr;
  SetPackInForce(&pack);
  StageMap a{}, b{};
  std::vector<std::string> lines;
  if (!LoadStageFile(&a, "stage\\fai_kansei.txt") || !LoadStageFile(&b, "stage\\Magic1234.txt")) {
    lines.push_back(LastStageFault());
  } else {
    constexpr int Most = 20;
    StageFault faults[Most];
    const int count = CheckStages(&a, &b, faults, Most);
    for (int i = 0; i < count && i < Most; i++) lines.push_back(DescribeStageFault(faults[i], false));
    if (count > Most) lines.push_back("and " + std::to_string(count - Most) + " more");
  }
  FreeStageMaps(&a, &b);
  SetPackInForce(hadOne ? &kept : nullptr);
  ForgetDataFileProblem();
  return lines;
}

std::vector<StageChoice> ListStageChoices() {
  const Language language = TextLanguage();
  std::vector<StageChoice> list;
  StageChoice own{};
  own.usable = true;
  own.kept = true;
  own.name = GameText(TextStagesOwn);
  own.about = GameText(TextStagesOwnAbout);
  list.push_back(own);
  const Pack* inForce = PackInForce();
  bool inForceListed = inForce == nullptr;
  std::vector<Pack> packs = FindPacks();
  for (const Pack& p : packs) {
    StageChoice c{};
    c.pack = p;
    c.kept = true;
    // A pack with a fault of its own has said it; the loaders say theirs.
    const std::string fault = p.fault.empty() ? PackContentFault(p) : p.fault;
    c.usable = fault.empty();
    if (inForce && inForce->folder == p.folder) inForceListed = true;
    c.name = PackScreenText(p, "name", language);
    c.author = PackScreenText(p, "author", language);
    c.licence = PackScreenText(p, "licence", language);
    c.about = c.usable ? PackScreenText(p, "description", language)
                       : std::string(GameText(TextStagesCannot)) + ScreenText(WithinPack(p, fault));
    list.push_back(c);
  }
  if (!inForceListed) {
    StageChoice c{};
    c.pack = *inForce;
    c.usable = true;
    c.kept = false;
    c.name = PackScreenText(*inForce, "name", language);
    c.author = PackScreenText(*inForce, "author", language);
    c.licence = PackScreenText(*inForce, "licence", language);
    c.about = PackScreenText(*inForce, "description", language);
    list.push_back(c);
  }
  return list;
}

int ReloadGameData() {
  const int bitmaps = LoadAllBitmaps();
  for (DSBuffer** buffer : SoundBank) {
    if (*buffer) Release(*buffer);
    *buffer = nullptr;
  }
  LoadAllSounds();
  if (MusicSegment) {
    SetParam(MusicSegment, GUID_Unload, 0xFFFFFFFFu, 0, 0, MusicPerformance);
    Release(MusicSegment);
    MusicSegment = nullptr;
  }
  LoadGameMusic();
  return bitmaps;
}
