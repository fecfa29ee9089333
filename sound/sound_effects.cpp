// The sound device and the bank of effect buffers: made, filled from the
// WAV files, played, and released.
#include "sound/sound_effects.h"

#include "sound/wave_reader.h"

DirectSound* SoundDevice;
DSBuffer* PrimarySoundBuffer;
DSBuffer* SeTest;
DSBuffer* SeCoin;
DSBuffer* SeFlowerAttack;
DSBuffer* SeExplode;
DSBuffer* SeOk;
DSBuffer* SeLvup;
DSBuffer* SeNo;
DSBuffer* SeHit;
DSBuffer* SeGara;
DSBuffer* SeTestSpare;

DSBuffer** const SoundBank[SoundBankSize] = {&SeTest, &SeCoin, &SeFlowerAttack, &SeExplode, &SeOk,
                                             &SeLvup, &SeNo,   &SeHit,          &SeGara,    &SeTestSpare};
const char* const SoundBankNames[SoundBankSize] = {"SeTest", "SeCoin", "SeFlowerAttack", "SeExplode", "SeOk",
                                                   "SeLvup", "SeNo",   "SeHit",          "SeGara",    "SeTestSpare"};
uint32_t SoundPlayCounts[SoundBankSize];

namespace {

// Every effect buffer: frequency, pan and volume controls (never changed),
// heard when the window is not in front, accurate play position.
constexpr DWORD EffectBufferFlags = DSBCAPS_CTRLFREQUENCY | DSBCAPS_CTRLPAN | DSBCAPS_CTRLVOLUME |
                                    DSBCAPS_GLOBALFOCUS | DSBCAPS_GETCURRENTPOSITION2;

}  // namespace

void CreateSoundObjects(HWND window) {
  DirectSoundCreate(nullptr, &SoundDevice, nullptr);
  SetCooperativeLevel(SoundDevice, window, DSSCL_PRIORITY);

  DSBUFFERDESC primary{};
  primary.dwSize = sizeof primary;
  primary.dwFlags = DSBCAPS_PRIMARYBUFFER | DSBCAPS_CTRLPAN | DSBCAPS_CTRLVOLUME;
  primary.dwBufferBytes = 0;
  primary.lpwfxFormat = nullptr;
  CreateSoundBuffer(SoundDevice, &primary, &PrimarySoundBuffer, nullptr);

  WAVEFORMATEX format{};
  format.wFormatTag = WAVE_FORMAT_PCM;
  format.nChannels = 2;
  format.nSamplesPerSec = 44100;
  format.nAvgBytesPerSec = 176400;
  format.nBlockAlign = 4;
  format.wBitsPerSample = 16;
  format.cbSize = 0;
  SetFormat(PrimarySoundBuffer, &format);
}

void LoadSound(DSBuffer** buffer, const char* fileName) {
  WaveReader reader{};
  if (FAILED(OpenWave(&reader, fileName))) {
    CloseWave(&reader);
    return;
  }

  DSBUFFERDESC desc{};
  desc.dwSize = sizeof desc;
  desc.dwFlags = EffectBufferFlags;
  desc.dwBufferBytes = reader.dataChunk.cksize;
  desc.lpwfxFormat = reader.format;
  if (FAILED(CreateSoundBuffer(SoundDevice, &desc, buffer, nullptr))) {
    CloseWave(&reader);
    return;
  }

  void* region1 = nullptr;
  void* region2 = nullptr;
  DWORD length1 = 0, length2 = 0;
  HRESULT hr = Lock(*buffer, 0, reader.dataChunk.cksize, &region1, &length1, &region2, &length2, 0);
  if (hr == DSERR_BUFFERLOST) {
    Restore(*buffer);
    hr = Lock(*buffer, 0, reader.dataChunk.cksize, &region1, &length1, &region2, &length2, 0);
  }
  if (SUCCEEDED(hr)) {
    UINT read = 0;
    ReadWaveData(&reader, length1, static_cast<BYTE*>(region1), &read);
    if (region2) ReadWaveData(&reader, length2, static_cast<BYTE*>(region2), &read);
    Unlock(*buffer, region1, length1, region2, length2);
  }
  CloseWave(&reader);
}

void LoadAllSounds() {
  LoadSound(&SeTest, "se\\test.wav");
  LoadSound(&SeCoin, "se\\coin01.wav");
  LoadSound(&SeFlowerAttack, "se\\FlowerAttack.wav");
  LoadSound(&SeExplode, "se\\Explode.wav");
  LoadSound(&SeOk, "se\\OK.wav");
  LoadSound(&SeLvup, "se\\Lvup.wav");
  LoadSound(&SeNo, "se\\No.wav");
  LoadSound(&SeHit, "se\\Hit.wav");
  LoadSound(&SeGara, "se\\gara.wav");
  LoadSound(&SeTestSpare, "se\\test.wav");
}

void PlaySoundEffect(DSBuffer* const& buffer) {
  for (int i = 0; i < SoundBankSize; i++)
    if (&buffer == SoundBank[i]) SoundPlayCounts[i]++;
  if (!buffer) return;
  Stop(buffer);
  SetCurrentPosition(buffer, 0);
  Play(buffer, 0, 0, 0);
}

void ReleaseSoundObjects() {
  for (DSBuffer** buffer : SoundBank) {
    if (*buffer) Release(*buffer);
    *buffer = nullptr;
  }
  if (SoundDevice) Release(SoundDevice);
  SoundDevice = nullptr;
  PrimarySoundBuffer = nullptr;  // went with the device
}
