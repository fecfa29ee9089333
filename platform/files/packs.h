// SPDX-License-Identifier: MIT
// Packs: a folder holding any of the game's data files, by the game's own
// names and layout (stage/fai_kansei.txt, image/stage1/back.BMP,
// se/coin01.wav, Sound/yamiji.mid), found whatever their case, and
// pack.txt. While a pack is in force, every data file the game opens comes
// from the pack when it has that file, else from the game data. A pack is
// read once, when it is chosen: its files are listed then, so that a look-up
// costs no file access and a file it lacks no failed open.
#pragma once

#include <string>
#include <vector>

#include "platform/files/pack_info.h"

// A pack's folder name is its id, on the command line (--pack NAME), in the
// settings file and in recordings: 1 to 64 of the letters A-Z a-z, the
// digits, '-', '_' and '.', not starting with '.'. "" when `name` is one;
// otherwise why not.
std::string PackNameFault(const std::string& name);
// A path inside a pack, relative, '/' between its parts ("stage/x.txt"):
// each part a name as above, at most 8 parts and 255 bytes; so never "..",
// never absolute. "" when it is one; otherwise why not.
std::string PackPathFault(const std::string& relative);

// One data file a pack holds in place of the game's.
struct PackFile {
  std::string key;   // the game data's relative path in lower case ("stage/magic1234.txt")
  std::string path;  // the pack's file, by its real path
};

struct Pack {
  std::string id;      // the folder's name
  std::string folder;  // its real path
  PackInfo info;
  std::vector<PackFile> files;  // sorted by key
  // SHA-256 over the files, in the order of their keys: each key, a zero
  // byte, the length as 8 bytes little-endian, the contents. pack.txt and
  // files the game never opens are not in it.
  std::string hash;
  // "" when the pack's files can be used as far as this reading goes (what
  // they hold is for the game's own loaders to judge); otherwise one line
  // naming the file and why.
  std::string fault;
};

// Each data file of a pack is at most this large.
constexpr size_t LargestPackFile = 16 << 20;
// A pack folder holds at most this many files and folders.
constexpr int MostPackEntries = 1000;

// Reads `folder` as the pack `id` (its name in the packs folder, or, for a
// folder given by its path, the last part of it), against the data folder
// in force: which of its files stand for the game's, and their hash.
// Nothing is written, nothing outside the folder is read.
Pack ReadPack(const std::string& folder, const std::string& id);
// The id of a folder given by its path: its last part.
std::string PackIdOfPath(const std::string& folder);
// Every folder inside these folders as a pack, the first folder's first:
// a name found again in a later folder is left out. Sorted by id within
// each folder. Folders that do not exist are passed over.
std::vector<Pack> ReadPacksIn(const std::vector<std::string>& folders);

// The pack in force from now on (copied); null: the game's own data.
void SetPackInForce(const Pack* pack);
// Null while the game's own data is in force.
const Pack* PackInForce();
// The file of the pack in force that stands for a data file, named as the
// game names it with '/' ("stage/Magic1234.txt", any case); null when
// there is none.
const std::string* PackFileFor(const std::string& relative);
