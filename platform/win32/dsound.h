// The DirectSound the game uses: one device, a primary buffer whose format is
// set and never played, and static secondary buffers, each filled once
// through Lock and Unlock and then played once at a time.
#pragma once

#include "platform/win32/win32.h"

struct GUID {
  uint32_t Data1;
  uint16_t Data2;
  uint16_t Data3;
  uint8_t Data4[8];
};
inline bool operator==(const GUID& a, const GUID& b) {
  if (a.Data1 != b.Data1 || a.Data2 != b.Data2 || a.Data3 != b.Data3) return false;
  for (int i = 0; i < 8; i++)
    if (a.Data4[i] != b.Data4[i]) return false;
  return true;
}

// The formats are packed as the files and Windows have them: 16 bytes of
// PCM format, 18 of the general one, any extra bytes right after it.
#pragma pack(push, 1)
struct WAVEFORMAT {
  WORD wFormatTag;
  WORD nChannels;
  DWORD nSamplesPerSec;
  DWORD nAvgBytesPerSec;
  WORD nBlockAlign;
};
struct PCMWAVEFORMAT {
  WAVEFORMAT wf;
  WORD wBitsPerSample;
};
struct WAVEFORMATEX {
  WORD wFormatTag;
  WORD nChannels;
  DWORD nSamplesPerSec;
  DWORD nAvgBytesPerSec;
  WORD nBlockAlign;
  WORD wBitsPerSample;
  WORD cbSize;
};
#pragma pack(pop)
static_assert(sizeof(PCMWAVEFORMAT) == 16 && sizeof(WAVEFORMATEX) == 18);

constexpr WORD WAVE_FORMAT_PCM = 1;

struct DirectSound;  // IDirectSound
struct DSBuffer;     // IDirectSoundBuffer

struct DSBUFFERDESC {
  DWORD dwSize;
  DWORD dwFlags;
  DWORD dwBufferBytes;
  DWORD dwReserved;
  WAVEFORMATEX* lpwfxFormat;
  GUID guid3DAlgorithm;
};

constexpr HRESULT DS_OK = 0;
constexpr HRESULT DSERR_INVALIDPARAM = static_cast<HRESULT>(0x80070057u);
constexpr HRESULT DSERR_OUTOFMEMORY = static_cast<HRESULT>(0x8007000Eu);
constexpr HRESULT DSERR_BUFFERLOST = static_cast<HRESULT>(0x88780096u);
constexpr HRESULT DSERR_INVALIDCALL = static_cast<HRESULT>(0x88780032u);

constexpr DWORD DSSCL_NORMAL = 1;
constexpr DWORD DSSCL_PRIORITY = 2;

constexpr DWORD DSBCAPS_PRIMARYBUFFER = 0x1;
constexpr DWORD DSBCAPS_CTRLFREQUENCY = 0x20;
constexpr DWORD DSBCAPS_CTRLPAN = 0x40;
constexpr DWORD DSBCAPS_CTRLVOLUME = 0x80;
constexpr DWORD DSBCAPS_GETCURRENTPOSITION2 = 0x10000;
constexpr DWORD DSBCAPS_GLOBALFOCUS = 0x8000;

constexpr DWORD DSBPLAY_LOOPING = 0x1;
constexpr DWORD DSBLOCK_ENTIREBUFFER = 0x2;

constexpr DWORD DSBSIZE_MIN = 4;
constexpr DWORD DSBSIZE_MAX = 0x0FFFFFFF;

// device: null for the default device.
HRESULT DirectSoundCreate(const GUID* device, DirectSound** out, void* outer);
HRESULT SetCooperativeLevel(DirectSound* ds, HWND window, DWORD level);
HRESULT CreateSoundBuffer(DirectSound* ds, const DSBUFFERDESC* desc, DSBuffer** out, void* outer);
// Primary buffer only: the format the device mixes to.
HRESULT SetFormat(DSBuffer* buffer, const WAVEFORMATEX* format);
// Hands out the bytes from `offset` for `bytes`, as one region, or two when
// the range runs past the end of the buffer and wraps to its start.
HRESULT Lock(DSBuffer* buffer, DWORD offset, DWORD bytes, void** region1, DWORD* length1, void** region2,
             DWORD* length2, DWORD flags);
HRESULT Unlock(DSBuffer* buffer, void* region1, DWORD length1, void* region2, DWORD length2);
HRESULT Restore(DSBuffer* buffer);
HRESULT Play(DSBuffer* buffer, DWORD reserved, DWORD priority, DWORD flags);
HRESULT Stop(DSBuffer* buffer);
// A byte offset in the buffer's own format.
HRESULT SetCurrentPosition(DSBuffer* buffer, DWORD offset);

DWORD Release(DSBuffer* buffer);
// Releasing the device releases whatever buffers it still has.
DWORD Release(DirectSound* ds);
