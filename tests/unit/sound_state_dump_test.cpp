// The state dump counts every PlaySoundEffect by the buffer's name, heard
// or not.
#include <gtest/gtest.h>

#include <fstream>
#include <nlohmann/json.hpp>

#include "app/state_dump.h"
#include "sound/sound_effects.h"
#include "support/sound_files.h"

namespace {

TEST(SoundStateDump, CountsPlaysOfEveryBufferByName) {
  ASSERT_EQ(SeGara, nullptr);  // nothing loaded: silent, still counted
  const uint32_t before = SoundPlayCounts[8];
  const std::string path = soundfiles::TempDir() + "/state.json";
  // Without --dump-state the run's end takes nothing (a large stage once cost
  // a gigabyte there): what is written later is the state as it is then.
  CaptureFinalState();
  PlaySoundEffect(SeGara);
  ASSERT_TRUE(WriteGameState(path));
  EXPECT_EQ(nlohmann::json::parse(std::ifstream(path))["sounds"]["SeGara"], before + 1);
  PlaySoundEffect(SeGara);
  CaptureGameState();
  ASSERT_TRUE(WriteGameState(path));
  std::ifstream in(path);
  const nlohmann::ordered_json state = nlohmann::ordered_json::parse(in);
  const nlohmann::ordered_json& sounds = state.at("sounds");
  ASSERT_EQ(sounds.size(), 10u);
  std::vector<std::string> names;
  for (auto it = sounds.begin(); it != sounds.end(); ++it) names.push_back(it.key());
  EXPECT_EQ(names, (std::vector<std::string>{"SeTest", "SeCoin", "SeFlowerAttack", "SeExplode", "SeOk", "SeLvup",
                                             "SeNo", "SeHit", "SeGara", "SeTestSpare"}));
  EXPECT_EQ(sounds.at("SeGara").get<uint32_t>(), before + 2);
  EXPECT_EQ(state.at("music"), "absent");
}

}  // namespace
