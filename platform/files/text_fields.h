// The small text helpers that the settings, the bindings and the folder
// lists share.
#pragma once

#include <string>
#include <vector>

// Without the spaces, tabs and carriage returns at either end.
std::string Trim(const std::string& text);
// The fields between separators, each trimmed; empty ones are kept, and
// an empty text is one empty field.
std::vector<std::string> SplitFields(const std::string& text, char separator);
// The text as a terminal can show it: every byte that is not printable
// UTF-8 (control bytes, C1 controls, broken sequences) written as \xNN, so
// a bad file quoted in a message never sends the terminal its bytes.
std::string PrintableText(const std::string& text);
