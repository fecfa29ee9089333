// Input files: the keys of every flip, as text. Played back instead of the
// keyboard (--input) and written while playing (--record).
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "platform/backend.h"

// One line of an input file: from the moment `flip` flips have been made,
// exactly these virtual keys are down, and the pointer is where it says.
struct InputLine {
  uint32_t flip;
  std::vector<uint8_t> keys;
  PointerSample pointer = {};  // version 3: "@X,Y" over the picture, "WHEEL+N" notches at this flip
};

// The pack a recording was made on, as its header says: version 2 files
// begin "twinworlds-input 2" and "pack HASH NAME" (the pack's id and the
// hash of its files, platform/files/packs.h). Files made on the game's own
// data are version 1 and claim nothing.
struct InputPackClaim {
  std::string name;  // "" when the file names no pack
  std::string hash;
};

// Parses the text of an input file; the error names the line.
bool ParseInputText(const std::string& text, std::vector<InputLine>* out, std::string* error,
                    InputPackClaim* pack = nullptr);
// At most 64 MiB, a regular file.
bool LoadInputFile(const std::string& path, std::vector<InputLine>* out, std::string* error,
                   InputPackClaim* pack = nullptr);
// The name of a virtual key in input files ("RETURN", "Z"), or null.
const char* KeyName(int virtualKey);
int KeyFromName(const std::string& name);
// The version a line needs: 3 when it holds the pointer, its buttons or
// the focus mark, else 1.
constexpr int PointerInputVersion = 3;
int VersionOfLine(const uint8_t* down, const PointerSample& pointer);
// A line as files hold it: the flip, the keys down, the pointer; with its
// line feed.
std::string InputLineText(uint32_t flip, const uint8_t* down, const PointerSample& pointer);

// The recording: a header, then a line whenever the keys change, each
// written at once (the page reads the file while the game runs). The
// header says which pack the game is played on, which the title may still
// change: it is settled when the new game starts (or at the end, for a run
// that never began one); a game on a pack then rewrites the file from its
// start with its own header, the lines so far kept.
// Version 1 grows to 3 in place (the first line, of the same length) at
// the first line that needs it.
struct InputRecording {
  FILE* file;
  uint8_t last[256];
  PointerSample lastPointer;
  bool any;
  bool headed;          // the header is settled
  int version;          // of the first line
  std::string written;  // the lines before that
};
// Null file (said on stderr) when it cannot be written.
InputRecording StartRecording(const std::string& path);
void RecordKeys(InputRecording* recording, uint32_t flip, const uint8_t* down, const PointerSample& pointer = {});
// Settles the header, for the game played on `pack` (null or no name: the
// game's own data, version 1, as written at the start); once.
void WriteRecordingHeader(InputRecording* recording, const InputPackClaim* pack);
void FinishRecording(InputRecording* recording, const InputPackClaim* pack);
