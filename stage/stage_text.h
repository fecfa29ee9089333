// SPDX-License-Identifier: MIT
// Stages as text: the stage file written as the game's own files are, and
// the text maps its stages are drawn in (a legend of characters, then the
// map drawn in them) turned into stage files.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct StageMap;

// "W,H," then a row a line, every value followed by a comma; lines end as
// they do on Windows.
std::string FormatStageText(int32_t width, int32_t height, const int32_t* cells);
// The grid as its file had it: a loaded map's cells with the event markers
// the loader took out put back.
std::vector<int32_t> StageFileCells(const StageMap* map);

// A text map as a stage file's text. False when it cannot be one, with the
// place and the reason in `why` ("NAME:LINE: ..."): a row of another length,
// a character without a legend entry, a legend character given twice, a
// line that is neither, no map.
bool TextMapToStageText(const std::string& source, const std::string& name, std::string* stage, std::string* why);
// Whether a file's text is a text map rather than a stage file: a stage
// file starts with its width.
bool LooksLikeTextMap(const std::string& text);
