// Text between the encodings the platform meets: the game's code page 932
// (Shift-JIS as Windows has it), UTF-8 (the window system, the terminal)
// and UTF-16 (DirectMusic's names). Bytes that do not decode are skipped.
#pragma once

#include <string>

// Code page 932 to code points; length -1: up to the terminating zero.
std::u32string DecodeCp932(const char* text, int length);
std::string Cp932ToUtf8(const char* text);
std::u32string DecodeUtf8(const char* text);
// One code point written as UTF-8 at the end of `out`.
void AppendUtf8(std::string* out, char32_t c);
// UTF-16 of at most `capacity` units, up to a zero, to UTF-8.
std::string Utf16ToUtf8(const char16_t* text, size_t capacity);
std::u16string EncodeUtf16(const std::u32string& text);
// Code points as code page 932 bytes, for the game's text routine. A
// character the code page has not becomes its first user-defined one
// (0xF040, U+E000), which no glyph sheet holds, so that it is drawn as a
// box like any character without a glyph.
std::string EncodeCp932(const std::u32string& text);
