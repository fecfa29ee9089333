// Bytes of the little-endian files the builder writes (BMP, WAV).
#pragma once

#include <cstdint>
#include <vector>

inline void Put16(std::vector<uint8_t>& out, uint32_t v) {
  out.push_back(v & 255);
  out.push_back((v >> 8) & 255);
}

inline void Put32(std::vector<uint8_t>& out, uint32_t v) {
  Put16(out, v & 0xFFFF);
  Put16(out, v >> 16);
}

inline void PutTag(std::vector<uint8_t>& out, const char* tag) {
  for (int i = 0; i < 4; i++) out.push_back(static_cast<uint8_t>(tag[i]));
}
