// The mmio layer under the WAV reader: the first bytes choose a buffer size
// and a sequence of calls, the rest is the file.
#include <cstring>
#include <vector>

#include "fuzz_file.h"
#include "platform/win32/mmio.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 9) return 0;
  const uint8_t* ops = data;
  const std::string path = FuzzFile(data + 8, size - 8);
  MMIOINFO open{};
  open.cchBuffer = 1 + ops[0] % 64;  // small buffers cross their ends often
  HMMIO file = mmioOpenA(path.c_str(), ops[0] & 0x80 ? nullptr : &open, MMIO_READ | MMIO_ALLOCBUF);
  if (!file) return 0;
  MMCKINFO chunks[4]{};
  int depth = 0;
  char buffer[300];
  for (int k = 1; k < 8; k++) {
    const uint8_t op = ops[k];
    switch (op & 7) {
      case 0:
      case 1: {  // descend, plain or searching, inside the chunk above when there is one
        MMCKINFO child{};
        child.ckid = op & 8 ? mmioFOURCC('d', 'a', 't', 'a') : mmioFOURCC('f', 'm', 't', ' ');
        child.fccType = mmioFOURCC('W', 'A', 'V', 'E');
        const UINT flags = (op & 7) == 0 ? 0 : op & 16 ? MMIO_FINDRIFF : MMIO_FINDCHUNK;
        if (mmioDescend(file, &child, depth > 0 ? &chunks[depth - 1] : nullptr, flags) == MMSYSERR_NOERROR && depth < 4)
          chunks[depth++] = child;
        break;
      }
      case 2:
        if (depth > 0) mmioAscend(file, &chunks[--depth], 0);
        break;
      case 3: {
        const LONG got = mmioRead(file, buffer, op >> 3);
        if (got > (op >> 3)) std::abort();
        break;
      }
      case 4:
        mmioSeek(file, static_cast<LONG>(op >> 3) * 7 - 20, (op >> 6) % 3);
        break;
      default: {  // the caller's own reading from the buffer, as ReadWaveData does it
        MMIOINFO info{};
        if (mmioGetInfo(file, &info, 0) != MMSYSERR_NOERROR) break;
        for (int i = 0; i < (op >> 3) * 3; i++) {
          if (info.pchNext == info.pchEndRead) {
            if (mmioAdvance(file, &info, MMIO_READ) != MMSYSERR_NOERROR || info.pchNext == info.pchEndRead) break;
          }
          buffer[i % sizeof buffer] = *info.pchNext++;
        }
        mmioSetInfo(file, &info, 0);
      }
    }
  }
  mmioClose(file, 0);
  return 0;
}
