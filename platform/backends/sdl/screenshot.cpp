// F12: the picture shown, saved as a PNG in the player's pictures folder.
#include <sys/stat.h>

#include <cstdio>
#include <ctime>
#include <string>

#include "platform/backend.h"
#include "platform/backends/sdl/screenshot.h"
#include "platform/files/user_folders.h"
#include "platform/picture/shown_picture.h"
#include "platform/settings/settings.h"

namespace {

bool Exists(const std::string& path) {
  struct stat s;
  return stat(path.c_str(), &s) == 0;
}

std::string ScreenshotPath(std::time_t when) {
  const std::string folder = PicturesFolder();
  char stamp[32];
  std::tm local{};
  localtime_r(&when, &local);
  std::strftime(stamp, sizeof stamp, "%Y%m%d-%H%M%S", &local);
  std::string path = folder + "/twinworlds-" + stamp + ".png";
  // Two in one second keep both.
  for (int n = 2; Exists(path); n++) path = folder + "/twinworlds-" + stamp + "-" + std::to_string(n) + ".png";
  return path;
}

}  // namespace

std::string SaveScreenshot() {
  const bool english = RunLanguage() == LanguageEnglish;
  const std::string folder = PicturesFolder();
  if (!MakeFoldersFor(folder + "/")) {
    std::fprintf(stderr, "twinworlds: screenshot: cannot make %s\n", folder.c_str());
    return (english ? "Screenshot not saved: cannot make " : "スクリーンショットを保存できません: 作れないフォルダ ") + folder;
  }
  const std::string path = ScreenshotPath(std::time(nullptr));
  const std::vector<uint8_t> rgb = ShownPictureRgb();
  std::string why;
  if (!WritePng(path, rgb.data(), ScreenWidth, ScreenHeight, &why)) {
    std::fprintf(stderr, "twinworlds: screenshot %s: %s\n", path.c_str(), why.c_str());
    return (english ? "Screenshot not saved: " : "スクリーンショットを保存できません: ") + path;
  }
  std::fprintf(stderr, "twinworlds: screenshot saved to %s\n", path.c_str());
  return (english ? "Screenshot saved: " : "スクリーンショットを保存しました: ") + path;
}
