// The voice rules of the software mixer, driven offline: conversion to the
// output format, restart, several buffers together, saturation.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <vector>

#include "platform/audio/mixer.h"
#include "sound/sound_effects.h"
#include "support/offline_audio.h"
#include "support/platform_records.h"

namespace {

class Mixer : public ::testing::Test {
 protected:
  void SetUp() override {
    SetOfflineAudio(true);
    ASSERT_EQ(DirectSoundCreate(nullptr, &device, nullptr), DS_OK);
  }
  void TearDown() override {
    Release(device);
    SetOfflineAudio(false);
  }

  // A buffer in the given format holding `bytes`, filled through Lock.
  DSBuffer* Make(WORD channels, DWORD rate, WORD bits, const std::vector<uint8_t>& bytes, WORD tag = 1) {
    WAVEFORMATEX f{tag,
                   channels,
                   rate,
                   rate * channels * bits / 8,
                   static_cast<WORD>(channels * bits / 8),
                   bits,
                   0};
    DSBUFFERDESC desc{sizeof(DSBUFFERDESC), DSBCAPS_CTRLVOLUME, static_cast<DWORD>(bytes.size()), 0, &f, {}};
    DSBuffer* b = nullptr;
    EXPECT_EQ(CreateSoundBuffer(device, &desc, &b, nullptr), DS_OK);
    void *p1, *p2;
    DWORD n1, n2;
    EXPECT_EQ(Lock(b, 0, static_cast<DWORD>(bytes.size()), &p1, &n1, &p2, &n2, 0), DS_OK);
    std::memcpy(p1, bytes.data(), n1);
    EXPECT_EQ(p2, nullptr);
    Unlock(b, p1, n1, p2, n2);
    return b;
  }
  // Stereo at the output's rate goes through unchanged, sample for sample.
  DSBuffer* Make16(const std::vector<int16_t>& mono) {
    std::vector<int16_t> stereo;
    for (int16_t v : mono) stereo.insert(stereo.end(), {v, v});
    std::vector<uint8_t> bytes(stereo.size() * 2);
    std::memcpy(bytes.data(), stereo.data(), bytes.size());
    return Make(2, AudioRate, 16, bytes);
  }
  DSBuffer* MakeMono16(const std::vector<int16_t>& mono, DWORD rate) {
    std::vector<uint8_t> bytes(mono.size() * 2);
    std::memcpy(bytes.data(), mono.data(), bytes.size());
    return Make(1, rate, 16, bytes);
  }
  static void Restart(DSBuffer* b) {
    Stop(b);
    SetCurrentPosition(b, 0);
    Play(b, 0, 0, 0);
  }
  static std::vector<int16_t> Mix(int frames) {
    std::vector<int16_t> out(static_cast<size_t>(frames) * 2, 12345);
    MixAudio(out.data(), frames);
    return out;
  }
  static std::vector<int16_t> Ramp(int n) {
    std::vector<int16_t> r(n);
    for (int i = 0; i < n; i++) r[i] = static_cast<int16_t>(i * 10 + 1);
    return r;
  }

  DirectSound* device = nullptr;
};

TEST_F(Mixer, NothingPlayingIsSilence) {
  Make16(std::vector<int16_t>(100, 5000));
  for (int16_t s : Mix(2000)) ASSERT_EQ(s, 0);
}

TEST_F(Mixer, OneShotPlaysOnceOnBothSidesThenStops) {
  DSBuffer* b = Make16(Ramp(300));
  Play(b, 0, 0, 0);
  const std::vector<int16_t> out = Mix(1000);
  for (int i = 0; i < 300; i++) {
    ASSERT_EQ(out[i * 2], i * 10 + 1) << i;
    ASSERT_EQ(out[i * 2 + 1], i * 10 + 1) << i;
  }
  for (int i = 600; i < 2000; i++) ASSERT_EQ(out[i], 0) << i;
  EXPECT_FALSE(BufferPlaying(b));
}

TEST_F(Mixer, LoopingBufferWrapsAcrossBlocks) {
  DSBuffer* b = Make16(Ramp(7));
  Play(b, 0, 0, DSBPLAY_LOOPING);
  const std::vector<int16_t> out = Mix(20);
  for (int i = 0; i < 20; i++) ASSERT_EQ(out[i * 2], (i % 7) * 10 + 1) << i;
}

TEST_F(Mixer, PlayingAgainRestartsInsteadOfDoubling) {
  DSBuffer* b = Make16(Ramp(1000));
  Restart(b);
  Mix(300);
  Restart(b);  // still sounding: back to its start, one voice only
  std::vector<int16_t> out = Mix(300);
  for (int i = 0; i < 300; i++) ASSERT_EQ(out[i * 2], i * 10 + 1) << i;
  // Play without the rewind goes on from where it is.
  Play(b, 0, 0, 0);
  out = Mix(1);
  EXPECT_EQ(out[0], 300 * 10 + 1);
  // Stopped is silent, and stays where it stopped.
  Stop(b);
  for (int16_t s : Mix(100)) ASSERT_EQ(s, 0);
  Play(b, 0, 0, 0);
  EXPECT_EQ(Mix(1)[0], 301 * 10 + 1);
}

TEST_F(Mixer, PlaySoundEffectRestartsTheBankBuffer) {
  SeHit = Make16(Ramp(500));
  PlaySoundEffect(SeHit);
  Mix(200);
  PlaySoundEffect(SeHit);
  EXPECT_EQ(Mix(1)[0], 1);
  SeHit = nullptr;
}

TEST_F(Mixer, DifferentBuffersSoundTogether) {
  DSBuffer* a = Make16(std::vector<int16_t>(100, 1000));
  DSBuffer* b = Make16(std::vector<int16_t>(50, -300));
  Play(a, 0, 0, 0);
  Play(b, 0, 0, 0);
  const std::vector<int16_t> out = Mix(200);
  EXPECT_EQ(out[0], 700);
  EXPECT_EQ(out[49 * 2 + 1], 700);
  EXPECT_EQ(out[50 * 2], 1000);
  EXPECT_EQ(out[100 * 2], 0);
}

TEST_F(Mixer, SumsSaturateInsteadOfWrapping) {
  DSBuffer* a = Make16({30000, -30000, 20000});
  DSBuffer* b = Make16({30000, -30000, 20000});
  DSBuffer* c = Make16({30000, -30000, -20000});
  for (DSBuffer* x : {a, b, c}) Play(x, 0, 0, 0);
  const std::vector<int16_t> out = Mix(3);
  EXPECT_EQ(out[0], 32767);
  EXPECT_EQ(out[2], -32768);
  EXPECT_EQ(out[4], 20000);
}

TEST_F(Mixer, EightBitStereoIsConvertedToSigned16) {
  // Unsigned 8-bit: 0x80 is silence; left loud, right quiet below it.
  std::vector<uint8_t> bytes;
  for (int i = 0; i < 400; i++) {
    bytes.push_back(0x80 + 64);
    bytes.push_back(0x80 - 32);
  }
  DSBuffer* b = Make(2, AudioRate, 8, bytes);
  Play(b, 0, 0, 0);
  const std::vector<int16_t> out = Mix(400);
  EXPECT_NEAR(out[200], 64 * 256, 64);
  EXPECT_NEAR(out[201], -32 * 256, 64);
}

TEST_F(Mixer, OtherRatesAreResampledOnceToTheOutputRate) {
  // A quarter second at 11025 Hz lasts a quarter second at 44100 Hz.
  DSBuffer* b = MakeMono16(std::vector<int16_t>(11025 / 4, 8000), 11025);
  EXPECT_NEAR(static_cast<double>(b->voice.frames.size() / 2), AudioRate / 4.0, 64);
  Play(b, 0, 0, 0);
  const std::vector<int16_t> out = Mix(AudioRate / 2);
  EXPECT_NEAR(out[2 * (AudioRate / 8)], 8000, 200);
  int sounding = 0;
  for (int i = 0; i < AudioRate / 2; i++) sounding += out[i * 2] != 0;
  EXPECT_NEAR(sounding, AudioRate / 4, 64);
  // The position is given in the buffer's own bytes.
  ASSERT_EQ(SetCurrentPosition(b, 2 * 1000), DS_OK);
  EXPECT_EQ(b->voice.position, 4000u);
  EXPECT_EQ(SetCurrentPosition(b, 11025 / 4 * 2), DSERR_INVALIDPARAM);
}

TEST_F(Mixer, UnplayableFormatsStaySilentAndSaySo) {
  testing::internal::CaptureStderr();
  DSBuffer* adpcm = Make(1, 22050, 8, std::vector<uint8_t>(100, 0x77), 2);
  DSBuffer* wide = Make(1, 44100, 24, std::vector<uint8_t>(300, 0x40));
  const std::string said = testing::internal::GetCapturedStderr();
  EXPECT_EQ(std::count(said.begin(), said.end(), '\n'), 2);
  Play(adpcm, 0, 0, 0);
  Play(wide, 0, 0, 0);
  for (int16_t s : Mix(200)) ASSERT_EQ(s, 0);
}

TEST_F(Mixer, LockHandsOutTwoRegionsWhenTheRangeWraps) {
  DSBuffer* b = Make16(std::vector<int16_t>(8, 0));  // 32 bytes
  void *p1, *p2;
  DWORD n1, n2;
  ASSERT_EQ(Lock(b, 28, 8, &p1, &n1, &p2, &n2, 0), DS_OK);
  EXPECT_EQ(n1, 4u);
  EXPECT_EQ(n2, 4u);
  EXPECT_EQ(p2, b->bytes.data());
  Unlock(b, p1, n1, p2, n2);
  EXPECT_EQ(Lock(b, 32, 4, &p1, &n1, &p2, &n2, 0), DSERR_INVALIDPARAM);
  EXPECT_EQ(Lock(b, 0, 33, &p1, &n1, &p2, &n2, 0), DSERR_INVALIDPARAM);
}

TEST_F(Mixer, ReleasedBuffersFallSilent) {
  DSBuffer* a = Make16(std::vector<int16_t>(100, 1000));
  Play(a, 0, 0, 0);
  Release(a);
  for (int16_t s : Mix(50)) ASSERT_EQ(s, 0);
}

}  // namespace
