// Buffered reading of RIFF files. Only reading is needed: a file is opened
// with a buffer of its own, and the offset of what the caller has consumed
// is always the buffer's offset plus how far into it the caller got.
#include "platform/win32/mmio.h"

#include <algorithm>
#include <cstring>
#include <vector>

struct MmioFile {
  FILE* file;
  std::vector<char> buffer;
  LONG bufferOffset;  // file offset of buffer[0]
  LONG filled;        // bytes of the file in the buffer
  LONG next;          // index of the next byte to hand out
};

namespace {

LONG FileSize(MmioFile* m) {
  if (std::fseek(m->file, 0, SEEK_END) != 0) return -1;
  return static_cast<LONG>(std::ftell(m->file));
}

// Fills the buffer from `offset` on; false only when the disk fails.
bool FillFrom(MmioFile* m, LONG offset) {
  m->bufferOffset = offset;
  m->next = 0;
  m->filled = 0;
  if (std::fseek(m->file, offset, SEEK_SET) != 0) return false;
  const size_t got = std::fread(m->buffer.data(), 1, m->buffer.size(), m->file);
  if (got < m->buffer.size() && std::ferror(m->file)) return false;
  m->filled = static_cast<LONG>(got);
  return true;
}

LONG Offset(const MmioFile* m) { return m->bufferOffset + m->next; }

bool ReadDword(MmioFile* m, DWORD* out) {
  unsigned char b[4];
  if (mmioRead(m, reinterpret_cast<char*>(b), 4) != 4) return false;
  *out = static_cast<DWORD>(b[0]) | static_cast<DWORD>(b[1]) << 8 | static_cast<DWORD>(b[2]) << 16 |
         static_cast<DWORD>(b[3]) << 24;
  return true;
}

}  // namespace

HMMIO mmioOpenA(const char* name, MMIOINFO* info, DWORD flags) {
  if (info) info->wErrorRet = 0;
  // Reading is all the game does; anything else is refused.
  if (!name || (flags & (MMIO_WRITE | MMIO_READWRITE))) {
    if (info) info->wErrorRet = MMSYSERR_INVALPARAM;
    return nullptr;
  }
  FILE* f = OpenDataFile(name, "rb");
  if (!f) {
    if (info) info->wErrorRet = MMIOERR_CANNOTREAD;
    return nullptr;
  }
  // Without MMIO_ALLOCBUF Windows reads straight from the disk; a buffer
  // behaves the same to the caller, so one is always kept.
  LONG size = MMIO_DEFAULTBUFFER;
  if (info && info->cchBuffer > 0) size = info->cchBuffer;
  auto* m = new MmioFile{f, std::vector<char>(static_cast<size_t>(size)), 0, 0, 0};
  return m;
}

MMRESULT mmioClose(HMMIO file, UINT) {
  if (!file) return MMSYSERR_INVALHANDLE;
  std::fclose(file->file);
  delete file;
  return MMSYSERR_NOERROR;
}

LONG mmioRead(HMMIO file, char* out, LONG count) {
  if (!file || count < 0 || (count > 0 && !out)) return -1;
  LONG done = 0;
  while (done < count) {
    if (file->next >= file->filled) {
      if (!FillFrom(file, Offset(file))) return -1;
      if (file->filled == 0) break;  // end of file
    }
    const LONG take = std::min(count - done, file->filled - file->next);
    std::memcpy(out + done, file->buffer.data() + file->next, static_cast<size_t>(take));
    file->next += take;
    done += take;
  }
  return done;
}

LONG mmioSeek(HMMIO file, LONG offset, int origin) {
  if (!file) return -1;
  int64_t target;
  switch (origin) {
    case SEEK_SET: target = offset; break;
    case SEEK_CUR: target = static_cast<int64_t>(Offset(file)) + offset; break;
    case SEEK_END: {
      const LONG size = FileSize(file);
      if (size < 0) return -1;
      target = static_cast<int64_t>(size) + offset;
      break;
    }
    default: return -1;
  }
  if (target < 0 || target > INT32_MAX) return -1;
  const LONG t = static_cast<LONG>(target);
  if (t >= file->bufferOffset && t <= file->bufferOffset + file->filled) {
    file->next = t - file->bufferOffset;
  } else {
    // Read lazily from the new place when the caller next reads.
    file->bufferOffset = t;
    file->filled = 0;
    file->next = 0;
  }
  return t;
}

MMRESULT mmioDescend(HMMIO file, MMCKINFO* chunk, const MMCKINFO* parent, UINT flags) {
  if (!file || !chunk) return MMSYSERR_INVALPARAM;
  const int64_t parentEnd = parent ? static_cast<int64_t>(parent->dwDataOffset) + parent->cksize : INT64_MAX;
  FOURCC wantId = chunk->ckid;
  const FOURCC wantType = chunk->fccType;
  if (flags & MMIO_FINDRIFF) wantId = FOURCC_RIFF;
  if (flags & MMIO_FINDLIST) wantId = FOURCC_LIST;
  const bool searching = flags & (MMIO_FINDCHUNK | MMIO_FINDRIFF | MMIO_FINDLIST);
  while (true) {
    const LONG start = Offset(file);
    if (start + int64_t{8} > parentEnd) return MMIOERR_CHUNKNOTFOUND;
    MMCKINFO found{};
    if (!ReadDword(file, &found.ckid) || !ReadDword(file, &found.cksize)) return MMIOERR_CHUNKNOTFOUND;
    found.dwDataOffset = static_cast<DWORD>(start + 8);
    const bool container = found.ckid == FOURCC_RIFF || found.ckid == FOURCC_LIST;
    if (container && !ReadDword(file, &found.fccType)) return MMIOERR_CHUNKNOTFOUND;
    bool match = !searching || found.ckid == wantId;
    if (match && (flags & (MMIO_FINDRIFF | MMIO_FINDLIST))) match = found.fccType == wantType;
    if (match) {
      *chunk = found;
      return MMSYSERR_NOERROR;
    }
    // Chunks are padded to an even size.
    const int64_t after = found.dwDataOffset + ((static_cast<int64_t>(found.cksize) + 1) & ~int64_t{1});
    if (after > INT32_MAX || mmioSeek(file, static_cast<LONG>(after), SEEK_SET) < 0) return MMIOERR_CHUNKNOTFOUND;
  }
}

MMRESULT mmioAscend(HMMIO file, MMCKINFO* chunk, UINT) {
  if (!file || !chunk) return MMSYSERR_INVALPARAM;
  const int64_t after = chunk->dwDataOffset + ((static_cast<int64_t>(chunk->cksize) + 1) & ~int64_t{1});
  if (after > INT32_MAX || mmioSeek(file, static_cast<LONG>(after), SEEK_SET) < 0) return MMIOERR_CANNOTSEEK;
  return MMSYSERR_NOERROR;
}

MMRESULT mmioGetInfo(HMMIO file, MMIOINFO* info, UINT) {
  if (!file || !info) return MMSYSERR_INVALPARAM;
  *info = MMIOINFO{};
  info->dwFlags = MMIO_READ | MMIO_ALLOCBUF;
  info->cchBuffer = static_cast<LONG>(file->buffer.size());
  info->pchBuffer = file->buffer.data();
  info->pchNext = file->buffer.data() + file->next;
  info->pchEndRead = file->buffer.data() + file->filled;
  info->pchEndWrite = file->buffer.data() + file->buffer.size();
  info->lBufOffset = file->bufferOffset;
  info->lDiskOffset = file->bufferOffset + file->filled;
  info->hmmio = file;
  return MMSYSERR_NOERROR;
}

MMRESULT mmioSetInfo(HMMIO file, const MMIOINFO* info, UINT) {
  if (!file || !info || info->pchBuffer != file->buffer.data()) return MMSYSERR_INVALPARAM;
  const LONG next = static_cast<LONG>(info->pchNext - info->pchBuffer);
  if (next < 0 || next > file->filled) return MMSYSERR_INVALPARAM;
  file->next = next;
  return MMSYSERR_NOERROR;
}

MMRESULT mmioAdvance(HMMIO file, MMIOINFO* info, UINT flags) {
  if (!file) return MMSYSERR_INVALHANDLE;
  if (flags & MMIO_WRITE) return MMSYSERR_INVALPARAM;
  // The refill starts where the caller's own reading got to.
  LONG from = Offset(file);
  if (info) {
    if (info->pchBuffer != file->buffer.data()) return MMSYSERR_INVALPARAM;
    from = file->bufferOffset + static_cast<LONG>(info->pchNext - info->pchBuffer);
  }
  if (!FillFrom(file, from)) return MMIOERR_CANNOTREAD;
  if (info) {
    info->pchNext = file->buffer.data();
    info->pchEndRead = file->buffer.data() + file->filled;
    info->lBufOffset = file->bufferOffset;
    info->lDiskOffset = file->bufferOffset + file->filled;
  }
  return MMSYSERR_NOERROR;
}
