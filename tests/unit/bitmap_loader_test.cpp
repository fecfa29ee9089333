// Loading bitmaps: every layout of 8-bit BMP the game may be given, and the
// files it must turn down cleanly.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>

#include "platform/picture/shown_picture.h"
#include "support/bmp_fixture.h"
#include "support/display_fixture.h"

namespace {

class BitmapLoader : public ::testing::Test {
 protected:
  void SetUp() override {
    dir = std::filesystem::temp_directory_path() / ("tw_bmp_" + std::to_string(getpid()));
    std::filesystem::create_directories(dir / "image" / "stage1");
    old = std::filesystem::current_path();
    std::filesystem::current_path(dir);
    OpenTestDisplay();
    surface = MakeSurface(16, 16, 99);
  }
  void TearDown() override {
    Release(surface);
    CloseTestDisplay();
    std::filesystem::current_path(old);
    std::filesystem::remove_all(dir);
  }
  // Writes a fixture bitmap and loads it by its game name, with backslashes.
  int Load(const BmpSpec& spec, PALETTEENTRY* palette) {
    WriteBytes("image/stage1/t.BMP", BmpBytes(spec));
    return LoadBitmapSurface(surface, palette, "image\\stage1\\t.BMP");
  }
  std::filesystem::path dir, old;
  DDSurface* surface;
};

TEST_F(BitmapLoader, ReadsEveryLayoutToTheSamePicture) {
  BmpSpec variants[4];
  variants[1].topDown = true;
  variants[2].rle8 = true;
  variants[3].width = 5;  // rows padded to four bytes
  for (const BmpSpec& spec : variants) {
    surface->pixels.assign(surface->pixels.size(), 99);
    PALETTEENTRY palette[256];
    ASSERT_EQ(Load(spec, palette), 1);
    for (int y = 0; y < spec.height; y++)
      for (int x = 0; x < spec.width; x++) EXPECT_EQ(PixelAt(surface, x, y), x + 10 * y);
    EXPECT_EQ(PixelAt(surface, spec.width, 0), 99);  // the rest of the surface stays
    EXPECT_EQ(PixelAt(surface, 0, spec.height), 99);
    // The palette comes from the colour table, flags 5, and is in force.
    EXPECT_EQ(palette[7].peRed, 7);
    EXPECT_EQ(palette[7].peGreen, 248);
    EXPECT_EQ(palette[7].peBlue, 3);
    EXPECT_EQ(palette[7].peFlags, 5);
    EXPECT_EQ(PaletteInForce()[7].peGreen, 248);
  }
}

TEST_F(BitmapLoader, ShortColourTablesLeaveTheRestBlack) {
  BmpSpec spec;
  spec.colours = 16;
  PALETTEENTRY palette[256];
  ASSERT_EQ(Load(spec, palette), 1);
  EXPECT_EQ(palette[15].peRed, 15);
  EXPECT_EQ(palette[16].peRed, 0);
  EXPECT_EQ(palette[16].peGreen, 0);
  EXPECT_EQ(palette[255].peBlue, 0);
}

TEST_F(BitmapLoader, RunLengthRunsPastThePictureAreCut) {
  // A hand-made RLE8 stream: a run of 20 on a 4-wide row, a delta, a literal.
  BmpSpec spec;
  std::vector<uint8_t> bytes = BmpBytes(spec);
  const uint32_t offset = bytes[10] | bytes[11] << 8;
  bytes.resize(offset);
  const uint8_t rle[] = {20, 5, 0, 0, 0, 2, 1, 0, 0, 3, 7, 8, 9, 0, 0, 1};
  bytes.insert(bytes.end(), rle, rle + sizeof rle);
  bytes[30] = 1;  // compression
  WriteBytes("image/stage1/t.BMP", bytes);
  PALETTEENTRY palette[256];
  ASSERT_EQ(LoadBitmapSurface(surface, palette, "image\\stage1\\t.BMP"), 1);
  EXPECT_EQ(PixelAt(surface, 3, 2), 5);   // bottom row
  EXPECT_EQ(PixelAt(surface, 4, 2), 99);  // cut at the picture's edge
  EXPECT_EQ(PixelAt(surface, 1, 1), 7);   // after the delta, one row up
  EXPECT_EQ(PixelAt(surface, 3, 1), 9);

  // Runs and moves that never end their row keep writing nowhere: 16.8 MB of
  // runs on a 1 x 1 picture once wrapped the column and wrote outside it.
  BmpSpec one;
  one.width = one.height = 1;
  bytes = BmpBytes(one);
  size_t at = bytes[10] | bytes[11] << 8;
  bytes[30] = 1;
  bytes.resize(at + 2 * 8421505 + 2 * 4 + 4 * 9000000 + 4);
  for (int k = 0; k < 8421505; k++, at += 2) bytes[at] = 0xFF, bytes[at + 1] = 0x00;
  for (int k = 0; k < 4; k++, at += 2) bytes[at] = 0x10, bytes[at + 1] = 0xAA;
  for (int k = 0; k < 9000000; k++, at += 4) bytes[at] = 0, bytes[at + 1] = 2, bytes[at + 2] = 0xFF, bytes[at + 3] = 0;
  bytes[at] = 0x01, bytes[at + 1] = 0xBB, bytes[at + 2] = 0, bytes[at + 3] = 1;  // a run after the moves, the end
  surface->pixels.assign(surface->pixels.size(), 99);
  WriteBytes("image/stage1/t.BMP", bytes);
  ASSERT_EQ(LoadBitmapSurface(surface, palette, "image\\stage1\\t.BMP"), 1);
  EXPECT_EQ(PixelAt(surface, 0, 0), 0);
  EXPECT_EQ(PixelAt(surface, 1, 0), 99);
  EXPECT_EQ(PixelAt(surface, 0, 1), 99);
}

TEST_F(BitmapLoader, BadFilesFailAndChangeNothing) {
  PALETTEENTRY before[256];
  std::memcpy(before, PaletteInForce(), sizeof before);
  PALETTEENTRY palette[256] = {};
  EXPECT_EQ(LoadBitmapSurface(surface, palette, "image\\stage1\\missing.BMP"), 0);

  std::vector<std::vector<uint8_t>> bad;
  BmpSpec truecolour;
  truecolour.bits = 24;
  bad.push_back(BmpBytes(truecolour));
  std::vector<uint8_t> good = BmpBytes(BmpSpec{});
  bad.push_back(std::vector<uint8_t>(good.begin(), good.end() - 6));  // truncated pixels
  bad.push_back(std::vector<uint8_t>(good.begin(), good.begin() + 100));  // truncated table
  std::vector<uint8_t> notBmp = good;
  notBmp[0] = 'X';
  bad.push_back(notBmp);
  BmpSpec rle;
  rle.rle8 = true;
  std::vector<uint8_t> rleCut = BmpBytes(rle);
  rleCut.resize(rleCut.size() - 2);  // no end-of-bitmap mark
  bad.push_back(rleCut);
  std::vector<uint8_t> huge = good;
  huge[18] = 0xFF, huge[19] = 0xFF, huge[20] = 0xFF, huge[21] = 0x7F;  // width 2^31 - 1
  bad.push_back(huge);
  huge = good;
  huge[22] = huge[23] = huge[24] = 0, huge[25] = 0x80;  // height INT32_MIN: no top-down height to turn it into
  bad.push_back(huge);
  bad.push_back({});
  for (size_t i = 0; i < bad.size(); i++) {
    WriteBytes("image/stage1/bad.BMP", bad[i]);
    EXPECT_EQ(LoadBitmapSurface(surface, palette, "image\\stage1\\bad.BMP"), 0) << i;
  }
  for (int y = 0; y < 16; y++)
    for (int x = 0; x < 16; x++) ASSERT_EQ(PixelAt(surface, x, y), 99);
  EXPECT_EQ(std::memcmp(before, PaletteInForce(), sizeof before), 0);
}

TEST_F(BitmapLoader, NamesAreFoundWhateverTheirCase) {
  WriteBytes("image/stage1/enemy.bmp", BmpBytes(BmpSpec{}));
  PALETTEENTRY palette[256];
  EXPECT_EQ(LoadBitmapSurface(surface, palette, "IMAGE\\Stage1\\Enemy.Bmp"), 1);
}

}  // namespace

namespace {

TEST_F(BitmapLoader, BitmapObjectsDescribeTheirOwnRows) {
  BmpSpec spec;
  spec.width = 351;  // not a multiple of four
  WriteBytes("image/stage1/wide.BMP", BmpBytes(spec));
  HBITMAP bm = static_cast<HBITMAP>(LoadImageA(nullptr, "image\\stage1\\wide.BMP", IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE));
  ASSERT_NE(bm, nullptr);
  BITMAP info;
  ASSERT_EQ(GetObjectA(bm, sizeof info, &info), static_cast<int>(sizeof info));
  EXPECT_EQ(info.bmWidth, 351);
  EXPECT_EQ(info.bmHeight, 3);
  const auto* bits = static_cast<const uint8_t*>(info.bmBits);
  EXPECT_EQ(bits[2 * info.bmWidthBytes + 7], static_cast<uint8_t>(7 + 20));
  DeleteObject(bm);
}

}  // namespace
