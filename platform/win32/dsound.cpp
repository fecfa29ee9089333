// DirectSound over the shared audio output. A buffer keeps its bytes in the
// format it was made with; when they are unlocked, they are converted once
// into the output's format, and that copy is what is mixed.
#include <algorithm>
#include <cstdio>
#include <new>

#include "platform/audio/mixer.h"
#include "platform/backend.h"
#include "platform/win32/dsound.h"
#include "platform/win32/records.h"

namespace {

const WAVEFORMATEX* FormatOf(const DSBuffer* b) {
  return reinterpret_cast<const WAVEFORMATEX*>(b->format.data());
}

// PCM of 8 or 16 bits, one or two channels, at a rate that converts.
bool Playable(const WAVEFORMATEX& f) {
  return f.wFormatTag == WAVE_FORMAT_PCM && (f.nChannels == 1 || f.nChannels == 2) &&
         (f.wBitsPerSample == 8 || f.wBitsPerSample == 16) && f.nSamplesPerSec >= 1000 &&
         f.nSamplesPerSec <= 384000 && f.nBlockAlign == f.nChannels * f.wBitsPerSample / 8;
}

// Longer than this (six minutes and more) is no sound effect: a broken
// file's size field is not allowed to fill the memory with its copy.
constexpr uint64_t LongestSoundFrames = uint64_t{AudioRate} * 380;

// The buffer's bytes in the output's format; empty when they cannot be had.
std::vector<int16_t> ConvertToOutput(const WAVEFORMATEX& f, const std::vector<uint8_t>& bytes) {
  const size_t whole = bytes.size() / f.nBlockAlign * f.nBlockAlign;
  if (whole == 0) return {};
  if (uint64_t{whole} / f.nBlockAlign * AudioRate / f.nSamplesPerSec > LongestSoundFrames) {
    std::fprintf(stderr, "twinworlds: a sound of %zu bytes is too long to be played\n", whole);
    return {};
  }
  const PcmFormat format{static_cast<int>(f.nSamplesPerSec), f.nChannels, f.wBitsPerSample, f.nBlockAlign};
  return ConvertPcm(format, bytes.data(), whole);
}

void Destroy(DSBuffer* b) {
  RemoveVoice(&b->voice);
  delete b;
}

}  // namespace

HRESULT DirectSoundCreate(const GUID*, DirectSound** out, void*) {
  if (!out) return DSERR_INVALIDPARAM;
  // Without an output the device still exists: buffers are made and played
  // as usual, and are simply never heard.
  *out = new DirectSound{1, AcquireAudioOutput(), false, {}};
  return DS_OK;
}

HRESULT SetCooperativeLevel(DirectSound* ds, HWND, DWORD level) {
  if (!ds || level < DSSCL_NORMAL || level > 3) return DSERR_INVALIDPARAM;
  return DS_OK;
}

HRESULT CreateSoundBuffer(DirectSound* ds, const DSBUFFERDESC* desc, DSBuffer** out, void*) {
  if (!out) return DSERR_INVALIDPARAM;
  *out = nullptr;
  if (!ds || !desc) return DSERR_INVALIDPARAM;
  if (desc->dwFlags & DSBCAPS_PRIMARYBUFFER) {
    if (desc->dwBufferBytes != 0 || desc->lpwfxFormat || ds->primaryMade) return DSERR_INVALIDPARAM;
    auto* b = new DSBuffer{};
    b->refs = 1;
    b->owner = ds;
    b->primary = true;
    b->flags = desc->dwFlags;
    ds->primaryMade = true;
    ds->buffers.push_back(b);
    *out = b;
    return DS_OK;
  }
  const WAVEFORMATEX* f = desc->lpwfxFormat;
  if (!f || desc->dwBufferBytes < DSBSIZE_MIN || desc->dwBufferBytes > DSBSIZE_MAX || f->nBlockAlign == 0)
    return DSERR_INVALIDPARAM;
  auto* b = new (std::nothrow) DSBuffer{};
  if (!b) return DSERR_OUTOFMEMORY;
  try {
    const size_t formatSize = sizeof(WAVEFORMATEX) + (f->wFormatTag == WAVE_FORMAT_PCM ? 0 : f->cbSize);
    const auto* raw = reinterpret_cast<const uint8_t*>(f);
    b->format.assign(raw, raw + formatSize);
    b->bytes.assign(desc->dwBufferBytes, 0);
  } catch (const std::bad_alloc&) {
    delete b;
    return DSERR_OUTOFMEMORY;
  }
  b->refs = 1;
  b->owner = ds;
  b->flags = desc->dwFlags;
  if (!Playable(*f) && AudioOutputExists())
    std::fprintf(stderr, "twinworlds: a sound in format %u (%u channels, %u bits, %u Hz) cannot be played\n",
                 f->wFormatTag, f->nChannels, f->wBitsPerSample, static_cast<unsigned>(f->nSamplesPerSec));
  ds->buffers.push_back(b);
  AddVoice(&b->voice);
  *out = b;
  return DS_OK;
}

HRESULT SetFormat(DSBuffer* buffer, const WAVEFORMATEX* format) {
  if (!buffer || !format) return DSERR_INVALIDPARAM;
  if (!buffer->primary) return DSERR_INVALIDCALL;
  // The output keeps its one format; the primary buffer only records it.
  const auto* raw = reinterpret_cast<const uint8_t*>(format);
  buffer->format.assign(raw, raw + sizeof(WAVEFORMATEX));
  return DS_OK;
}

HRESULT Lock(DSBuffer* buffer, DWORD offset, DWORD bytes, void** region1, DWORD* length1, void** region2,
             DWORD* length2, DWORD flags) {
  if (!buffer || !region1 || !length1) return DSERR_INVALIDPARAM;
  if (buffer->primary) return DSERR_INVALIDCALL;
  const DWORD size = static_cast<DWORD>(buffer->bytes.size());
  if (flags & DSBLOCK_ENTIREBUFFER) bytes = size;
  if (offset >= size || bytes == 0 || bytes > size) return DSERR_INVALIDPARAM;
  *region1 = buffer->bytes.data() + offset;
  *length1 = std::min(bytes, size - offset);
  const DWORD rest = bytes - *length1;
  if (region2) *region2 = rest ? buffer->bytes.data() : nullptr;
  if (length2) *length2 = rest;
  if (rest && !region2) return DSERR_INVALIDPARAM;
  buffer->lockCount++;
  return DS_OK;
}

HRESULT Unlock(DSBuffer* buffer, void*, DWORD, void*, DWORD) {
  if (!buffer || buffer->primary || buffer->lockCount == 0) return DSERR_INVALIDCALL;
  buffer->lockCount--;
  // Converted once, when filled; with no output nothing would hear it.
  if (!AudioOutputExists() || !Playable(*FormatOf(buffer))) return DS_OK;
  std::vector<int16_t> frames = ConvertToOutput(*FormatOf(buffer), buffer->bytes);
  LockAudio();
  buffer->voice.frames.swap(frames);
  if (buffer->voice.position * AudioChannels >= buffer->voice.frames.size()) buffer->voice.position = 0;
  UnlockAudio();
  return DS_OK;
}

HRESULT Restore(DSBuffer* buffer) { return buffer ? DS_OK : DSERR_INVALIDPARAM; }

HRESULT Play(DSBuffer* buffer, DWORD, DWORD, DWORD flags) {
  if (!buffer) return DSERR_INVALIDPARAM;
  if (buffer->primary) return DS_OK;
  LockAudio();
  // A buffer already playing goes on from where it is.
  buffer->voice.playing = true;
  buffer->voice.looping = flags & DSBPLAY_LOOPING;
  UnlockAudio();
  return DS_OK;
}

HRESULT Stop(DSBuffer* buffer) {
  if (!buffer) return DSERR_INVALIDPARAM;
  LockAudio();
  buffer->voice.playing = false;
  UnlockAudio();
  return DS_OK;
}

HRESULT SetCurrentPosition(DSBuffer* buffer, DWORD offset) {
  if (!buffer) return DSERR_INVALIDPARAM;
  if (buffer->primary) return DSERR_INVALIDCALL;
  if (offset >= buffer->bytes.size()) return DSERR_INVALIDPARAM;
  const WAVEFORMATEX* f = FormatOf(buffer);
  const uint64_t sourceFrame = offset / f->nBlockAlign;
  const uint64_t frame = f->nSamplesPerSec ? sourceFrame * AudioRate / f->nSamplesPerSec : 0;
  LockAudio();
  buffer->voice.position = static_cast<size_t>(frame);
  UnlockAudio();
  return DS_OK;
}

DWORD Release(DSBuffer* buffer) {
  if (!buffer) return 0;
  if (--buffer->refs > 0) return static_cast<DWORD>(buffer->refs);
  if (buffer->owner) {
    auto& list = buffer->owner->buffers;
    list.erase(std::remove(list.begin(), list.end(), buffer), list.end());
  }
  Destroy(buffer);
  return 0;
}

DWORD Release(DirectSound* ds) {
  if (!ds) return 0;
  if (--ds->refs > 0) return static_cast<DWORD>(ds->refs);
  for (DSBuffer* b : ds->buffers) Destroy(b);
  ds->buffers.clear();
  if (ds->holdsOutput) ReleaseAudioOutput();
  delete ds;
  return 0;
}
