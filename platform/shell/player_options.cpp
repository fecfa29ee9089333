// SPDX-License-Identifier: MIT
// The options screen's changes to the settings of the run.
#include "platform/shell/player_options.h"

#include <cstdio>
#include <utility>
#include <vector>

#include "platform/audio/mixer.h"
#include "platform/backend.h"
#include "platform/files/text_fields.h"
#include "platform/settings/settings_file_update.h"
#include "platform/shell/run.h"

namespace {

bool IsPadItem(const std::string& item) { return item.rfind("pad:", 0) == 0; }

std::vector<std::string> Items(const std::string& text) {
  std::vector<std::string> out;
  if (Trim(text).empty()) return out;
  for (const std::string& item : SplitFields(text, ','))
    if (!item.empty()) out.push_back(item);
  return out;
}

std::string Join(const std::vector<std::string>& items) {
  std::string text;
  for (const std::string& item : items) text += (text.empty() ? "" : ", ") + item;
  return text;
}

// Keys by what they are, so "return" and "Return" are one key.
bool SameItem(const std::string& a, const std::string& b) {
  if (IsPadItem(a) || IsPadItem(b)) return a == b;
  const int32_t ka = KeyCodeFromName(a.c_str());
  return ka != 0 ? ka == KeyCodeFromName(b.c_str()) : a == b;
}

std::string FirstOfKind(const std::vector<std::string>& items, bool pad) {
  for (const std::string& item : items)
    if (IsPadItem(item) == pad) return item;
  return "";
}

// The items of the other kind, then `item` in the place of this kind's.
std::string Replaced(const std::vector<std::string>& items, bool pad, const std::string& item) {
  std::vector<std::string> out;
  for (const std::string& i : items)
    if (IsPadItem(i) != pad) out.push_back(i);
  if (!item.empty()) {
    if (pad) out.push_back(item);
    else out.insert(out.begin(), item);
  }
  return Join(out);
}

WindowRequest Shown{};
bool ShownKnown = false;

}  // namespace

WindowRequest ShownWindow() {
  WindowRequest shown = ShownKnown ? Shown
                                   : WindowRequest{CurrentRunOptions().window || CurrentRunOptions().headless,
                                                   CurrentRunOptions().scale, false};
  if (ActiveBackend && ActiveBackend->fullScreen) shown.window = !ActiveBackend->fullScreen();
  return shown;
}

int LargestWindowScale() { return ActiveBackend && ActiveBackend->largestScale ? ActiveBackend->largestScale() : 0; }

std::string BoundItem(const GameSettings& settings, int action, bool pad) {
  if (action < 0 || action >= BindableKeys) return "";
  return FirstOfKind(Items(settings.bindings[action]), pad);
}

bool BoundAsDefault(const GameSettings& settings, int action, bool pad) {
  if (action < 0 || action >= BindableKeys) return false;
  const std::string bound = BoundItem(settings, action, pad);
  return !bound.empty() && SameItem(bound, FirstOfKind(Items(BindableKeyTable[action].defaults), pad));
}

RebindResult Rebind(GameSettings* settings, int action, const std::string& item) {
  if (action < 0 || action >= BindableKeys || item.empty()) return RebindRefused;
  const bool pad = IsPadItem(item);
  const std::vector<std::string> own = Items(settings->bindings[action]);
  const std::string old = FirstOfKind(own, pad);
  // First every game key that would lose the item, and whether it may.
  std::vector<int> sharing;
  for (int j = 0; j < BindableKeys; j++) {
    if (j == action || (pad && !PadActionsMeet(action, j))) continue;
    const std::vector<std::string> theirs = Items(settings->bindings[j]);
    bool has = false, hasOther = false;
    for (const std::string& i : theirs) {
      if (IsPadItem(i) != pad) continue;
      if (SameItem(i, item)) has = true;
      else hasOther = true;
    }
    if (!has) continue;
    if (old.empty() && !hasOther) return RebindRefused;
    sharing.push_back(j);
  }
  for (int j : sharing) {
    std::vector<std::string> kept;
    bool given = false;
    for (const std::string& i : Items(settings->bindings[j])) {
      if (IsPadItem(i) == pad && SameItem(i, item)) {
        if (!old.empty() && !given) kept.push_back(old);
        given = true;
      } else {
        kept.push_back(i);
      }
    }
    settings->bindings[j] = Join(kept);
  }
  settings->bindings[action] = Replaced(own, pad, item);
  return sharing.empty() ? RebindSet : RebindSwapped;
}

void RestoreDefaultBindings(GameSettings* settings) {
  for (int i = 0; i < BindableKeys; i++) settings->bindings[i] = BindableKeyTable[i].defaults;
}

void ApplySettings(const GameSettings& settings) {
  SetCurrentSettings(settings);
  SetActiveBindings(BindingsFrom(settings.bindings));
  SetMixVolumes(settings.musicVolume, settings.effectsVolume);
  const WindowRequest now = ShownWindow(), wanted{!settings.fullscreen, settings.scale, false};
  if (wanted.window == now.window && (!wanted.window || wanted.scale == now.scale)) return;
  if (ActiveBackend && ActiveBackend->applyWindow) ActiveBackend->applyWindow(wanted);
  Shown = wanted;
  ShownKnown = true;
}

bool SaveSettings(const GameSettings& settings) {
  // What the options screen changes; the window's size and place are the
  // backend's to write at exit.
  GameSettings copy = settings;
  std::vector<std::pair<std::string, std::string>> values;
  for (const SettingRow& row : SettingTable(&copy)) {
    const std::string name = row.name;
    if (name == "window_size" || name == "window_position") continue;
    values.emplace_back(name, SettingValueText(row));
  }
  return SaveSettingValues(values);
}
