// SPDX-License-Identifier: MIT
// What a pack is made of on paper: pack.txt read from bytes and its
// garbage refused in one line, the names and paths a pack may use, the
// hash of its files, a recording's pack line, and text of any script
// written for the screen.
#include <gtest/gtest.h>

#include <string>

#include "platform/files/pack_info.h"
#include "platform/files/packs.h"
#include "platform/files/sha256.h"
#include "platform/input/input_file.h"
#include "platform/picture/text_encoding.h"

namespace {

std::string Sha(const std::string& text) {
  Sha256 h;
  StartSha256(&h);
  // In pieces, so that the blocks' seams are crossed.
  for (size_t at = 0; at < text.size(); at += 7) AddSha256(&h, text.data() + at, std::min<size_t>(7, text.size() - at));
  return FinishSha256(&h);
}

bool Info(const std::string& text, PackInfo* info, std::string* why) {
  return ParsePackInfo(reinterpret_cast<const uint8_t*>(text.data()), text.size(), info, why);
}

TEST(PackFiles, Sha256IsTheStandardOne) {
  EXPECT_EQ(Sha(""), "e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855");
  EXPECT_EQ(Sha("abc"), "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad");
  EXPECT_EQ(Sha("abcdbcdecdefdefgefghfghighijhijkijkljklmklmnlmnomnopnopq"),
            "248d6a61d20638b8e5c026930c3e6039a33ce45964ff2167f6ecedd419db06c1");
}

TEST(PackFiles, PackTxtGivesEachKeyInThePlayersLanguageThenPlain) {
  PackInfo info;
  std::string why;
  ASSERT_TRUE(Info("\xEF\xBB\xBF# a pack\r\nname = Forest # two\r\nname[ja] = 森\nauthor=Me\n"
                   "license = CC BY 4.0\nwebsite = elsewhere\n\ndescription[EN] =  Tall trees \n",
                   &info, &why))
      << why;
  EXPECT_EQ(PackInfoText(info, "name", "ja"), "森");
  EXPECT_EQ(PackInfoText(info, "name", "en"), "Forest # two");  // # starts a comment only at a line's start
  EXPECT_EQ(PackInfoText(info, "author", "ja"), "Me");
  EXPECT_EQ(PackInfoText(info, "licence", "en"), "CC BY 4.0");
  EXPECT_EQ(PackInfoText(info, "description", "en"), "Tall trees");
  EXPECT_EQ(PackInfoText(info, "description", "ja"), "");
  EXPECT_EQ(info.values.size(), 5u);  // no website
}

TEST(PackFiles, PackTxtGarbageIsRefusedInOneLine) {
  const struct {
    std::string text;
    const char* why;
  } bad[] = {
      {"name = \xC3\x28\n", "line 1: is not UTF-8 text"},
      {"name = a\nauthor = \xED\xA0\x80\n", "line 2: is not UTF-8 text"},  // a surrogate
      {"name = a\xC0\xAF\n", "line 1: is not UTF-8 text"},                 // overlong
      {std::string("name = a\0b\n", 11), "holds a NUL byte"},
      {std::string(64 * 1024 + 1, '#'), "is larger than 64 KiB"},
      {"name = " + std::string(1100, 'x') + "\n", "line 1: is longer than 1024 bytes"},
      {"name = Forest\nsecond line of it\n", "line 2: is not 'key = value'"},
      {"name = \x1B[31mred\n", "line 1: holds a control character"},
  };
  for (const auto& [text, why] : bad) {
    PackInfo info;
    std::string said;
    EXPECT_FALSE(Info(text, &info, &said)) << why;
    EXPECT_EQ(said, why);
  }
}

TEST(PackFiles, NamesAndPathsStayInsideThePack) {
  for (const char* good : {"forest", "My_Pack-2.0", "a"}) EXPECT_EQ(PackNameFault(good), "") << good;
  for (const std::string& bad : std::vector<std::string>{"", ".hidden", "..", "a/b", "a b", "森", std::string(65, 'a'), std::string("a\0b", 3)})
    EXPECT_NE(PackNameFault(bad), "") << bad;
  EXPECT_EQ(PackPathFault("stage/Magic1234.txt"), "");
  EXPECT_EQ(PackPathFault("image/stage1/back.BMP"), "");
  for (const char* bad : {"../stage/x.txt", "stage/../../x", "/etc/passwd", "stage//x.txt", "stage/", "stage\\x.txt",
                          "a/b/c/d/e/f/g/h/i"})
    EXPECT_NE(PackPathFault(bad), "") << bad;
}

TEST(PackFiles, ARecordingsPackLineIsReadFromVersionTwo) {
  const std::string hash(64, 'c');
  std::vector<InputLine> lines;
  std::string error;
  InputPackClaim claim;
  ASSERT_TRUE(ParseInputText("twinworlds-input 2\n# made on a pack\npack " + hash + " forest\n0\n3 RETURN\n", &lines,
                             &error, &claim))
      << error;
  EXPECT_EQ(claim.name, "forest");
  EXPECT_EQ(claim.hash, hash);
  EXPECT_EQ(lines.size(), 2u);
  ASSERT_TRUE(ParseInputText("twinworlds-input 1\n0\n", &lines, &error, &claim));
  EXPECT_EQ(claim.name, "");
  EXPECT_FALSE(ParseInputText("twinworlds-input 2\n0\n", &lines, &error, &claim));
  EXPECT_EQ(error, "line 2: version 2 begins with 'pack HASH NAME'");
}

TEST(PackFiles, TextOfAnyScriptIsWrittenForTheScreenWithABoxForWhatTheCodePageLacks) {
  // A, the kanji, then an emoji and a hangul syllable, which code page 932 has not.
  EXPECT_EQ(EncodeCp932(DecodeUtf8("A\xE6\xA3\xAE\xF0\x9F\x98\x80\xEA\xB0\x80")), "A\x90\x58\xF0\x40\xF0\x40");
}

}  // namespace
