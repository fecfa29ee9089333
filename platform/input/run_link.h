// SPDX-License-Identifier: MIT
// Runs shared as links: an input file deflated into the fragment of a web
// address (base64url), so a whole game fits in a link the page replays.
// The encoder is our own, so the desktop and the page make the very same
// link from the same recording; reading one inflates through the build's
// own inflater.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/input/input_file.h"

// Where the page is served by `scripts/web.sh serve`; --share-base changes it.
constexpr const char* DefaultShareBase = "http://127.0.0.1:8000/";
// What sets a run apart in an address: BASE#run=DATA.
constexpr const char* RunLinkMark = "#run=";

// Raw deflate (RFC 1951): lazy matches, one block with its own codes.
std::vector<uint8_t> DeflateRaw(const std::string& text);
// Raw inflate, at most `largest` bytes out; false on a fault or more.
// Each build has its own (zlib on the desktop).
bool InflateRaw(const std::vector<uint8_t>& bytes, size_t largest, std::string* out);

std::string Base64UrlEncode(const std::vector<uint8_t>& bytes);
bool Base64UrlDecode(const std::string& text, std::vector<uint8_t>* out);

// BASE#run=DATA for the text of an input file.
std::string MakeRunLink(const std::string& inputText, const std::string& base);
bool IsRunLink(const std::string& text);
// The input file's text carried by a link; the error says what is wrong.
bool RunTextFromLink(const std::string& link, std::string* text, std::string* error);
// --input: a file, a link made by MakeRunLink, or the run a pack link carries.
bool LoadInputFileOrLink(const std::string& fileOrLink, std::vector<InputLine>* out, std::string* error,
                         InputPackClaim* pack = nullptr);
