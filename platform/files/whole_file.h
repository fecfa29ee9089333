// Files read whole and written whole: the one reader of every file the
// platform takes in at once (bitmaps, music, input files, settings), and
// the writer that leaves a file whole or not at all.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

// Reads an open file to its end and closes it. Null when it was read;
// otherwise why not ("is not a regular file", "is larger than 64 MiB",
// "cannot be read"). A file that grows past `largest` meanwhile is refused
// too.
const char* ReadWholeFile(FILE* file, size_t largest, std::vector<uint8_t>* out);
// The same by path, opened without waiting, so that a FIFO is refused
// rather than waited on.
const char* ReadWholeFile(const std::string& path, size_t largest, std::vector<uint8_t>* out);

// Writes a file whole or not at all: to a temporary name beside it, then
// renamed over the target. False (and nothing left behind) on failure.
bool WriteFileAtomically(const std::string& path, const std::string& bytes);
