// The music's objects made, its file loaded, played from the new game on,
// and released.
#include "sound/music.h"

DirectMusic* MusicDirectMusic;
DMPerformance* MusicPerformance;
DMLoader* MusicLoader;
DMSegment* MusicSegment;

namespace {

constexpr DWORD AllGroups = 0xFFFFFFFFu;

}  // namespace

void CreateMusicObjects(HWND window) {
  CoInitialize(nullptr);
  CoCreateInstance(CLSID_DirectMusicPerformance, nullptr, CLSCTX_INPROC, IID_IDirectMusicPerformance2,
                   &MusicPerformance);
  Init(MusicPerformance, &MusicDirectMusic, nullptr, window);
  CoCreateInstance(CLSID_DirectMusicLoader, nullptr, CLSCTX_INPROC, IID_IDirectMusicLoader, &MusicLoader);
  AddPort(MusicPerformance, nullptr);
}

void LoadMusic(DMSegment** segment, const char* fileName) {
  DMUS_OBJECTDESC desc{};
  desc.dwSize = sizeof desc;
  desc.dwValidData = DMUS_OBJ_CLASS | DMUS_OBJ_FILENAME;
  desc.guidClass = CLSID_DirectMusicSegment;
  MultiByteToWideChar(CP_ACP, 0, fileName, -1, desc.wszFileName, DMUS_MAX_FILENAME);
  GetObject(MusicLoader, &desc, IID_IDirectMusicSegment2, segment);
  if (*segment) {
    SetParam(*segment, GUID_StandardMIDIFile, AllGroups, 0, 0, MusicPerformance);
    SetParam(*segment, GUID_Download, AllGroups, 0, 0, MusicPerformance);
  }
}

void LoadGameMusic() {
  LoadMusic(&MusicSegment, "Sound\\yamiji.mid");
  if (MusicSegment) SetRepeats(MusicSegment, DMUS_SEG_REPEAT_INFINITE);
}

void StartMusic() {
  if (MusicSegment) PlaySegment(MusicPerformance, MusicSegment, DMUS_SEGF_BEAT, 0, nullptr);
}

void StopMusic() {
  if (MusicSegment) Stop(MusicPerformance, nullptr, nullptr, 0, 0);
}

void ReleaseMusicObjects() {
  if (MusicSegment) {
    Stop(MusicPerformance, nullptr, nullptr, 0, 0);
    SetParam(MusicSegment, GUID_Unload, AllGroups, 0, 0, MusicPerformance);
    Release(MusicSegment);
    MusicSegment = nullptr;
  }
  CloseDown(MusicPerformance);
  Release(MusicPerformance);
  MusicPerformance = nullptr;
  Release(MusicLoader);
  MusicLoader = nullptr;
}
