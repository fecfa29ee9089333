// SPDX-License-Identifier: MIT
// The settings file rewritten with new values: every line the player wrote,
// comments and lines the game does not know included, stays as it was.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "platform/settings/settings.h"

// The text with each `name = value` line of a name in `values` given the new
// value (a comment after it kept); names it lacks are added at its end.
std::string UpdateSettingsText(const std::string& text, const std::vector<std::pair<std::string, std::string>>& values);
// The text of a setting's value as the file writes it.
std::string SettingValueText(const SettingRow& row);
// Rewrites the file (the defaults' text when there is none) with every
// setting's value: whole to a temporary file, then renamed over it. False,
// said on stderr, when it cannot be read or written.
bool SaveSettingsFile(const std::string& path, const GameSettings& settings);
