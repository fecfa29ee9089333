// Code page 932 (Shift-JIS as Windows has it) to Unicode, through iconv.
#include <iconv.h>

#include <cerrno>
#include <cstring>
#include <string>

#include "platform/internal.h"

namespace {

iconv_t OpenDecoder(const char* to) {
  iconv_t cd = iconv_open(to, "CP932");
  if (cd == reinterpret_cast<iconv_t>(-1)) cd = iconv_open(to, "SHIFT_JIS");
  return cd;
}

// Converts as much as decodes; a byte that does not is skipped.
std::string Convert(iconv_t cd, const char* text, size_t length) {
  std::string out;
  if (cd == reinterpret_cast<iconv_t>(-1)) return out;
  iconv(cd, nullptr, nullptr, nullptr, nullptr);
  char* in = const_cast<char*>(text);
  size_t inLeft = length;
  char buffer[1024];
  while (inLeft > 0) {
    char* o = buffer;
    size_t oLeft = sizeof buffer;
    size_t r = iconv(cd, &in, &inLeft, &o, &oLeft);
    out.append(buffer, o - buffer);
    if (r == static_cast<size_t>(-1) && errno != E2BIG) {
      in++;
      inLeft--;
      iconv(cd, nullptr, nullptr, nullptr, nullptr);
    }
  }
  return out;
}

}  // namespace

std::u32string DecodeCp932(const char* text, int length) {
  static iconv_t cd = OpenDecoder("UTF-32LE");
  std::string bytes = Convert(cd, text, length < 0 ? std::strlen(text) : static_cast<size_t>(length));
  std::u32string out(bytes.size() / 4, U'\0');
  for (size_t i = 0; i < out.size(); i++) {
    const auto* b = reinterpret_cast<const unsigned char*>(bytes.data() + 4 * i);
    out[i] = static_cast<char32_t>(b[0] | b[1] << 8 | b[2] << 16 | static_cast<uint32_t>(b[3]) << 24);
  }
  return out;
}

std::string Cp932ToUtf8(const char* text) {
  static iconv_t cd = OpenDecoder("UTF-8");
  return text ? Convert(cd, text, std::strlen(text)) : std::string();
}
