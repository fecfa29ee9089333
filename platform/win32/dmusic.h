// COM start-up and the DirectMusic the game uses: a performance with the
// default port, a loader that reads a Standard MIDI File into a segment,
// and that segment played, repeated and stopped.
#pragma once

#include "platform/win32/dsound.h"

using WCHAR = char16_t;
using MUSIC_TIME = LONG;
using REFERENCE_TIME = int64_t;

struct DirectMusic;    // IDirectMusic
struct DMPerformance;  // IDirectMusicPerformance2
struct DMLoader;       // IDirectMusicLoader
struct DMSegment;      // IDirectMusicSegment2
struct DMSegmentState;
struct DMPort;

// Class and interface identifiers; only which is which matters here.
extern const GUID CLSID_DirectMusicPerformance;
extern const GUID CLSID_DirectMusicLoader;
extern const GUID CLSID_DirectMusicSegment;
extern const GUID IID_IDirectMusicPerformance2;
extern const GUID IID_IDirectMusicLoader;
extern const GUID IID_IDirectMusicSegment2;
// Segment parameters.
extern const GUID GUID_StandardMIDIFile;
extern const GUID GUID_Download;
extern const GUID GUID_Unload;

constexpr HRESULT S_FALSE = 1;
constexpr HRESULT E_INVALIDARG = static_cast<HRESULT>(0x80070057u);
constexpr HRESULT E_POINTER = static_cast<HRESULT>(0x80004003u);
constexpr HRESULT E_NOINTERFACE = static_cast<HRESULT>(0x80004002u);
constexpr HRESULT REGDB_E_CLASSNOTREG = static_cast<HRESULT>(0x80040154u);
constexpr HRESULT DMUS_E_NOT_INIT = static_cast<HRESULT>(0x88781191u);
constexpr HRESULT DMUS_E_LOADER_FAILEDOPEN = static_cast<HRESULT>(0x88781201u);
constexpr HRESULT DMUS_E_UNSUPPORTED_STREAM = static_cast<HRESULT>(0x88781203u);
constexpr HRESULT DMUS_E_LOADER_NOFILENAME = static_cast<HRESULT>(0x88781202u);

constexpr DWORD CLSCTX_INPROC_SERVER = 0x1;
constexpr DWORD CLSCTX_INPROC_HANDLER = 0x2;
constexpr DWORD CLSCTX_INPROC = CLSCTX_INPROC_SERVER | CLSCTX_INPROC_HANDLER;

constexpr DWORD DMUS_OBJ_CLASS = 0x2;
constexpr DWORD DMUS_OBJ_FILENAME = 0x10;
constexpr DWORD DMUS_OBJ_FULLPATH = 0x20;
constexpr int DMUS_MAX_NAME = 64;
constexpr int DMUS_MAX_CATEGORY = 64;
constexpr int DMUS_MAX_FILENAME = 260;

constexpr DWORD DMUS_SEG_REPEAT_INFINITE = 0xFFFFFFFFu;
constexpr DWORD DMUS_SEGF_BEAT = 0x1000;

struct DMUS_VERSION {
  DWORD dwVersionMS;
  DWORD dwVersionLS;
};

struct DMUS_OBJECTDESC {
  DWORD dwSize;
  DWORD dwValidData;
  GUID guidObject;
  GUID guidClass;
  int64_t ftDate;
  DMUS_VERSION vVersion;
  WCHAR wszName[DMUS_MAX_NAME];
  WCHAR wszCategory[DMUS_MAX_CATEGORY];
  WCHAR wszFileName[DMUS_MAX_FILENAME];
  int64_t llMemLength;
  BYTE* pbMemData;
};

HRESULT CoInitialize(void* reserved);
void CoUninitialize();
// Makes the object the class names, when the interface fits it.
HRESULT CoCreateInstance(const GUID& classId, void* outer, DWORD context, const GUID& interfaceId,
                         DMPerformance** out);
HRESULT CoCreateInstance(const GUID& classId, void* outer, DWORD context, const GUID& interfaceId, DMLoader** out);

// music: receives the DirectMusic object (may be null); sound: null, the
// performance makes its own.
HRESULT Init(DMPerformance* performance, DirectMusic** music, DirectSound* sound, HWND window);
// port: null for the default port, the General MIDI synthesizer.
HRESULT AddPort(DMPerformance* performance, DMPort* port);
HRESULT PlaySegment(DMPerformance* performance, DMSegment* segment, DWORD flags, REFERENCE_TIME startTime,
                    DMSegmentState** state);
// segment and state null: everything stops.
HRESULT Stop(DMPerformance* performance, DMSegment* segment, DMSegmentState* state, MUSIC_TIME time, DWORD flags);
HRESULT CloseDown(DMPerformance* performance);
// True while the performance plays a segment (for the tests and the state).
bool IsPlaying(DMPerformance* performance, DMSegment* segment);

// Reads the file the description names (relative to the working directory).
HRESULT GetObject(DMLoader* loader, DMUS_OBJECTDESC* desc, const GUID& interfaceId, DMSegment** out);

// GUID_StandardMIDIFile, GUID_Download and GUID_Unload, with the
// performance as the parameter.
HRESULT SetParam(DMSegment* segment, const GUID& type, DWORD groupBits, DWORD index, MUSIC_TIME time, void* param);
// Times the segment plays again after its first time through.
HRESULT SetRepeats(DMSegment* segment, DWORD repeats);

DWORD Release(DirectMusic* music);
DWORD Release(DMPerformance* performance);
DWORD Release(DMLoader* loader);
DWORD Release(DMSegment* segment);

// Win32's conversion of text in a code page to UTF-16 (here because only
// the music loader needs it). CP_ACP is the game's code page, 932.
constexpr UINT CP_ACP = 0;
// sourceLength -1: up to and with the terminating zero. Returns the WCHARs
// written (or needed, when destLength is 0); 0 when they do not fit.
int MultiByteToWideChar(UINT codePage, DWORD flags, const char* source, int sourceLength, WCHAR* dest,
                        int destLength);
