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

// Parses the text of an input file; the error names the line.
bool ParseInputText(const std::string& text, std::vector<InputLine>* out, std::string* error);
// At most 64 MiB, a regular file.
bool LoadInputFile(const std::string& path, std::vector<InputLine>* out, std::string* error);
// The name of a virtual key in input files ("RETURN", "Z"), or null.
const char* KeyName(int virtualKey);
int KeyFromName(const std::string& name);

// The recording: a header line, then a line whenever the keys change.
struct InputRecording {
  FILE* file;
  uint8_t last[256];
  bool any;
};
// Null file (said on stderr) when it cannot be written.
InputRecording StartRecording(const std::string& path);
void RecordKeys(InputRecording* recording, uint32_t flip, const uint8_t* down);
void FinishRecording(InputRecording* recording);
