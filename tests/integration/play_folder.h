// A game folder with fixture bitmaps and two fixture stages, packs in the
// player's packs folder beside it, a run of the game on it with an input
// file, and the state it dumps.
#pragma once

#include <nlohmann/json.hpp>
#include <sstream>
#include <string>
#include <vector>

#include "support/game_runner.h"

struct PlayRun {
  int exitCode = -1;
  std::string errors;
  std::string output;  // stdout
  nlohmann::json state;
};

using StageRows = std::vector<std::vector<int>>;

// A width x height map of empty cells, to be filled by the test.
inline StageRows EmptyRows(int width, int height) { return StageRows(height, std::vector<int>(width, 0)); }

// Width, height, then the rows, each value followed by a comma; the game
// writes its own stage files with "\r\n".
inline std::string StageText(const StageRows& rows, const std::string& lineEnd = "\n") {
  std::ostringstream s;
  s << rows[0].size() << "," << rows.size() << "," << lineEnd;
  for (const auto& row : rows) {
    for (int v : row) s << v << ",";
    s << lineEnd;
  }
  return s.str();
}

struct PlayFolder {
  std::filesystem::path dir;

  explicit PlayFolder(const std::string& name) : dir(MakeGameFolder("play_" + name)) {
    WriteFixtureBitmaps(dir);
    std::filesystem::create_directories(dir / "stage");
  }
  ~PlayFolder() { std::filesystem::remove_all(dir); }

  void Write(const std::string& relative, const std::string& text) const {
    WriteBytes((dir / relative).string(), std::vector<uint8_t>(text.begin(), text.end()));
  }
  void WriteStage(const std::string& file, const StageRows& rows, const std::string& lineEnd = "\n") const {
    Write("stage/" + file, StageText(rows, lineEnd));
  }
  void WriteBothStages(const StageRows& rows) const {
    WriteStage("fai_kansei.txt", rows);
    WriteStage("Magic1234.txt", rows);
  }

  // $XDG_DATA_HOME of every run, so that its packs are the test's alone.
  std::filesystem::path DataHome() const { return dir / "data-home"; }
  // A pack in the player's packs folder, and a file in it (its pack.txt
  // by default).
  std::filesystem::path PackDir(const std::string& id) const { return DataHome() / "twinworlds" / "packs" / id; }
  void WritePackFile(const std::string& id, const std::string& relative = "pack.txt",
                     const std::string& text = "name = A test pack\n") const {
    const std::filesystem::path file = PackDir(id) / relative;
    std::filesystem::create_directories(file.parent_path());
    WriteBytes(file.string(), std::vector<uint8_t>(text.begin(), text.end()));
  }

  PlayRun Run(const std::string& input, int flips, const std::vector<std::string>& extra = {}) const {
    Write("input.txt", "twinworlds-input 1\n" + input);
    return RunInput("input.txt", flips, extra);
  }
  // A run of an input file already in the folder.
  PlayRun RunInput(const std::string& file, int flips, const std::vector<std::string>& extra = {}) const {
    std::vector<std::string> args = {"--headless", "--input", file, "--frames", std::to_string(flips),
                                     "--dump-state", "state.json"};
    args.insert(args.end(), extra.begin(), extra.end());
    std::filesystem::remove(dir / "state.json");
    const GameRun run = RunGame(dir, args, {"XDG_DATA_HOME=" + DataHome().string()});
    PlayRun r;
    r.exitCode = run.exitCode;
    r.errors = run.err;
    r.output = run.out;
    const std::string text = ReadText(dir / "state.json");
    if (!text.empty()) r.state = nlohmann::json::parse(text, nullptr, false);
    return r;
  }
};
