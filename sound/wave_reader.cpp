// A WAV file walked chunk by chunk through mmio: its format, then its data.
#include "sound/wave_reader.h"

#include <cstdlib>
#include <cstring>

namespace {

void FreeFormat(WAVEFORMATEX** format) {
  std::free(*format);
  *format = nullptr;
}

}  // namespace

HRESULT OpenWave(WaveReader* reader, const char* fileName) {
  if (reader->format) FreeFormat(&reader->format);
  HMMIO file = mmioOpenA(fileName, nullptr, MMIO_ALLOCBUF | MMIO_READ);
  if (!file) return E_FAIL;
  const HRESULT hr = ReadWaveFormat(file, &reader->riffChunk, &reader->format);
  if (FAILED(hr)) {
    mmioClose(file, 0);
    return hr;
  }
  reader->file = file;
  return SeekWaveData(reader);
}

HRESULT ReadWaveFormat(HMMIO file, MMCKINFO* riffChunk, WAVEFORMATEX** format) {
  *format = nullptr;
  if (mmioDescend(file, riffChunk, nullptr, 0) != MMSYSERR_NOERROR) return E_FAIL;
  if (riffChunk->ckid != FOURCC_RIFF || riffChunk->fccType != mmioFOURCC('W', 'A', 'V', 'E')) return E_FAIL;

  MMCKINFO formatChunk{};
  formatChunk.ckid = mmioFOURCC('f', 'm', 't', ' ');
  if (mmioDescend(file, &formatChunk, riffChunk, MMIO_FINDCHUNK) != MMSYSERR_NOERROR) return E_FAIL;
  if (formatChunk.cksize < sizeof(PCMWAVEFORMAT)) return E_FAIL;

  PCMWAVEFORMAT pcm;
  if (mmioRead(file, reinterpret_cast<char*>(&pcm), sizeof pcm) != static_cast<LONG>(sizeof pcm)) return E_FAIL;

  if (pcm.wf.wFormatTag == WAVE_FORMAT_PCM) {
    *format = static_cast<WAVEFORMATEX*>(std::malloc(sizeof(WAVEFORMATEX)));
    if (!*format) return E_FAIL;
    std::memcpy(*format, &pcm, sizeof pcm);
    (*format)->cbSize = 0;
  } else {
    // Other formats carry a count of extra bytes, kept after the 18.
    WORD extra = 0;
    if (mmioRead(file, reinterpret_cast<char*>(&extra), sizeof extra) != static_cast<LONG>(sizeof extra)) return E_FAIL;
    *format = static_cast<WAVEFORMATEX*>(std::malloc(sizeof(WAVEFORMATEX) + extra));
    if (!*format) return E_FAIL;
    std::memcpy(*format, &pcm, sizeof pcm);
    (*format)->cbSize = extra;
    if (mmioRead(file, reinterpret_cast<char*>(*format) + sizeof(WAVEFORMATEX), extra) != extra) {
      FreeFormat(format);
      return E_FAIL;
    }
  }

  if (mmioAscend(file, &formatChunk, 0) != MMSYSERR_NOERROR) {
    FreeFormat(format);
    return E_FAIL;
  }
  return S_OK;
}

HRESULT SeekWaveData(WaveReader* reader) {
  // From just after "WAVE" again, so a "data" chunk before "fmt " is found.
  if (mmioSeek(reader->file, static_cast<LONG>(reader->riffChunk.dwDataOffset + sizeof(FOURCC)), SEEK_SET) == -1)
    return E_FAIL;
  reader->dataChunk.ckid = mmioFOURCC('d', 'a', 't', 'a');
  if (mmioDescend(reader->file, &reader->dataChunk, &reader->riffChunk, MMIO_FINDCHUNK) != MMSYSERR_NOERROR)
    return E_FAIL;
  // The header's size is a claim: the sound is never larger than the data
  // actually in the file, whatever buffer the claim would ask for.
  const LONG end = mmioSeek(reader->file, 0, SEEK_END);
  if (end < 0 || mmioSeek(reader->file, static_cast<LONG>(reader->dataChunk.dwDataOffset), SEEK_SET) < 0)
    return E_FAIL;
  const DWORD present = static_cast<DWORD>(end) - reader->dataChunk.dwDataOffset;
  if (reader->dataChunk.cksize > present) reader->dataChunk.cksize = present;
  return S_OK;
}

HRESULT ReadWaveData(WaveReader* reader, UINT count, BYTE* destination, UINT* countRead) {
  *countRead = 0;
  MMIOINFO info;
  if (mmioGetInfo(reader->file, &info, 0) != MMSYSERR_NOERROR) return E_FAIL;

  if (count > reader->dataChunk.cksize) count = reader->dataChunk.cksize;
  reader->dataChunk.cksize -= count;

  // Straight out of the file's buffer, refilled whenever it runs dry.
  for (UINT i = 0; i < count; i++) {
    if (info.pchNext == info.pchEndRead) {
      if (mmioAdvance(reader->file, &info, MMIO_READ) != MMSYSERR_NOERROR) return E_FAIL;
      if (info.pchNext == info.pchEndRead) return E_FAIL;  // the file ended first
    }
    destination[i] = static_cast<BYTE>(*info.pchNext++);
  }

  if (mmioSetInfo(reader->file, &info, 0) != MMSYSERR_NOERROR) return E_FAIL;
  *countRead = count;
  return S_OK;
}

void CloseWave(WaveReader* reader) {
  if (reader->file) mmioClose(reader->file, 0);
  reader->file = nullptr;
  if (reader->format) FreeFormat(&reader->format);
}
