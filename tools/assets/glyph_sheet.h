// The game's glyph sheet: every character its texts hold, and printable
// ASCII, cut from GNU Unifont into a .hex file of its own, so that the game
// draws its text with no font installed.
#pragma once

#include <string>
#include <vector>

// The texts are the string and character literals of `sources` (the game's
// and the platform's source files, UTF-8; the game's are compiled to code
// page 932, so each text also counts as that code page gives it back).
// Returns the sheet, or "" with `error` naming each text holding a
// character the font has no glyph for.
std::string CutGlyphSheet(const std::string& unifontHex, const std::vector<std::string>& sources, std::string* error);
// The rest of code page 932: every character it has that the font draws
// and `sheet` lacks, for the names packs give themselves (font/names.hex,
// read only when one needs it).
std::string CutCodePageSheet(const std::string& unifontHex, const std::string& sheet, std::string* error);
