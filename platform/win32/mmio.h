// The multimedia file functions: buffered reading of RIFF files, chunk by
// chunk, with direct access to the read buffer.
#pragma once

#include "platform/win32/win32.h"

using FOURCC = DWORD;
using MMRESULT = UINT;

struct MmioFile;
using HMMIO = MmioFile*;

constexpr FOURCC mmioFOURCC(char a, char b, char c, char d) {
  return static_cast<FOURCC>(static_cast<BYTE>(a)) | static_cast<FOURCC>(static_cast<BYTE>(b)) << 8 |
         static_cast<FOURCC>(static_cast<BYTE>(c)) << 16 | static_cast<FOURCC>(static_cast<BYTE>(d)) << 24;
}
constexpr FOURCC FOURCC_RIFF = mmioFOURCC('R', 'I', 'F', 'F');
constexpr FOURCC FOURCC_LIST = mmioFOURCC('L', 'I', 'S', 'T');

struct MMCKINFO {
  FOURCC ckid;
  DWORD cksize;
  FOURCC fccType;
  DWORD dwDataOffset;  // first byte of the chunk's data (of the form type, for RIFF and LIST)
  DWORD dwFlags;
};

struct MMIOINFO {
  DWORD dwFlags;
  FOURCC fccIOProc;
  void* pIOProc;
  UINT wErrorRet;
  void* htask;
  LONG cchBuffer;
  char* pchBuffer;
  char* pchNext;      // the next byte to read or write
  char* pchEndRead;   // one past the last byte read into the buffer
  char* pchEndWrite;  // one past the last byte that may be written
  LONG lBufOffset;    // the file offset of the buffer's first byte
  LONG lDiskOffset;   // the file offset the next disk read starts at
  DWORD adwInfo[3];
  DWORD dwReserved1;
  DWORD dwReserved2;
  HMMIO hmmio;
};

constexpr DWORD MMIO_READ = 0x0;
constexpr DWORD MMIO_WRITE = 0x1;
constexpr DWORD MMIO_READWRITE = 0x2;
constexpr DWORD MMIO_ALLOCBUF = 0x10000;
constexpr UINT MMIO_FINDCHUNK = 0x10;
constexpr UINT MMIO_FINDRIFF = 0x20;
constexpr UINT MMIO_FINDLIST = 0x40;
constexpr LONG MMIO_DEFAULTBUFFER = 8192;

constexpr MMRESULT MMSYSERR_NOERROR = 0;
constexpr MMRESULT MMSYSERR_INVALHANDLE = 5;
constexpr MMRESULT MMSYSERR_INVALPARAM = 11;
constexpr MMRESULT MMIOERR_CANNOTREAD = 259;
constexpr MMRESULT MMIOERR_CANNOTSEEK = 261;
constexpr MMRESULT MMIOERR_CHUNKNOTFOUND = 265;

// name is the game's kind ("se\\x.wav"), found as OpenDataFile finds it.
HMMIO mmioOpenA(const char* name, MMIOINFO* info, DWORD flags);
MMRESULT mmioClose(HMMIO file, UINT flags);
// Returns the bytes read (0 at the end of the file), or -1.
LONG mmioRead(HMMIO file, char* out, LONG count);
// origin: SEEK_SET, SEEK_CUR or SEEK_END. Returns the new offset, or -1.
LONG mmioSeek(HMMIO file, LONG offset, int origin);
// Without a flag, takes the chunk that starts at the current offset; with
// MMIO_FINDCHUNK (or MMIO_FINDRIFF, MMIO_FINDLIST) reads on from there, chunk
// by chunk, to the first one that matches, never past the parent's end.
// Leaves the file at the chunk's data (after the form type of RIFF or LIST).
MMRESULT mmioDescend(HMMIO file, MMCKINFO* chunk, const MMCKINFO* parent, UINT flags);
// Leaves the file at the byte after the chunk (padded to an even size).
MMRESULT mmioAscend(HMMIO file, MMCKINFO* chunk, UINT flags);
// The buffer's state, for reading straight from it; mmioSetInfo hands back
// how far the caller got, mmioAdvance refills it from there.
MMRESULT mmioGetInfo(HMMIO file, MMIOINFO* info, UINT flags);
MMRESULT mmioSetInfo(HMMIO file, const MMIOINFO* info, UINT flags);
MMRESULT mmioAdvance(HMMIO file, MMIOINFO* info, UINT flags);
