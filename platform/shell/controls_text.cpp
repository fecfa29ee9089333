// --help's controls, from the bindings the run would have.
#include "platform/shell/controls_text.h"

#include <vector>

#include "platform/backend.h"
#include "platform/files/text_fields.h"
#include "platform/files/whole_file.h"
#include "platform/input/pad_names.h"

namespace {

// A game key's keyboard keys, or its pad buttons, as one list.
std::string Bound(const std::string& text, bool pad) {
  std::string out;
  for (const std::string& item : SplitFields(text, ',')) {
    if (item.empty() || (item.rfind("pad:", 0) == 0) != pad) continue;
    out += (out.empty() ? "" : ", ") + (pad ? PadItemName(item.substr(4), PadFaceXbox) : item);
  }
  return out.empty() ? "-" : out;
}

void Column(std::string* line, const std::string& text, size_t width) {
  *line += text;
  *line += std::string(text.size() < width ? width - text.size() : 1, ' ');
}

}  // namespace

std::string ControlsText(const GameSettings& settings, const std::string& source) {
  std::string text = "controls (keyboard, pad: what it does), " +
                     (source.empty() ? std::string("the defaults") : "as " + source + " binds them") +
                     "; the options screen (F3) changes them:\n";
  for (int i = 0; i < BindableKeys; i++) {
    std::string line = "  ";
    Column(&line, Bound(settings.bindings[i], false), 23);
    Column(&line, Bound(settings.bindings[i], true), 27);
    text += PrintableText(line + BindableKeyTable[i].doc) + "\n";
  }
  return text +
         "  Alt+Enter              full screen or a window\n"
         "  F12                    save a screenshot in your pictures folder (~/Pictures)\n";
}

std::string ControlsText() {
  GameSettings settings;
  for (int i = 0; i < BindableKeys; i++) settings.bindings[i] = BindableKeyTable[i].defaults;
  const std::string path = SettingsFilePath();
  std::vector<uint8_t> bytes;
  if (path.empty() || ReadWholeFile(path, 1 << 20, &bytes)) return ControlsText(settings, "");
  // The file's problems are said when the game runs, not here.
  std::vector<std::string> problems;
  ParseSettingsText(std::string(bytes.begin(), bytes.end()), &settings, &problems);
  return ControlsText(settings, path);
}
