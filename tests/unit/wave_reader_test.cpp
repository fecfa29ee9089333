// The WAV reader and the mmio functions under it, on good and broken files.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

#include "platform/audio/mixer.h"
#include "sound/sound_effects.h"
#include "sound/wave_reader.h"
#include "support/offline_audio.h"
#include "support/platform_records.h"
#include "support/sound_files.h"

using namespace soundfiles;

namespace {

std::string Pattern(size_t n) {
  std::string s(n, '\0');
  for (size_t i = 0; i < n; i++) s[i] = static_cast<char>((i * 7 + i / 251) & 255);
  return s;
}

std::string ReadAll(WaveReader* reader) {
  std::string out(reader->dataChunk.cksize, '\0');
  UINT got = 0;
  EXPECT_EQ(ReadWaveData(reader, static_cast<UINT>(out.size()), reinterpret_cast<BYTE*>(out.data()), &got), S_OK);
  out.resize(got);
  return out;
}

TEST(WaveReader, ReadsPcmFormatAndData) {
  const std::string data = Pattern(1000);
  const std::string path = WriteFile("good.wav", PcmWave(2, 22050, 16, data));
  WaveReader reader{};
  ASSERT_EQ(OpenWave(&reader, path.c_str()), S_OK);
  ASSERT_NE(reader.format, nullptr);
  EXPECT_EQ(reader.format->wFormatTag, WAVE_FORMAT_PCM);
  EXPECT_EQ(reader.format->nChannels, 2);
  EXPECT_EQ(reader.format->nSamplesPerSec, 22050u);
  EXPECT_EQ(reader.format->nBlockAlign, 4);
  EXPECT_EQ(reader.format->wBitsPerSample, 16);
  EXPECT_EQ(reader.format->cbSize, 0);
  EXPECT_EQ(reader.riffChunk.ckid, FOURCC_RIFF);
  EXPECT_EQ(reader.dataChunk.cksize, 1000u);
  EXPECT_EQ(ReadAll(&reader), data);
  EXPECT_EQ(reader.dataChunk.cksize, 0u);
  // Nothing is left: a further read gives nothing, and succeeds.
  BYTE more[4];
  UINT got = 99;
  EXPECT_EQ(ReadWaveData(&reader, 4, more, &got), S_OK);
  EXPECT_EQ(got, 0u);
  CloseWave(&reader);
  EXPECT_EQ(reader.file, nullptr);
  EXPECT_EQ(reader.format, nullptr);
}

TEST(WaveReader, ReadsAcrossTheFileBufferInPieces) {
  // Three times the mmio buffer, read in uneven pieces, some spanning refills.
  const std::string data = Pattern(3 * 8192 + 333);
  const std::string path = WriteFile("long.wav", PcmWave(1, 44100, 8, data));
  WaveReader reader{};
  ASSERT_EQ(OpenWave(&reader, path.c_str()), S_OK);
  std::string out;
  for (UINT piece : {1u, 8190u, 9000u, 7u, 100000u}) {
    std::string part(piece, '\0');
    UINT got = 0;
    ASSERT_EQ(ReadWaveData(&reader, piece, reinterpret_cast<BYTE*>(part.data()), &got), S_OK);
    out += part.substr(0, got);
  }
  EXPECT_EQ(out, data);
  CloseWave(&reader);
}

TEST(WaveReader, KeepsExtraBytesOfANonPcmFormat) {
  const std::string fmt = FormatBody(2, 1, 22050, 4) + Le16(2) + "\xAB\xCD";
  const std::string path = WriteFile("adpcm.wav", Riff("WAVE", Chunk("fmt ", fmt) + Chunk("data", Pattern(64))));
  WaveReader reader{};
  ASSERT_EQ(OpenWave(&reader, path.c_str()), S_OK);
  EXPECT_EQ(reader.format->wFormatTag, 2);
  ASSERT_EQ(reader.format->cbSize, 2);
  const auto* extra = reinterpret_cast<const unsigned char*>(reader.format) + sizeof(WAVEFORMATEX);
  EXPECT_EQ(extra[0], 0xAB);
  EXPECT_EQ(extra[1], 0xCD);
  EXPECT_EQ(ReadAll(&reader), Pattern(64));
  CloseWave(&reader);
}

TEST(WaveReader, RefusesBadStructure) {
  const std::string data = Chunk("data", Pattern(16));
  struct Case {
    const char* name;
    std::string bytes;
  };
  const Case cases[] = {
      {"short_fmt.wav", Riff("WAVE", Chunk("fmt ", FormatBody(1, 1, 8000, 8).substr(0, 14)) + data)},
      {"avi.wav", Riff("AVI ", Chunk("fmt ", FormatBody(1, 1, 8000, 8)) + data)},
      {"rifx.wav", "RIFX" + Riff("WAVE", Chunk("fmt ", FormatBody(1, 1, 8000, 8)) + data).substr(4)},
      {"no_fmt.wav", Riff("WAVE", data)},
      {"no_data.wav", Riff("WAVE", Chunk("fmt ", FormatBody(1, 1, 8000, 8)))},
      // The extra count of a non-PCM format promises more than the chunk holds.
      {"short_extra.wav", Riff("WAVE", Chunk("fmt ", FormatBody(2, 1, 8000, 4) + Le16(40) + "xy"))},
      {"empty.wav", ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    WaveReader reader{};
    EXPECT_EQ(OpenWave(&reader, WriteFile(c.name, c.bytes).c_str()), E_FAIL);
    CloseWave(&reader);
  }
  WaveReader reader{};
  EXPECT_EQ(OpenWave(&reader, (TempDir() + "/missing.wav").c_str()), E_FAIL);
  CloseWave(&reader);
}

TEST(WaveReader, FindsChunksInAnyOrderAndSkipsOddSizedOnes) {
  // "data" before "fmt ", and an odd-sized chunk (with its pad byte) first.
  const std::string data = Pattern(99);
  const std::string body =
      Chunk("LIST", "abc") + Chunk("data", data) + Chunk("junk", Pattern(5)) + Chunk("fmt ", FormatBody(1, 1, 11025, 8));
  const std::string path = WriteFile("order.wav", Riff("WAVE", body));
  WaveReader reader{};
  ASSERT_EQ(OpenWave(&reader, path.c_str()), S_OK);
  EXPECT_EQ(reader.format->nSamplesPerSec, 11025u);
  EXPECT_EQ(reader.dataChunk.cksize, 99u);
  EXPECT_EQ(ReadAll(&reader), data);
  CloseWave(&reader);
}

TEST(WaveReader, ChunkOutsideTheRiffSizeIsNotFound) {
  // The RIFF size ends the file's contents before "data" begins.
  std::string bytes = Riff("WAVE", Chunk("fmt ", FormatBody(1, 1, 8000, 8)));
  bytes += Chunk("data", Pattern(8));
  WaveReader reader{};
  EXPECT_EQ(OpenWave(&reader, WriteFile("outside.wav", bytes).c_str()), E_FAIL);
  CloseWave(&reader);
}

TEST(WaveReader, DataChunkLongerThanTheFileIsCutToWhatTheFileHolds) {
  const std::string data = Pattern(300);
  std::string bytes = Riff("WAVE", Chunk("fmt ", FormatBody(1, 1, 8000, 8)) + "data" + Le32(5000) + data);
  const std::string path = WriteFile("claims_more.wav", bytes);
  WaveReader reader{};
  ASSERT_EQ(OpenWave(&reader, path.c_str()), S_OK);
  EXPECT_EQ(reader.dataChunk.cksize, 300u);
  std::string out(5000, '\0');
  UINT got = 123;
  EXPECT_EQ(ReadWaveData(&reader, 5000, reinterpret_cast<BYTE*>(out.data()), &got), S_OK);
  EXPECT_EQ(got, 300u);
  EXPECT_EQ(out.substr(0, 300), data);
  CloseWave(&reader);
}

TEST(WaveReader, EveryTruncationIsRefusedOrReadSafely) {
  const std::string data = Pattern(40);
  const std::string whole = PcmWave(1, 8000, 8, data);
  const size_t dataStart = whole.size() - data.size();
  for (size_t length = 0; length < whole.size(); length++) {
    SCOPED_TRACE(length);
    WaveReader reader{};
    const HRESULT hr = OpenWave(&reader, WriteFile("cut.wav", whole.substr(0, length)).c_str());
    if (length < dataStart) {
      EXPECT_EQ(hr, E_FAIL);
    } else {
      // The header is whole; the data runs short, and only what is there is read.
      ASSERT_EQ(hr, S_OK);
      std::string out(40, '\0');
      UINT got = 0;
      ASSERT_EQ(ReadWaveData(&reader, 40, reinterpret_cast<BYTE*>(out.data()), &got), S_OK);
      EXPECT_EQ(got, length - dataStart);
      EXPECT_EQ(out.substr(0, got), data.substr(0, got));
    }
    CloseWave(&reader);
  }
}

TEST(Mmio, DescendAscendAndSeek) {
  const std::string path =
      WriteFile("chunks.wav", Riff("WAVE", Chunk("abcd", "12345") + Chunk("efgh", "xy")));
  HMMIO file = mmioOpenA(path.c_str(), nullptr, MMIO_ALLOCBUF | MMIO_READ);
  ASSERT_NE(file, nullptr);
  MMCKINFO riff{};
  ASSERT_EQ(mmioDescend(file, &riff, nullptr, 0), MMSYSERR_NOERROR);
  EXPECT_EQ(riff.dwDataOffset, 8u);
  EXPECT_EQ(riff.fccType, mmioFOURCC('W', 'A', 'V', 'E'));
  EXPECT_EQ(mmioSeek(file, 0, SEEK_CUR), 12);  // past the form type
  MMCKINFO first{};
  ASSERT_EQ(mmioDescend(file, &first, &riff, 0), MMSYSERR_NOERROR);
  EXPECT_EQ(first.ckid, mmioFOURCC('a', 'b', 'c', 'd'));
  EXPECT_EQ(first.cksize, 5u);
  char c = 0;
  EXPECT_EQ(mmioRead(file, &c, 1), 1);
  EXPECT_EQ(c, '1');
  ASSERT_EQ(mmioAscend(file, &first, 0), MMSYSERR_NOERROR);
  EXPECT_EQ(mmioSeek(file, 0, SEEK_CUR), 12 + 8 + 6);  // padded to even
  MMCKINFO second{};
  second.ckid = mmioFOURCC('z', 'z', 'z', 'z');
  EXPECT_EQ(mmioDescend(file, &second, &riff, MMIO_FINDCHUNK), MMIOERR_CHUNKNOTFOUND);
  EXPECT_EQ(mmioSeek(file, -2, SEEK_END), static_cast<LONG>(12 + 14 + 10 - 2));
  char tail[8];
  EXPECT_EQ(mmioRead(file, tail, 8), 2);
  EXPECT_EQ(std::string(tail, 2), "xy");
  EXPECT_EQ(mmioSeek(file, -1, SEEK_SET), -1);
  EXPECT_EQ(mmioClose(file, 0), MMSYSERR_NOERROR);
}

// LoadSound and PlaySoundEffect, with no device: buffers are still made.
class SoundLoading : public ::testing::Test {
 protected:
  void SetUp() override {
    SetOfflineAudio(true);
    CreateSoundObjects(nullptr);
  }
  void TearDown() override {
    ReleaseSoundObjects();
    SetOfflineAudio(false);
  }
};

TEST_F(SoundLoading, LoadSoundFillsABufferWithTheFileFormat) {
  const std::string fmt = FormatBody(2, 1, 22050, 8) + Le16(2) + "\x01\x02";
  const std::string path = WriteFile("adpcm_load.wav", Riff("WAVE", Chunk("fmt ", fmt) + Chunk("data", Pattern(64))));
  testing::internal::CaptureStderr();
  LoadSound(&SeOk, path.c_str());
  const std::string said = testing::internal::GetCapturedStderr();
  ASSERT_NE(SeOk, nullptr);
  ASSERT_EQ(SeOk->format.size(), 20u);
  EXPECT_EQ(SeOk->format[18], 1);
  EXPECT_EQ(SeOk->format[19], 2);
  EXPECT_EQ(std::string(SeOk->bytes.begin(), SeOk->bytes.end()), Pattern(64));
  // It cannot be played: it stays silent, and says so once.
  EXPECT_TRUE(SeOk->voice.frames.empty());
  EXPECT_EQ(std::count(said.begin(), said.end(), '\n'), 1);
}

TEST_F(SoundLoading, ABufferIsNeverLargerThanTheDataInTheFile) {
  const std::string data = Pattern(300);
  const std::string path =
      WriteFile("claims_more_load.wav", Riff("WAVE", Chunk("fmt ", FormatBody(1, 1, 8000, 8)) + "data" + Le32(600) + data));
  LoadSound(&SeHit, path.c_str());
  ASSERT_NE(SeHit, nullptr);
  EXPECT_EQ(std::string(SeHit->bytes.begin(), SeHit->bytes.end()), data);
  // A 60-byte file that claims 256 MiB once took that much memory.
  LoadSound(&SeNo, WriteFile("claims_much.wav", Riff("WAVE", Chunk("fmt ", FormatBody(1, 1, 8000, 8)) + "data" +
                                                                  Le32(0x0FFFFFFF) + Pattern(16))).c_str());
  ASSERT_NE(SeNo, nullptr);
  EXPECT_EQ(SeNo->bytes.size(), 16u);
}

TEST_F(SoundLoading, MissingOrBrokenFilesLeaveTheBufferEmpty) {
  LoadSound(&SeCoin, (TempDir() + "/nothing_here.wav").c_str());
  EXPECT_EQ(SeCoin, nullptr);
  LoadSound(&SeNo, WriteFile("broken.wav", Riff("WAVE", Chunk("data", "ab"))).c_str());
  EXPECT_EQ(SeNo, nullptr);
  // An empty data chunk makes no buffer either: DirectSound wants 4 bytes.
  LoadSound(&SeGara, WriteFile("empty_data.wav", PcmWave(1, 8000, 8, "")).c_str());
  EXPECT_EQ(SeGara, nullptr);
}

TEST_F(SoundLoading, PlaysAreCountedPerBufferEvenWhenSilent) {
  LoadSound(&SeExplode, WriteFile("boom.wav", PcmWave(1, 44100, 16, Samples16({1000, 1000, 1000, 1000}))).c_str());
  ASSERT_NE(SeExplode, nullptr);
  ASSERT_EQ(SeLvup, nullptr);
  const uint32_t explode = SoundPlayCounts[3], lvup = SoundPlayCounts[5], spare = SoundPlayCounts[9];
  PlaySoundEffect(SeExplode);
  PlaySoundEffect(SeExplode);
  PlaySoundEffect(SeLvup);
  EXPECT_EQ(SoundPlayCounts[3], explode + 2);
  EXPECT_EQ(SoundPlayCounts[5], lvup + 1);
  EXPECT_EQ(SoundPlayCounts[9], spare);
  EXPECT_STREQ(SoundBankNames[3], "SeExplode");
  EXPECT_TRUE(SeExplode->voice.playing);
  EXPECT_EQ(SeExplode->voice.position, 0u);
}

}  // namespace
