// F12: the picture shown, saved as a PNG in the player's pictures folder.
#pragma once

// twinworlds-YYYYMMDD-HHMMSS.png in $XDG_PICTURES_DIR (or ~/Pictures);
// where it went is said on stderr.
void SaveScreenshot();
