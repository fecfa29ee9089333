// F12: the picture shown, saved as a PNG in the player's pictures folder.
#include <sys/stat.h>

#include <cerrno>
#include <cstdio>
#include <ctime>
#include <string>

#include "platform/backend.h"
#include "platform/backends/sdl/screenshot.h"
#include "platform/files/user_folders.h"
#include "platform/picture/shown_picture.h"

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

void SaveScreenshot() {
  const std::string folder = PicturesFolder();
  if (mkdir(folder.c_str(), 0755) != 0 && errno != EEXIST) {
    std::fprintf(stderr, "twinworlds: screenshot: cannot make %s\n", folder.c_str());
    return;
  }
  const std::string path = ScreenshotPath(std::time(nullptr));
  const std::vector<uint8_t> rgb = ShownPictureRgb();
  std::string why;
  if (WritePng(path, rgb.data(), ScreenWidth, ScreenHeight, &why))
    std::fprintf(stderr, "twinworlds: screenshot saved to %s\n", path.c_str());
  else
    std::fprintf(stderr, "twinworlds: screenshot %s: %s\n", path.c_str(), why.c_str());
}
