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

MMRESULT mmioClose(HMMIO m, UINT) {
  if (!m) return MMSYSERR_INVALHANDLE;
  std::fclose(m->file);
  delete m;
  return MMSYSERR_NOERROR;
}

LONG mmioRead(HMMIO m, char* out, LONG count) {
  if (!m || count < 0 || (count > 0 && !out)) return -1;
  LONG done = 0;
  while (done < count) {
    if (m->next >= m->filled) {
      if (!FillFrom(m, Offset(m))) return -1;
      if (m->filled == 0) break;  // end of file
    }
    const LONG take = std::min(count - done, m->filled - m->next);
    std::memcpy(out + done, m->buffer.data() + m->next, static_cast<size_t>(take));
    m->next += take;
    done += take;
  }
  return done;
}

LONG mmioSeek(HMMIO m, LONG offset, int origin) {
  if (!m) return -1;
  int64_t target;
  switch (origin) {
    case SEEK_SET: target = offset; break;
    case SEEK_CUR: target = static_cast<int64_t>(Offset(m)) + offset; break;
    case SEEK_END: {
      const LONG size = FileSize(m);
      if (size < 0) return -1;
      target = static_cast<int64_t>(size) + offset;
      break;
    }
    default: return -1;
  }
  if (target < 0 || target > INT32_MAX) return -1;
  const LONG t = static_cast<LONG>(target);
  if (t >= m->bufferOffset && t <= m->bufferOffset + m->filled) {
    m->next = t - m->bufferOffset;
  } else {
    // Read lazily from the new place when the caller next reads.
    m->bufferOffset = t;
    m->filled = 0;
    m->next = 0;
  }
  return t;
}

MMRESULT mmioDescend(HMMIO m, MMCKINFO* chunk, const MMCKINFO* parent, UINT flags) {
  if (!m || !chunk) return MMSYSERR_INVALPARAM;
  const int64_t parentEnd = parent ? static_cast<int64_t>(parent->dwDataOffset) + parent->cksize : INT64_MAX;
  FOURCC wantId = chunk->ckid;
  const FOURCC wantType = chunk->fccType;
  if (flags & MMIO_FINDRIFF) wantId = FOURCC_RIFF;
  if (flags & MMIO_FINDLIST) wantId = FOURCC_LIST;
  const bool searching = flags & (MMIO_FINDCHUNK | MMIO_FINDRIFF | MMIO_FINDLIST);
  while (true) {
    const LONG start = Offset(m);
    if (start + int64_t{8} > parentEnd) return MMIOERR_CHUNKNOTFOUND;
    MMCKINFO found{};
    if (!ReadDword(m, &found.ckid) || !ReadDword(m, &found.cksize)) return MMIOERR_CHUNKNOTFOUND;
    found.dwDataOffset = static_cast<DWORD>(start + 8);
    const bool container = found.ckid == FOURCC_RIFF || found.ckid == FOURCC_LIST;
    if (container && !ReadDword(m, &found.fccType)) return MMIOERR_CHUNKNOTFOUND;
    bool match = !searching || found.ckid == wantId;
    if (match && (flags & (MMIO_FINDRIFF | MMIO_FINDLIST))) match = found.fccType == wantType;
    if (match) {
      *chunk = found;
      return MMSYSERR_NOERROR;
    }
    // Chunks are padded to an even size.
    const int64_t after = found.dwDataOffset + ((static_cast<int64_t>(found.cksize) + 1) & ~int64_t{1});
    if (after > INT32_MAX || mmioSeek(m, static_cast<LONG>(after), SEEK_SET) < 0) return MMIOERR_CHUNKNOTFOUND;
  }
}

MMRESULT mmioAscend(HMMIO m, MMCKINFO* chunk, UINT) {
  if (!m || !chunk) return MMSYSERR_INVALPARAM;
  const int64_t after = chunk->dwDataOffset + ((static_cast<int64_t>(chunk->cksize) + 1) & ~int64_t{1});
  if (after > INT32_MAX || mmioSeek(m, static_cast<LONG>(after), SEEK_SET) < 0) return MMIOERR_CANNOTSEEK;
  return MMSYSERR_NOERROR;
}

MMRESULT mmioGetInfo(HMMIO m, MMIOINFO* info, UINT) {
  if (!m || !info) return MMSYSERR_INVALPARAM;
  *info = MMIOINFO{};
  info->dwFlags = MMIO_READ | MMIO_ALLOCBUF;
  info->cchBuffer = static_cast<LONG>(m->buffer.size());
  info->pchBuffer = m->buffer.data();
  info->pchNext = m->buffer.data() + m->next;
  info->pchEndRead = m->buffer.data() + m->filled;
  info->pchEndWrite = m->buffer.data() + m->buffer.size();
  info->lBufOffset = m->bufferOffset;
  info->lDiskOffset = m->bufferOffset + m->filled;
  info->hmmio = m;
  return MMSYSERR_NOERROR;
}

MMRESULT mmioSetInfo(HMMIO m, const MMIOINFO* info, UINT) {
  if (!m || !info || info->pchBuffer != m->buffer.data()) return MMSYSERR_INVALPARAM;
  const LONG next = static_cast<LONG>(info->pchNext - info->pchBuffer);
  if (next < 0 || next > m->filled) return MMSYSERR_INVALPARAM;
  m->next = next;
  return MMSYSERR_NOERROR;
}

MMRESULT mmioAdvance(HMMIO m, MMIOINFO* info, UINT flags) {
  if (!m) return MMSYSERR_INVALHANDLE;
  if (flags & MMIO_WRITE) return MMSYSERR_INVALPARAM;
  // The refill starts where the caller's own reading got to.
  LONG from = Offset(m);
  if (info) {
    if (info->pchBuffer != m->buffer.data()) return MMSYSERR_INVALPARAM;
    from = m->bufferOffset + static_cast<LONG>(info->pchNext - info->pchBuffer);
  }
  if (!FillFrom(m, from)) return MMIOERR_CANNOTREAD;
  if (info) {
    info->pchNext = m->buffer.data();
    info->pchEndRead = m->buffer.data() + m->filled;
    info->lBufOffset = m->bufferOffset;
    info->lDiskOffset = m->bufferOffset + m->filled;
  }
  return MMSYSERR_NOERROR;
}
