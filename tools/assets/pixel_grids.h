// Pictures kept as text: blocks of rows that start with "glyph NAME".
#pragma once

#include <map>
#include <string>
#include <vector>

#include "canvas.h"

using Grid = std::vector<std::string>;
using GridSet = std::map<std::string, Grid>;

// Reads every block of a file; exits naming the line when rows of one block
// differ in length.
GridSet LoadGrids(const std::string& path);
const Grid& GridNamed(const GridSet& set, const std::string& name);

// Paints a grid: each character looks up its colour in `legend` (pairs of
// character and index); characters not in the legend are left see-through.
Canvas GridToCanvas(const Grid& g, const std::vector<std::pair<char, uint8_t>>& legend);
// A one-colour grid: '#' becomes `ink`.
Canvas InkGrid(const Grid& g, uint8_t ink);
