// The command line and input files: what is accepted and what is refused.
#include <gtest/gtest.h>

#include <fstream>
#include <random>
#include <sstream>

#include "platform/input/input_file.h"
#include "platform/input/run_link.h"
#include "platform/shell/run.h"

namespace {

bool Parse(std::vector<std::string> args, RunOptions* o, std::string* error) {
  std::vector<char*> argv;
  static std::string name = "twinworlds";
  argv.push_back(name.data());
  for (std::string& a : args) argv.push_back(a.data());
  return ParseRunOptions(static_cast<int>(argv.size()), argv.data(), o, error);
}

TEST(RunOptions, AcceptsTheOptionsAndTheirValues) {
  RunOptions o;
  std::string error;
  ASSERT_TRUE(Parse({"--window", "--scale", "3", "--frames", "120", "--screenshot", "a.png", "--dump-state", "s.json",
                     "--record", "r.txt", "--lang", "en", "--soundfont", "/sf/gm.sf2"},
                    &o, &error))
      << error;
  EXPECT_TRUE(o.window);
  EXPECT_EQ(o.scale, 3);
  EXPECT_EQ(o.frames, 120);
  EXPECT_EQ(o.screenshotFile, "a.png");
  EXPECT_EQ(o.dumpStateFile, "s.json");
  EXPECT_EQ(o.recordFile, "r.txt");
  EXPECT_EQ(o.language, LanguageEnglish);
  EXPECT_EQ(o.soundFont, "/sf/gm.sf2");
  ASSERT_TRUE(Parse({}, &o, &error));
  EXPECT_EQ(o.soundFont, "");
  EXPECT_FALSE(o.window);
  EXPECT_FALSE(o.headless);
  EXPECT_EQ(o.frames, -1);
  EXPECT_EQ(o.language, LanguageJapanese);
}

// --scale alone means a window; --fullscreen wins over it, saying so; a
// headless run takes it without a word, as it takes the settings file's.
TEST(RunOptions, ScaleMeansAWindowUnlessFullScreenIsAskedFor) {
  RunOptions o;
  std::string error;
  ASSERT_TRUE(Parse({"--scale", "3"}, &o, &error)) << error;
  EXPECT_TRUE(o.window);
  EXPECT_EQ(o.scale, 3);
  EXPECT_EQ(o.notice, "");
  ASSERT_TRUE(Parse({"--scale", "3", "--fullscreen"}, &o, &error)) << error;
  EXPECT_FALSE(o.window);
  EXPECT_EQ(o.notice, "--fullscreen wins over --scale 3: full screen");
  ASSERT_TRUE(Parse({"--headless", "--scale", "2"}, &o, &error)) << error;
  EXPECT_FALSE(o.window);
  EXPECT_EQ(o.notice, "");
}

TEST(RunOptions, RefusesWithOneLineNamingTheOption) {
  // Each case with the option its message must name first.
  const std::vector<std::pair<std::vector<std::string>, std::string>> bad = {
      {{"--fly"}, "--fly"},
      {{"--frames"}, "--frames"},
      {{"--frames", "-1"}, "--frames"},
      {{"--frames", "12x"}, "--frames"},
      {{"--window", "--scale", "17"}, "--scale"},
      {{"--headless", "--window"}, "--window"},
      {{"--input"}, "--input"},
      {{"--screenshot", ""}, "--screenshot"},
      {{"--lang", "xx"}, "--lang"},
      {{"--lang", "EN"}, "--lang"},
      {{"--soundfont"}, "--soundfont"},
  };
  for (const auto& [args, named] : bad) {
    RunOptions o;
    std::string error;
    EXPECT_FALSE(Parse(args, &o, &error)) << named;
    EXPECT_EQ(error.rfind(named, 0), 0u) << error;
    EXPECT_EQ(error.find('\n'), std::string::npos);
  }
}

TEST(InputFile, ReadsKeysFlipsAndComments) {
  std::vector<InputLine> lines;
  std::string error;
  ASSERT_TRUE(ParseInputText("twinworlds-input 1\n# a comment\r\n0 RETURN\r\n\n5 LEFT Z  # run and jump\n9\n", &lines,
                             &error))
      << error;
  ASSERT_EQ(lines.size(), 3u);
  EXPECT_EQ(lines[0].flip, 0u);
  EXPECT_EQ(lines[0].keys, std::vector<uint8_t>{0x0D});
  EXPECT_EQ(lines[1].flip, 5u);
  EXPECT_EQ(lines[1].keys, (std::vector<uint8_t>{0x25, 'Z'}));
  EXPECT_TRUE(lines[2].keys.empty());
  // The header is optional.
  ASSERT_TRUE(ParseInputText("3 SPACE CONTROL BACK F1 F2 ESCAPE UP DOWN RIGHT Y N\n", &lines, &error));
  EXPECT_EQ(lines[0].keys.size(), 11u);
}

TEST(InputFile, RefusesBadLinesNamingTheLine) {
  const std::string bad[] = {
      "5 Z\n5 X\n",                 // flips must increase
      "5 Z\n3 X\n",                 //
      "0 JUMP\n",                   // unknown key
      "0 z\n",                      // names are upper case
      "x Z\n",                      // not a number
      "-1 Z\n",                     //
      "twinworlds-input 2\n0 Z\n",  // unknown version
      "0 Z\ntwinworlds-input 1\n",  // header only first
      "twinworlds-input 2\npack 0123 forest\n0 Z\n",  // not a hash of a pack's files
      "twinworlds-input 2\npack " + std::string(64, 'a') + " ../x\n",  // not a pack's name
      "twinworlds-input 1\npack " + std::string(64, 'a') + " forest\n",  // a pack only in version 2
  };
  for (const std::string& text : bad) {
    std::vector<InputLine> lines;
    std::string error;
    EXPECT_FALSE(ParseInputText(text, &lines, &error)) << text;
    EXPECT_EQ(error.rfind("line ", 0), 0u) << error;
  }
  std::vector<InputLine> lines;
  std::string error;
  EXPECT_FALSE(LoadInputFile("/nonexistent/input.txt", &lines, &error));
  // A binary file's bytes are quoted as a terminal can show them; its
  // UTF-8 stays as it is.
  EXPECT_FALSE(ParseInputText("0 \x1b]2;x\x07\xff\xc2\x9b\xe3\x81\x82\n", &lines, &error));
  EXPECT_EQ(error, "line 1: unknown key '\\x1B]2;x\\x07\\xFF\\xC2\\x9B\xe3\x81\x82'");
}

TEST(InputFile, KeyNamesGoBothWays) {
  for (int vk = 0; vk < 256; vk++)
    if (const char* name = KeyName(vk)) {
      EXPECT_EQ(KeyFromName(name), vk) << name;
    }
  EXPECT_EQ(KeyFromName("RETURN"), 0x0D);
  EXPECT_EQ(KeyFromName("SHIFT"), -1);
}

// A run as a link: whatever goes in comes out (the whole-game demo, odd
// lengths for base64url, bytes deflate would rather match, any byte), and a
// link cut short or changed is refused rather than played.
TEST(RunLink, CarriesAnyTextAndRefusesABrokenLink) {
  std::ifstream demo(std::string(TW_SOURCE_DIR) + "/demos/complete.txt");
  std::stringstream whole;
  whole << demo.rdbuf();
  std::mt19937 random(7);
  std::string noise(70000, '\0');
  for (char& c : noise) c = static_cast<char>(random());
  std::vector<std::string> texts = {whole.str(), "", "a", "ab", "abc", std::string(1000, 'x'), noise};
  for (int n = 1; n < 40; n++) texts.push_back(whole.str().substr(0, n * 97) + std::string(n, 'Z'));
  for (const std::string& text : texts) {
    const std::string link = MakeRunLink(text, "https://example.org/tw/?lang=en");
    ASSERT_EQ(link.rfind("https://example.org/tw/?lang=en#run=", 0), 0u);
    std::string back, error;
    ASSERT_TRUE(RunTextFromLink(link, &back, &error)) << text.size();
    EXPECT_EQ(back, text);
    EXPECT_EQ(MakeRunLink(text, ""), MakeRunLink(text, ""));
  }
  // Deflate earns its place: the whole game's link under 40% of its text.
  EXPECT_LT(MakeRunLink(whole.str(), "").size(), whole.str().size() * 2 / 5);
  const std::string link = MakeRunLink(whole.str(), "");
  std::string text, error;
  for (const std::string& broken : {link.substr(0, link.size() / 2), link.substr(0, link.size() - 1) + "*",
                                    std::string("#run="), std::string("#run=A"), link.substr(0, 5) + "%%" + link.substr(5)}) {
    EXPECT_FALSE(RunTextFromLink(broken, &text, &error)) << broken;
    EXPECT_FALSE(error.empty());
  }
  // Trailing punctuation a chat program adds is not part of the link.
  EXPECT_TRUE(RunTextFromLink(link + ").", &text, &error));
  RunOptions o;
  EXPECT_FALSE(Parse({"--share-base", "x"}, &o, &error));
  EXPECT_FALSE(Parse({"--then-play"}, &o, &error));
  ASSERT_TRUE(Parse({"--share", "a.txt"}, &o, &error));
  EXPECT_EQ(o.shareBase, DefaultShareBase);
}

}  // namespace
