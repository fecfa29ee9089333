// SPDX-License-Identifier: MIT
// Run links inflated by zlib.
#include <zlib.h>

#include "platform/input/run_link.h"

bool InflateRaw(const std::vector<uint8_t>& bytes, size_t largest, std::string* out) {
  z_stream z{};
  // Negative window bits: raw deflate, no zlib header.
  if (inflateInit2(&z, -15) != Z_OK) return false;
  out->clear();
  z.next_in = const_cast<Bytef*>(bytes.data());
  z.avail_in = static_cast<uInt>(bytes.size());
  char chunk[16384];
  int status = Z_OK;
  while (status == Z_OK) {
    z.next_out = reinterpret_cast<Bytef*>(chunk);
    z.avail_out = sizeof chunk;
    status = inflate(&z, Z_NO_FLUSH);
    out->append(chunk, sizeof chunk - z.avail_out);
    if (out->size() > largest) status = Z_BUF_ERROR;
    if (status == Z_OK && z.avail_in == 0 && z.avail_out != 0) status = Z_BUF_ERROR;  // cut short
  }
  inflateEnd(&z);
  return status == Z_STREAM_END && z.avail_in == 0;
}
