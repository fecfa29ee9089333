// SPDX-License-Identifier: MIT
// The page starts a second game of its own where the desktop would start
// a process (web/page/pack_links.js).
#include "platform/backend.h"

bool RunGameProcess(const std::vector<std::string>&, std::string* why) {
  *why = "the page replays runs itself";
  return false;
}

bool CanRunGameProcess() { return false; }
