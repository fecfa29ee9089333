// F12: the picture shown, saved as a PNG in the player's pictures folder.
#pragma once

#include <string>

// twinworlds-YYYYMMDD-HHMMSS.png in the pictures folder (PicturesFolder());
// where it went is said on stderr. Returns the short line the window shows
// for it, in the run's language.
std::string SaveScreenshot();
