// DirectMusic over the shared audio output: the performance's default port
// is the FluidSynth synthesizer, "downloading" a segment's instruments loads
// the soundfont, and a segment is a Standard MIDI File held in memory.
#include "platform/win32/dmusic.h"

#include <climits>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "platform/audio/midi_file.h"
#include "platform/audio/mixer.h"
#include "platform/backend.h"
#include "platform/files/whole_file.h"
#include "platform/picture/text_encoding.h"
#include "platform/win32/win32.h"

struct DirectMusic {
  int refs;
};

struct DMPerformance {
  int refs;
  bool initialised;
  bool hasPort;
  bool holdsOutput;
  bool closedDown;
  DirectMusic* music;
  const DMSegment* playing;  // the primary segment, compared only
};

struct DMLoader {
  int refs;
};

struct DMSegment {
  int refs;
  std::vector<uint8_t> midi;
  DWORD repeats;
  const DMPerformance* downloadedTo;
};

const GUID CLSID_DirectMusicPerformance = {0xd2ac2881, 0xb39b, 0x11d1, {0x87, 0x04, 0x00, 0x60, 0x08, 0x93, 0xb1, 0xbd}};
const GUID CLSID_DirectMusicLoader = {0xd2ac2892, 0xb39b, 0x11d1, {0x87, 0x04, 0x00, 0x60, 0x08, 0x93, 0xb1, 0xbd}};
const GUID CLSID_DirectMusicSegment = {0xd2ac2882, 0xb39b, 0x11d1, {0x87, 0x04, 0x00, 0x60, 0x08, 0x93, 0xb1, 0xbd}};
const GUID IID_IDirectMusicPerformance2 = {0x6fc2cae0, 0xbc78, 0x11d2, {0xaf, 0xa6, 0x00, 0xaa, 0x00, 0x24, 0xd8, 0xb6}};
const GUID IID_IDirectMusicLoader = {0x2ffaaca2, 0x5dca, 0x11d2, {0xaf, 0xa6, 0x00, 0xaa, 0x00, 0x24, 0xd8, 0xb6}};
const GUID IID_IDirectMusicSegment2 = {0xd38894d1, 0xc052, 0x11d2, {0x87, 0x2f, 0x00, 0x60, 0x08, 0x93, 0xb1, 0xbd}};
const GUID GUID_StandardMIDIFile = {0x06621075, 0xe92e, 0x11d1, {0xa8, 0xc5, 0x00, 0xc0, 0x4f, 0xa3, 0x72, 0x6e}};
const GUID GUID_Download = {0xd2ac28a7, 0xb39b, 0x11d1, {0x87, 0x04, 0x00, 0x60, 0x08, 0x93, 0xb1, 0xbd}};
const GUID GUID_Unload = {0xd2ac28a8, 0xb39b, 0x11d1, {0x87, 0x04, 0x00, 0x60, 0x08, 0x93, 0xb1, 0xbd}};

namespace {

int ComUsers = 0;
constexpr HRESULT CO_E_NOTINITIALIZED = static_cast<HRESULT>(0x800401F0u);
// A music file larger than this is not a piece of background music.
constexpr size_t LargestMidiFile = 16 << 20;


}  // namespace

HRESULT CoInitialize(void*) { return ComUsers++ == 0 ? S_OK : S_FALSE; }

void CoUninitialize() {
  if (ComUsers > 0) ComUsers--;
}

HRESULT CoCreateInstance(const GUID& classId, void*, DWORD context, const GUID& interfaceId, DMPerformance** out) {
  if (!out) return E_POINTER;
  *out = nullptr;
  if (ComUsers == 0) return CO_E_NOTINITIALIZED;
  if (!(context & CLSCTX_INPROC) || !(classId == CLSID_DirectMusicPerformance)) return REGDB_E_CLASSNOTREG;
  if (!(interfaceId == IID_IDirectMusicPerformance2)) return E_NOINTERFACE;
  *out = new DMPerformance{1, false, false, false, false, nullptr, nullptr};
  return S_OK;
}

HRESULT CoCreateInstance(const GUID& classId, void*, DWORD context, const GUID& interfaceId, DMLoader** out) {
  if (!out) return E_POINTER;
  *out = nullptr;
  if (ComUsers == 0) return CO_E_NOTINITIALIZED;
  if (!(context & CLSCTX_INPROC) || !(classId == CLSID_DirectMusicLoader)) return REGDB_E_CLASSNOTREG;
  if (!(interfaceId == IID_IDirectMusicLoader)) return E_NOINTERFACE;
  *out = new DMLoader{1};
  return S_OK;
}

HRESULT Init(DMPerformance* performance, DirectMusic** music, DirectSound*, HWND) {
  if (!performance || performance->closedDown) return E_POINTER;
  if (performance->initialised) return DMUS_E_NOT_INIT;
  performance->initialised = true;
  performance->music = new DirectMusic{1};
  if (music) {
    performance->music->refs++;
    *music = performance->music;
  }
  return S_OK;
}

HRESULT AddPort(DMPerformance* performance, DMPort* port) {
  if (!performance) return E_POINTER;
  if (!performance->initialised || performance->closedDown) return DMUS_E_NOT_INIT;
  if (port) return E_INVALIDARG;  // only the default port exists
  if (performance->hasPort) return S_OK;
  performance->hasPort = true;
  performance->holdsOutput = AcquireAudioOutput();
  return S_OK;
}

HRESULT PlaySegment(DMPerformance* performance, DMSegment* segment, DWORD, REFERENCE_TIME, DMSegmentState** state) {
  if (state) *state = nullptr;
  if (!performance || !segment) return E_POINTER;
  if (!performance->initialised || performance->closedDown) return DMUS_E_NOT_INIT;
  performance->playing = segment;
  // Nothing sounds before the first callback after this one, so the next
  // beat boundary of a performance at rest is now.
  if (segment->downloadedTo == performance) {
    const int loops = segment->repeats >= static_cast<DWORD>(INT_MAX) ? -1 : static_cast<int>(segment->repeats) + 1;
    StartMusicSynth(segment->midi, loops);
  }
  return S_OK;
}

HRESULT Stop(DMPerformance* performance, DMSegment* segment, DMSegmentState*, MUSIC_TIME, DWORD) {
  if (!performance) return E_POINTER;
  if (!segment || segment == performance->playing) {
    if (performance->holdsOutput) StopMusicSynth();
    performance->playing = nullptr;
  }
  return S_OK;
}

bool IsPlaying(DMPerformance* performance, DMSegment* segment) {
  return performance && segment && performance->playing == segment;
}

HRESULT CloseDown(DMPerformance* performance) {
  if (!performance) return E_POINTER;
  if (performance->closedDown) return S_OK;
  Stop(performance, nullptr, nullptr, 0, 0);
  if (performance->holdsOutput) {
    UnloadMusicSynth();
    ReleaseAudioOutput();
  }
  performance->holdsOutput = false;
  performance->hasPort = false;
  performance->closedDown = true;
  if (performance->music) Release(performance->music);
  performance->music = nullptr;
  return S_OK;
}

HRESULT GetObject(DMLoader* loader, DMUS_OBJECTDESC* desc, const GUID& interfaceId, DMSegment** out) {
  if (!out) return E_POINTER;
  *out = nullptr;
  if (!loader || !desc) return E_POINTER;
  if (!(desc->dwValidData & DMUS_OBJ_CLASS) || !(desc->guidClass == CLSID_DirectMusicSegment)) return E_INVALIDARG;
  if (!(interfaceId == IID_IDirectMusicSegment2)) return E_NOINTERFACE;
  if (!(desc->dwValidData & (DMUS_OBJ_FILENAME | DMUS_OBJ_FULLPATH))) return DMUS_E_LOADER_NOFILENAME;
  const std::string name = Utf16ToUtf8(desc->wszFileName, DMUS_MAX_FILENAME);
  std::vector<uint8_t> bytes;
  if (name.empty() || ReadWholeFile(OpenDataFile(name.c_str(), "rb"), LargestMidiFile, &bytes))
    return DMUS_E_LOADER_FAILEDOPEN;
  if (const char* why = CheckStandardMidi(bytes.data(), bytes.size())) {
    std::fprintf(stderr, "twinworlds: %s: %s; no music\n", DataFilePath(name.c_str()).c_str(), why);
    return DMUS_E_UNSUPPORTED_STREAM;
  }
  *out = new DMSegment{1, std::move(bytes), 0, nullptr};
  return S_OK;
}

HRESULT SetParam(DMSegment* segment, const GUID& type, DWORD, DWORD, MUSIC_TIME, void* param) {
  if (!segment) return E_POINTER;
  auto* performance = static_cast<DMPerformance*>(param);
  // The segment is a Standard MIDI File already: that parameter is a given.
  if (type == GUID_StandardMIDIFile) return S_OK;
  if (type == GUID_Download) {
    if (!performance || !performance->hasPort) return DMUS_E_NOT_INIT;
    // With no output there is nothing to play the instruments on.
    if (!performance->holdsOutput || !LoadMusicSynth()) return E_FAIL;
    segment->downloadedTo = performance;
    return S_OK;
  }
  if (type == GUID_Unload) {
    if (segment->downloadedTo == performance) segment->downloadedTo = nullptr;
    return S_OK;
  }
  return E_INVALIDARG;
}

HRESULT SetRepeats(DMSegment* segment, DWORD repeats) {
  if (!segment) return E_POINTER;
  segment->repeats = repeats;
  return S_OK;
}

DWORD Release(DirectMusic* music) {
  if (!music) return 0;
  if (--music->refs > 0) return static_cast<DWORD>(music->refs);
  delete music;
  return 0;
}

DWORD Release(DMPerformance* performance) {
  if (!performance) return 0;
  if (--performance->refs > 0) return static_cast<DWORD>(performance->refs);
  CloseDown(performance);
  delete performance;
  return 0;
}

DWORD Release(DMLoader* loader) {
  if (!loader) return 0;
  if (--loader->refs > 0) return static_cast<DWORD>(loader->refs);
  delete loader;
  return 0;
}

DWORD Release(DMSegment* segment) {
  if (!segment) return 0;
  if (--segment->refs > 0) return static_cast<DWORD>(segment->refs);
  delete segment;
  return 0;
}

