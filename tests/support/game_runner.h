// Runs the real game in a folder of its own and collects what it leaves.
#pragma once

#include <png.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "support/bmp_fixture.h"

struct GameRun {
  int exitCode = -1;
  std::string out, err;
};

inline std::string ReadText(const std::filesystem::path& p) {
  std::ifstream f(p, std::ios::binary);
  std::stringstream s;
  s << f.rdbuf();
  return s.str();
}

// `environment`: "NAME=value" settings for the game's process alone.
inline GameRun RunGame(const std::filesystem::path& folder, const std::vector<std::string>& args,
                       const std::vector<std::string>& environment = {}) {
  const std::filesystem::path out = folder / "run.stdout", err = folder / "run.stderr";
  pid_t pid = fork();
  if (pid == 0) {
    if (chdir(folder.c_str()) != 0) _exit(127);
    if (!freopen(out.c_str(), "w", stdout) || !freopen(err.c_str(), "w", stderr)) _exit(127);
    for (const std::string& e : environment) putenv(strdup(e.c_str()));
    std::vector<char*> argv;
    std::string exe = TW_GAME_EXE;
    argv.push_back(exe.data());
    std::vector<std::string> copy = args;
    for (std::string& a : copy) argv.push_back(a.data());
    argv.push_back(nullptr);
    execv(exe.c_str(), argv.data());
    _exit(127);
  }
  int status = 0;
  waitpid(pid, &status, 0);
  GameRun run;
  run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
  run.out = ReadText(out);
  run.err = ReadText(err);
  return run;
}

// A fresh folder under the system's temporary folder, removed by the caller.
inline std::filesystem::path MakeGameFolder(const std::string& name) {
  std::filesystem::path p = std::filesystem::temp_directory_path() / ("tw_" + name + "_" + std::to_string(getpid()));
  std::filesystem::remove_all(p);
  std::filesystem::create_directories(p);
  return p;
}

// The bitmaps at their surfaces' sizes, each a plain pattern over the
// fixture palette, so that the game starts without the real data.
inline void WriteFixtureBitmaps(const std::filesystem::path& folder) {
  struct Sheet {
    const char* name;
    int w, h;
  };
  const Sheet sheets[] = {{"status.BMP", 640, 480}, {"status_en.BMP", 640, 480}, {"cursol.BMP", 64, 64},   {"number.BMP", 100, 17},
                          {"number2.BMP", 351, 34}, {"Enemy.Bmp", 192, 230},  {"back.BMP", 640, 480},
                          {"char.BMP", 384, 384},   {"gyaku.BMP", 384, 384},  {"haikei1.BMP", 640, 480},
                          {"GEnemy.BMP", 100, 100}, {"explode.BMP", 576, 64}};
  std::filesystem::create_directories(folder / "image" / "stage1");
  for (const Sheet& s : sheets) {
    BmpSpec spec;
    spec.width = s.w;
    spec.height = s.h;
    spec.pixels.resize(static_cast<size_t>(s.w) * s.h);
    for (int y = 0; y < s.h; y++)
      for (int x = 0; x < s.w; x++) spec.pixels[static_cast<size_t>(y) * s.w + x] = static_cast<uint8_t>((x / 8 + y / 8) % 7 + 20);
    WriteBytes((folder / "image" / "stage1" / s.name).string(), BmpBytes(spec));
  }
}

struct Picture {
  int width = 0, height = 0;
  std::vector<uint8_t> rgb;
  const uint8_t* At(int x, int y) const { return &rgb[(static_cast<size_t>(y) * width + x) * 3]; }
};

inline bool ReadPng(const std::filesystem::path& path, Picture* out) {
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_file(&image, path.c_str())) return false;
  image.format = PNG_FORMAT_RGB;
  out->width = static_cast<int>(image.width);
  out->height = static_cast<int>(image.height);
  out->rgb.resize(PNG_IMAGE_SIZE(image));
  return png_image_finish_read(&image, nullptr, out->rgb.data(), 0, nullptr) != 0;
}
