// SPDX-License-Identifier: MIT
// Packs shared as links, on the real game data: --share-pack and --pack
// LINK play the very same stage files (in 3 KB for the game's own pair);
// a clearing run is believed only when its replay reaches the closing
// screen (the complete demo's, in 8 KB), and a run with changed keys or
// of other stages is said to be so; a link cut short, or one leading out
// of its folder, is refused in one line; a pack the loader or the stage
// checks find fault with is not shared.
#include <gtest/gtest.h>

#include <algorithm>

#include "platform/input/pack_link.h"
#include "platform/input/run_link.h"
#include "support/game_runner.h"

namespace {

namespace fs = std::filesystem;

const std::string StartGame = "twinworlds-input 1\n0\n2 RETURN\n3\n20 RIGHT\n50\n";

struct LinkFolder {
  fs::path dir = MakeGameFolder("pack_links");
  ~LinkFolder() { fs::remove_all(dir); }

  fs::path Packs() const { return dir / "data-home" / "twinworlds" / "packs"; }
  void Write(const fs::path& path, const std::string& text) const {
    fs::create_directories(path.parent_path());
    WriteBytes(path.string(), std::vector<uint8_t>(text.begin(), text.end()));
  }
  // The pack `id` of the game's own two stages, as twinworlds-map --new-pack makes it.
  fs::path OwnStages(const std::string& id) const {
    const fs::path pack = Packs() / id;
    Write(pack / "pack.txt", "name = " + id + "\nauthor = Someone\n");
    for (const char* stage : {"stage/fai_kansei.txt", "stage/Magic1234.txt"}) {
      fs::create_directories(pack / "stage");
      fs::copy_file(fs::path(TW_GAME_DIR) / stage, pack / stage, fs::copy_options::overwrite_existing);
    }
    return pack;
  }
  // The game on the real data, its packs and temporary folders the test's own.
  GameRun Run(const std::vector<std::string>& args) const {
    return RunGame(dir, args, {"XDG_DATA_HOME=" + (dir / "data-home").string(), "TMPDIR=" + dir.string(),
                               "TWINWORLDS_DATA=" + std::string(TW_GAME_DIR)});
  }
  std::string Share(const std::vector<std::string>& args, GameRun* run = nullptr) const {
    std::vector<std::string> all = {"--share-pack"};
    all.insert(all.end(), args.begin(), args.end());
    const GameRun r = Run(all);
    if (run) *run = r;
    return r.exitCode == 0 && !r.out.empty() ? r.out.substr(0, r.out.size() - 1) : "";
  }
  // The first flips of a game on a pack, recorded: the header names its files' hash.
  std::string RecordedHeader(const std::string& pack) const {
    Write(dir / "start.txt", StartGame);
    fs::remove(dir / "rec.txt");
    const GameRun r = Run({"--headless", "--pack", pack, "--input", "start.txt", "--record", "rec.txt"});
    EXPECT_EQ(r.exitCode, 0) << r.err;
    const std::string text = ReadText(dir / "rec.txt");
    return text.substr(0, text.find('\n', text.find('\n') + 1));
  }
  bool AnyTemporaryFolderLeft() const {
    for (const auto& e : fs::directory_iterator(dir))
      if (e.path().filename().string().rfind("twinworlds-link-", 0) == 0) return true;
    return false;
  }
};

// The link with its run's text changed by `change`, encoded again as a
// forger would.
std::string WithRun(const std::string& link, std::string (*change)(const std::string&)) {
  PackLink pack;
  std::string why;
  EXPECT_TRUE(PackLinkFromText(link, &pack, &why)) << why;
  pack.run = change(pack.run);
  return PackLinkText(pack, DefaultShareBase);
}

}  // namespace

TEST(PackLinks, ALinkPlaysTheVeryStageFilesOfItsPackInThreeKilobytes) {
  LinkFolder f;
  const fs::path pack = f.OwnStages("mine");
  // A picture of its own stays out of the link, and the command says so.
  fs::create_directories(pack / "image" / "stage1");
  fs::copy_file(fs::path(TW_GAME_DIR) / "image/stage1/back.BMP", pack / "image/stage1/back.BMP");
  GameRun shared;
  const std::string link = f.Share({"mine"}, &shared);
  ASSERT_FALSE(link.empty()) << shared.err;
  EXPECT_NE(shared.err.find("1 picture or sound is left out"), std::string::npos) << shared.err;
  EXPECT_LE(link.size(), 3072u);
  EXPECT_EQ(link.rfind(std::string(DefaultShareBase) + "#pack=", 0), 0u);

  // Played from the link, the game names the same files as the folder
  // without its picture, and leaves no temporary folder behind.
  fs::remove_all(pack / "image");
  const std::string fromFolder = f.RecordedHeader(pack.string());
  const std::string fromLink = f.RecordedHeader(link);
  EXPECT_EQ(fromLink, fromFolder);
  EXPECT_EQ(fromLink.rfind("twinworlds-input 2\npack ", 0), 0u) << fromLink;
  EXPECT_FALSE(f.AnyTemporaryFolderLeft());
  const GameRun said = f.Run({"--headless", "--pack", link, "--frames", "1"});
  EXPECT_NE(said.err.find("the pack \"mine\" by Someone, from a link: it carries no clearing run"), std::string::npos)
      << said.err;

  // Cut short, it is refused in one line; so is one leading out of its folder.
  const GameRun cut = f.Run({"--headless", "--pack", link.substr(0, link.size() - 12), "--frames", "1"});
  EXPECT_EQ(cut.exitCode, 2);
  EXPECT_EQ(cut.err, "twinworlds: --pack LINK: not a whole pack link (cut short or changed?)\n");
  const std::string outward = "twinworlds-pack 1\nid mine\nfile pack.txt 0\n\nfile stage/../fai_kansei.txt 1\n1\nend\n";
  const GameRun out = f.Run({"--headless", "--pack", "x#pack=" + Base64UrlEncode(DeflateRaw(outward)), "--frames", "1"});
  EXPECT_EQ(out.exitCode, 2);
  EXPECT_EQ(out.err, "twinworlds: --pack LINK: the link carries a path that is not inside the pack: "
                     "'stage/../fai_kansei.txt' leads out of the pack\n");
  EXPECT_FALSE(f.AnyTemporaryFolderLeft());
}

TEST(PackLinks, AClearingRunIsBelievedOnlyWhenItsReplayReachesTheClosingScreen) {
  LinkFolder f;
  f.OwnStages("mine");
  GameRun shared;
  const std::string link = f.Share({"mine", "--run", std::string(TW_SOURCE_DIR) + "/demos/complete.txt"}, &shared);
  ASSERT_FALSE(link.empty()) << shared.err;
  EXPECT_LE(link.size(), 8192u);
  EXPECT_NE(shared.err.find("its run reaches the closing screen in 3:32"), std::string::npos) << shared.err;
  const GameRun played = f.Run({"--headless", "--pack", link, "--frames", "1"});
  EXPECT_EQ(played.exitCode, 0);
  EXPECT_EQ(played.err, "twinworlds: the pack \"mine\" by Someone, from a link: cleared by its maker in 3:32\n");
  // Its run alone asks for the link's stages, and names the link by what it is.
  const GameRun alone = f.Run({"--headless", "--input", link});
  EXPECT_EQ(alone.exitCode, 2);
  EXPECT_EQ(alone.err, "twinworlds: --input LINK: recorded on the pack 'mine', not on the game's own stages; "
                       "play it with --pack LINK\n");

  // Without a jump the character never gets far.
  const std::string grounded = WithRun(link, [](const std::string& run) {
    std::string out = run;
    for (size_t at; (at = out.find(" Z")) != std::string::npos;) out.erase(at, 2);
    return out;
  });
  EXPECT_NE(f.Run({"--headless", "--pack", grounded, "--frames", "1"}).err.find("its run does not reach the end"),
            std::string::npos);
  // A run recorded on other stages is refused, whatever it would do.
  const std::string other = WithRun(link, [](const std::string& run) {
    std::string out = run;
    const size_t hash = out.find("pack ") + 5;
    out.replace(hash, 4, out.compare(hash, 4, "0000") == 0 ? "1111" : "0000");
    return out;
  });
  const GameRun forged = f.Run({"--headless", "--pack", other, "--frames", "1"});
  EXPECT_EQ(forged.exitCode, 0);
  EXPECT_NE(forged.err.find("its run is refused as forged: it was recorded on other stages"), std::string::npos)
      << forged.err;
  // --share-pack refuses to carry either.
  f.Write(f.dir / "grounded.txt", ReadText(fs::path(TW_SOURCE_DIR) / "demos/complete.txt").substr(0, 2000));
  GameRun refused;
  EXPECT_EQ(f.Share({"mine", "--run", "grounded.txt"}, &refused), "");
  EXPECT_NE(refused.err.find("the run does not reach the closing screen on the link's stages"), std::string::npos)
      << refused.err;
}

TEST(PackLinks, APackTheLoaderOrTheStageChecksFindFaultWithIsNotShared) {
  LinkFolder f;
  const fs::path pack = f.OwnStages("mine");
  f.Write(pack / "stage/fai_kansei.txt", "0,15,\n");
  GameRun loader;
  EXPECT_EQ(f.Share({"mine"}, &loader), "");
  EXPECT_EQ(loader.exitCode, 2);
  EXPECT_NE(loader.err.find("fai_kansei.txt"), std::string::npos) << loader.err;

  // The goal taken out of world A's stage: neither world has one.
  f.OwnStages("mine");
  std::string a = ReadText(pack / "stage/fai_kansei.txt");
  for (size_t at; (at = a.find(",52,")) != std::string::npos;) a.replace(at, 4, ",0,");
  f.Write(pack / "stage/fai_kansei.txt", a);
  GameRun checks;
  EXPECT_EQ(f.Share({"mine"}, &checks), "");
  EXPECT_EQ(checks.exitCode, 2);
  EXPECT_NE(checks.err.find("a pack with faults is not shared"), std::string::npos) << checks.err;
}
