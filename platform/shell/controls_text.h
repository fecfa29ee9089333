// The controls part of --help: every game key with the keyboard keys and
// pad buttons the settings file binds to it.
#pragma once

#include <string>

#include "platform/settings/settings.h"

// The lines for these settings' bindings, said to come from `source` (the
// settings file's path, or "" for the defaults).
std::string ControlsText(const GameSettings& settings, const std::string& source);
// The same for the settings file as it stands, read and never written.
std::string ControlsText();
