// SPDX-License-Identifier: MIT
// SHA-256, for the hash that ties a recording to the pack it was made on:
// our own, so that the desktop and the browser build make the same value
// from the same bytes with nothing linked in.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

struct Sha256 {
  uint32_t state[8];
  uint64_t length;  // bytes taken so far
  uint8_t block[64];
  size_t filled;
};

void StartSha256(Sha256* h);
void AddSha256(Sha256* h, const void* bytes, size_t size);
// The digest as 64 lower-case hex digits; the record is spent.
std::string FinishSha256(Sha256* h);
