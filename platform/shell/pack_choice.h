// SPDX-License-Identifier: MIT
// The stages a run plays: the game's own, or a pack, chosen with --pack
// for the run or on the title's list (and then kept in the settings file).
// While the run's keys come from an input file, or it is headless, the
// pack is the one it started with: a recording that opened the list plays
// back the same on any machine, whatever packs it has.
#pragma once

#include <string>
#include <vector>

#include "platform/files/packs.h"
#include "platform/settings/settings.h"

// Where packs are looked for, in order: the player's packs folder
// (PlayerPacksFolder()), then the system's, packs/ in the game data folder
// (/usr/share/games/twinworlds/packs for the package).
std::vector<std::string> PacksFolders();
// Every pack there (ReadPacksIn); the fault of each that cannot be used is
// said on stderr, one line each.
std::vector<Pack> FindPacks();
// --pack's value as a folder and the pack's id. A value holding a '/' is a
// folder; a name is a pack of the packs folders, else a folder of that name
// in the working directory. A pack shared as a link (BASE#pack=...) is
// opened in a temporary folder, and its run checked (linked_packs.h).
// False with why not.
bool ResolvePackOption(const std::string& value, std::string* folder, std::string* id, std::string* why);
// The game's own judgement of a pack's files ("" when it can be played;
// otherwise the line, said on stderr already): set by the game before the
// run starts, so that --pack refuses, and the settings file's choice
// passes over, a pack the game could not play. Null: the files' own
// reading is all.
void SetPackCheck(std::string (*check)(const Pack& pack));
std::string CheckPack(const Pack& pack);
// True when the title's list may not change the stages (the keys come from
// an input file, or the run is headless).
bool PackChoiceFixed();
// The title's choice (null: the game's own) in force from now on; with
// `keep`, written to the settings file as `pack`.
void ChoosePack(const Pack* pack, bool keep);
// The new game starts on the pack in force: a recording's header says so.
void NoteNewGameStarts();
// What a pack says of itself (name, author, licence, description) in the
// language, as code page 932 bytes for the game's text; the name is the
// folder's when pack.txt gives none.
std::string PackScreenText(const Pack& pack, const char* key, Language language);
// Any UTF-8 text (a fault line) as code page 932 bytes for the screen.
std::string ScreenText(const std::string& utf8);
