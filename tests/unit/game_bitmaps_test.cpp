// The bitmaps of the game folder, read as plain files.
#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <fstream>
#include <iterator>
#include <map>
#include <string>
#include <vector>

namespace {

constexpr uint8_t SeeThrough = 113;

struct Bitmap {
  int width = 0, height = 0, bits = 0, compression = -1, colours = 0;
  std::array<std::array<uint8_t, 3>, 256> palette{};  // red, green, blue
  std::vector<uint8_t> pixels;                       // top row first
  uint8_t At(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x]; }
};

uint32_t U32(const std::vector<uint8_t>& b, size_t at) {
  return b[at] | b[at + 1] << 8 | b[at + 2] << 16 | static_cast<uint32_t>(b[at + 3]) << 24;
}

// Reads an uncompressed 8-bit bottom-up BMP; anything else is reported
// through the fields (bits, compression) for the tests to refuse.
Bitmap ReadBitmap(const std::string& name) {
  std::ifstream in(std::string(TW_GAME_DIR) + "/image/stage1/" + name, std::ios::binary);
  const std::vector<uint8_t> b((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  Bitmap bm;
  if (b.size() < 54 || b[0] != 'B' || b[1] != 'M') return bm;
  const uint32_t dataAt = U32(b, 10), headerSize = U32(b, 14);
  bm.width = static_cast<int32_t>(U32(b, 18));
  bm.height = static_cast<int32_t>(U32(b, 22));
  bm.bits = b[28] | b[29] << 8;
  bm.compression = static_cast<int>(U32(b, 30));
  bm.colours = static_cast<int>(U32(b, 46));
  if (bm.bits != 8 || bm.compression != 0 || bm.width <= 0 || bm.height <= 0) return bm;
  for (int i = 0; i < 256 && 14 + headerSize + i * 4 + 3 <= b.size(); i++) {
    const size_t e = 14 + headerSize + i * 4;
    bm.palette[i] = {b[e + 2], b[e + 1], b[e]};
  }
  const size_t stride = (bm.width + 3) & ~3;
  if (dataAt + stride * bm.height > b.size()) return Bitmap{};
  bm.pixels.resize(static_cast<size_t>(bm.width) * bm.height);
  for (int y = 0; y < bm.height; y++)
    for (int x = 0; x < bm.width; x++) bm.pixels[y * bm.width + x] = b[dataAt + stride * (bm.height - 1 - y) + x];
  return bm;
}

const Bitmap& Sheet(const std::string& name) {
  static std::map<std::string, Bitmap> cache;
  auto it = cache.find(name);
  if (it == cache.end()) it = cache.emplace(name, ReadBitmap(name)).first;
  return it->second;
}

struct Rect {
  int left, top, right, bottom;
};

int Drawn(const Bitmap& bm, const Rect& r) {
  int n = 0;
  for (int y = r.top; y < r.bottom; y++)
    for (int x = r.left; x < r.right; x++) n += bm.At(x, y) != SeeThrough;
  return n;
}

struct Expected {
  const char* file;
  int width, height;
};

const Expected Bitmaps[] = {{"status.BMP", 640, 480}, {"status_en.BMP", 640, 480}, {"cursol.BMP", 64, 64},   {"number.BMP", 100, 17},
                             {"number2.BMP", 351, 34}, {"Enemy.Bmp", 192, 230},  {"back.BMP", 640, 480},
                             {"char.BMP", 384, 384},   {"gyaku.BMP", 384, 384},  {"haikei1.BMP", 640, 480},
                             {"GEnemy.BMP", 100, 100}, {"explode.BMP", 576, 64}};

TEST(GameBitmaps, EachIsAnUncompressed8BitPictureOfItsSurfaceSize) {
  for (const Expected& e : Bitmaps) {
    const Bitmap& bm = Sheet(e.file);
    EXPECT_EQ(bm.bits, 8) << e.file;
    EXPECT_EQ(bm.compression, 0) << e.file;
    EXPECT_EQ(bm.width, e.width) << e.file;
    EXPECT_EQ(bm.height, e.height) << e.file;
    EXPECT_TRUE(bm.colours == 0 || bm.colours == 256) << e.file;
  }
}

TEST(GameBitmaps, AllShareOnePaletteWithBlackRedWhiteAndAnUnusedKeyColour) {
  const auto& palette = Sheet("explode.BMP").palette;  // the palette in force after start-up
  for (const Expected& e : Bitmaps) EXPECT_EQ(Sheet(e.file).palette, palette) << e.file;
  using Rgb = std::array<uint8_t, 3>;
  EXPECT_EQ(palette[0], (Rgb{0, 0, 0}));
  EXPECT_EQ(palette[255], (Rgb{255, 255, 255}));
  EXPECT_NE(std::find(palette.begin(), palette.end(), Rgb{255, 0, 0}), palette.end());
  // The key colour stands for nothing else, so no drawn pixel can vanish.
  EXPECT_EQ(std::count(palette.begin(), palette.end(), palette[SeeThrough]), 1);
}

TEST(GameBitmaps, FullScreenPicturesCoverEveryPixel) {
  // Both are copied without the key: a see-through pixel would show as the key colour.
  for (const char* file : {"haikei1.BMP", "status.BMP", "status_en.BMP"})
    EXPECT_EQ(Drawn(Sheet(file), {0, 0, 640, 480}), 640 * 480) << file;
}

// The English skill menu is the same picture with other names in the five
// offered cells, right of the cursor's frame and above the level.
TEST(GameBitmaps, TheEnglishSkillMenuDiffersOnlyInTheSkillNames) {
  const Bitmap& ja = Sheet("status.BMP");
  const Bitmap& en = Sheet("status_en.BMP");
  ASSERT_EQ(ja.pixels.size(), en.pixels.size());
  int names[5] = {};
  for (int y = 0; y < 480; y++)
    for (int x = 0; x < 640; x++) {
      if (ja.At(x, y) == en.At(x, y)) continue;
      // Cells start at x 6 and y 10, 130 and 65 apart.
      const int col = (x - 6) / 130, row = (y - 10) / 65, index = col + 3 * row;
      const int dx = x - 130 * col, dy = y - 65 * row;
      const bool inName = col < 3 && index < 5 && dx >= 74 && dx < 133 && dy >= 18 && dy < 40;
      ASSERT_TRUE(inName) << "at " << x << ", " << y;
      names[index]++;
    }
  for (int i = 0; i < 5; i++) EXPECT_GT(names[i], 20) << "skill " << i;
}

TEST(GameBitmaps, SmallDigitsLieInTheirGlyphRectangles) {
  const Bitmap& bm = Sheet("number.BMP");
  std::vector<Rect> glyphs = {{0, 0, 10, 17}};
  for (int g = 1; g <= 9; g++) glyphs.push_back({10 * g + 1, 0, 10 * g + 10, 17});
  int inside = 0;
  for (size_t g = 0; g < glyphs.size(); g++) {
    const int n = Drawn(bm, glyphs[g]);
    EXPECT_GT(n, 20) << "digit " << g;
    inside += n;
  }
  EXPECT_EQ(Drawn(bm, {0, 0, 100, 17}), inside) << "ink outside the glyph rectangles";
}

TEST(GameBitmaps, LargeDigitsAndTheComboCaptionLieInTheirRectangles) {
  const Bitmap& bm = Sheet("number2.BMP");
  std::vector<Rect> pieces;
  for (int g = 0; g <= 9; g++) pieces.push_back({27 * g, 0, 27 * g + 26, 34});
  pieces.push_back({269, 0, 351, 34});
  int inside = 0;
  for (size_t i = 0; i < pieces.size(); i++) {
    const int n = Drawn(bm, pieces[i]);
    EXPECT_GT(n, 100) << "piece " << i;
    inside += n;
  }
  EXPECT_EQ(Drawn(bm, {0, 0, 351, 34}), inside) << "ink outside the glyph rectangles";
}

TEST(GameBitmaps, NoTwoDigitsLookAlike) {
  for (auto [file, width, pitch, first] : {std::tuple{"number.BMP", 9, 10, 1}, {"number2.BMP", 26, 27, 0}}) {
    const Bitmap& bm = Sheet(file);
    auto glyph = [&](int g) {
      std::vector<uint8_t> v;
      const int left = g == 0 ? 0 : pitch * g + first;
      for (int y = 0; y < bm.height; y++)
        for (int x = 0; x < width; x++) v.push_back(bm.At(left + x, y));
      return v;
    };
    for (int a = 0; a < 10; a++)
      for (int b = a + 1; b < 10; b++) EXPECT_NE(glyph(a), glyph(b)) << file << ": " << a << " and " << b;
  }
}

// The swordsman's pictures, facing right.
const Rect CharPictures[] = {
    {0, 0, 64, 64},      {64, 0, 128, 64},     {128, 0, 192, 64},    {0, 320, 64, 384},   {64, 320, 128, 384},
    {128, 320, 192, 384}, {0, 128, 64, 192},   {64, 128, 171, 192},  {180, 128, 277, 192}, {0, 64, 64, 128},
    {64, 64, 164, 128},  {170, 64, 282, 128},  {0, 190, 64, 254},    {64, 190, 166, 274}, {166, 206, 285, 275},
    {190, 308, 254, 380}};

bool InsideAny(int x, int y) {
  for (const Rect& r : CharPictures)
    if (x >= r.left && x < r.right && y >= r.top && y < r.bottom) return true;
  return false;
}

TEST(GameBitmaps, CharacterPicturesAreDrawnAndNothingElse) {
  for (const char* file : {"char.BMP", "gyaku.BMP"}) {
    const Bitmap& bm = Sheet(file);
    for (const Rect& r : CharPictures) EXPECT_GT(Drawn(bm, r), 300) << file << " at " << r.left << "," << r.top;
    int stray = 0;
    for (int y = 0; y < bm.height; y++)
      for (int x = 0; x < bm.width; x++) stray += bm.At(x, y) != SeeThrough && !InsideAny(x, y);
    EXPECT_EQ(stray, 0) << file;
  }
}

TEST(GameBitmaps, StripsSharedByTwoPicturesShowInNeither) {
  for (const char* file : {"char.BMP", "gyaku.BMP"})
    for (const Rect& a : CharPictures)
      for (const Rect& b : CharPictures) {
        if (&a == &b) continue;
        const Rect common{std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
                          std::min(a.bottom, b.bottom)};
        if (common.left < common.right && common.top < common.bottom) {
          EXPECT_EQ(Drawn(Sheet(file), common), 0) << file << ": " << a.left << "," << a.top << " and " << b.left
                                                   << "," << b.top;
        }
      }
}

TEST(GameBitmaps, ReversedSheetHoldsEachPictureMirroredInPlace) {
  const Bitmap& right = Sheet("char.BMP");
  const Bitmap& left = Sheet("gyaku.BMP");
  for (const Rect& r : CharPictures) {
    int differ = 0;
    for (int y = r.top; y < r.bottom; y++)
      for (int x = r.left; x < r.right; x++) differ += left.At(x, y) != right.At(r.left + r.right - 1 - x, y);
    // Only pixels that a mirror moves into a shared strip may differ.
    EXPECT_LT(differ, 40) << r.left << "," << r.top;
  }
}

// Where each hitting picture's blade must be: the attack's hit box in
// picture coordinates, facing right (picture drawn 32 left of and 32 above
// the character) and facing left (mirrored picture drawn with its right edge
// 32 right of the character).
struct HitPicture {
  Rect picture;
  int ox, oy, w, h;
};

const HitPicture Hits[] = {
    {{64, 128, 171, 192}, 0, 0, 50, 11},  {{180, 128, 277, 192}, 0, 0, 50, 11},  // vertical slash
    {{64, 64, 164, 128}, 0, 5, 50, 32},   {{170, 64, 282, 128}, 0, 5, 50, 32},   // horizontal slash
    {{64, 190, 166, 274}, -10, 0, 50, 11}, {{166, 206, 285, 275}, 11, 0, 50, 11},  // upward slash
};

int DrawnInBox(const Bitmap& bm, const Rect& pic, int boxLeft, int boxTop, int w, int h, int* area) {
  Rect box{pic.left + std::max(0, boxLeft), pic.top + std::max(0, boxTop),
           pic.left + std::min(pic.right - pic.left, boxLeft + w), pic.top + std::min(pic.bottom - pic.top, boxTop + h)};
  *area = std::max(0, box.right - box.left) * std::max(0, box.bottom - box.top);
  return *area ? Drawn(bm, box) : 0;
}

TEST(GameBitmaps, EachAttackShowsItsBladeOverItsHitBox) {
  for (const HitPicture& hp : Hits) {
    int area = 0;
    // Facing right the box starts 32 + 32 - ox into the picture, 32 - oy down.
    const int rightHits = DrawnInBox(Sheet("char.BMP"), hp.picture, 64 - hp.ox, 32 - hp.oy, hp.w, hp.h, &area);
    EXPECT_GT(rightHits, area / 4) << "facing right, picture at " << hp.picture.left << "," << hp.picture.top;
    // Facing left the picture starts width - 32 left of x; the box starts at x - (width - 32) - ox.
    const int leftHits = DrawnInBox(Sheet("gyaku.BMP"), hp.picture, -hp.ox, 32 - hp.oy, hp.w, hp.h, &area);
    EXPECT_GT(leftHits, area / 4) << "facing left, picture at " << hp.picture.left << "," << hp.picture.top;
  }
  // The thrust: a box 15 x 40 from x, y in both facings, under a 64-wide picture.
  const Rect thrust{190, 308, 254, 380};
  int area = 0;
  EXPECT_GT(DrawnInBox(Sheet("char.BMP"), thrust, 32, 32, 15, 40, &area), area / 8);
  EXPECT_GT(DrawnInBox(Sheet("gyaku.BMP"), thrust, 32, 32, 15, 40, &area), area / 8);
}

TEST(GameBitmaps, TileSheetHoldsEveryPictureItIsCutFrom) {
  const Bitmap& bm = Sheet("back.BMP");
  const Rect pieces[] = {{0, 0, 32, 32},    {32, 0, 64, 32},    {32, 32, 64, 64},    {160, 0, 171, 11},
                         {171, 0, 182, 11}, {191, 0, 301, 16},  {191, 18, 315, 34},  {192, 42, 560, 90}};
  for (const Rect& r : pieces) EXPECT_GT(Drawn(bm, r), 20) << r.left << "," << r.top;
  // Tiles the game copies without the key are opaque all over: both grounds
  // (hidden cells show as the first) and the goal.
  for (const Rect& r : {Rect{0, 64, 32, 96}, Rect{32, 64, 64, 96}, Rect{64, 64, 96, 96}})
    EXPECT_EQ(Drawn(bm, r), 32 * 32) << r.left << "," << r.top;
  // The gate rises: each of its four pictures shows less of it than the one before.
  int before = 32 * 64 + 1;
  for (int k = 0; k < 4; k++) {
    const int upper = Drawn(bm, {32 * k, 96, 32 * k + 32, 128}), lower = Drawn(bm, {32 * k, 128, 32 * k + 32, 160});
    EXPECT_GT(upper, 0) << "gate " << k;
    EXPECT_LT(upper + lower, before) << "gate " << k;
    before = upper + lower;
  }
  EXPECT_EQ(Drawn(bm, {96, 128, 128, 160}), 0) << "the open gate leaves its lower cell free";
}

TEST(GameBitmaps, EnemySheetsHoldBothEnemiesAndTheSeed) {
  const Bitmap& bm = Sheet("Enemy.Bmp");
  const Rect pieces[] = {{0, 0, 100, 80},    {100, 0, 132, 32},  {0, 100, 64, 164},
                         {64, 100, 128, 164}, {128, 100, 190, 164}, {0, 164, 68, 228}, {68, 164, 167, 228}};
  for (const Rect& r : pieces) EXPECT_GT(Drawn(bm, r), 200) << r.left << "," << r.top;
  const Bitmap& turned = Sheet("GEnemy.BMP");
  for (int y = 0; y < 80; y++)
    for (int x = 0; x < 100; x++) ASSERT_EQ(turned.At(x, y), bm.At(99 - x, y)) << x << "," << y;
}

TEST(GameBitmaps, ExplosionGrowsThenFades) {
  const Bitmap& bm = Sheet("explode.BMP");
  std::vector<int> drawn;
  for (int f = 0; f < 9; f++) drawn.push_back(Drawn(bm, {64 * f, 0, 64 * f + 64, 64}));
  for (int f = 0; f < 9; f++) EXPECT_GT(drawn[f], 30) << "frame " << f;
  EXPECT_LT(drawn[0], drawn[3]);
  EXPECT_LT(drawn[8], drawn[4]);
}

TEST(GameBitmaps, CursorIsAFrameWithAnOpenMiddle) {
  const Bitmap& bm = Sheet("cursol.BMP");
  EXPECT_EQ(Drawn(bm, {12, 12, 52, 52}), 0);
  for (int i = 0; i < 64; i++) {
    EXPECT_NE(bm.At(i, 1), SeeThrough);
    EXPECT_NE(bm.At(1, i), SeeThrough);
  }
}

}  // namespace
