// Input files: the keys of every flip, as text. Played back instead of the
// keyboard (--input) and written while playing (--record).
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

// One line of an input file: from the moment `flip` flips have been made,
// exactly these virtual keys are down.
struct InputLine {
  uint32_t flip;
  std::vector<uint8_t> keys;
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

// The recording: a header, then a line whenever the keys change. The
// header says which pack the game was played on, which the title may still
// change: it is written when the new game starts (or at the end, for a run
// that never began one), and the lines before it wait until then.
struct InputRecording {
  FILE* file;
  uint8_t last[256];
  bool any;
  bool headed;          // the header is written
  std::string waiting;  // the lines before it
};
// Null file (said on stderr) when it cannot be written.
InputRecording StartRecording(const std::string& path);
void RecordKeys(InputRecording* recording, uint32_t flip, const uint8_t* down);
// The header, for the game played on `pack` (null or no name: the game's
// own data, version 1); once.
void WriteRecordingHeader(InputRecording* recording, const InputPackClaim* pack);
void FinishRecording(InputRecording* recording, const InputPackClaim* pack);
