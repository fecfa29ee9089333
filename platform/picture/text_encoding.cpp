// Code page 932 through iconv; UTF-8 and UTF-16 by hand.
#include <iconv.h>

#include <cerrno>
#include <cstring>
#include <string>

#include "platform/picture/text_encoding.h"

namespace {

iconv_t OpenDecoder(const char* to) {
  iconv_t cd = iconv_open(to, "CP932");
  if (cd == reinterpret_cast<iconv_t>(-1)) cd = iconv_open(to, "SHIFT_JIS");
  return cd;
}

// Converts as much as decodes; a byte that does not is skipped.
std::string ConvertWithIconv(iconv_t cd, const char* text, size_t length) {
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
  std::string bytes = ConvertWithIconv(cd, text, length < 0 ? std::strlen(text) : static_cast<size_t>(length));
  std::u32string out(bytes.size() / 4, U'\0');
  for (size_t i = 0; i < out.size(); i++) {
    const auto* b = reinterpret_cast<const unsigned char*>(bytes.data() + 4 * i);
    out[i] = static_cast<char32_t>(b[0] | b[1] << 8 | b[2] << 16 | static_cast<uint32_t>(b[3]) << 24);
  }
  return out;
}

std::string EncodeCp932(const std::u32string& text) {
  static iconv_t cd = [] {
    iconv_t e = iconv_open("CP932", "UTF-32LE");
    return e == reinterpret_cast<iconv_t>(-1) ? iconv_open("SHIFT_JIS", "UTF-32LE") : e;
  }();
  std::string out;
  for (char32_t c : text) {
    if (c < 0x80) {
      out += static_cast<char>(c);
      continue;
    }
    char in[4] = {static_cast<char>(c & 0xFF), static_cast<char>(c >> 8 & 0xFF), static_cast<char>(c >> 16 & 0xFF),
                  static_cast<char>(c >> 24 & 0xFF)};
    char encoded[8];
    char* ip = in;
    char* op = encoded;
    size_t inLeft = sizeof in, outLeft = sizeof encoded;
    bool done = false;
    if (cd != reinterpret_cast<iconv_t>(-1)) {
      iconv(cd, nullptr, nullptr, nullptr, nullptr);
      done = iconv(cd, &ip, &inLeft, &op, &outLeft) != static_cast<size_t>(-1) && op > encoded;
    }
    if (done) out.append(encoded, op - encoded);
    else out += "\xF0\x40";
  }
  return out;
}

std::string Cp932ToUtf8(const char* text) {
  static iconv_t cd = OpenDecoder("UTF-8");
  return text ? ConvertWithIconv(cd, text, std::strlen(text)) : std::string();
}

// UTF-8 to code points; a byte that does not start a character is skipped.
std::u32string DecodeUtf8(const char* text) {
  std::u32string out;
  const auto* s = reinterpret_cast<const unsigned char*>(text ? text : "");
  while (*s) {
    int extra = *s >= 0xF0 ? 3 : *s >= 0xE0 ? 2 : *s >= 0xC0 ? 1 : 0;
    char32_t c = extra ? *s & (0x3F >> extra) : *s;
    if (*s >= 0x80 && *s < 0xC0) {
      s++;
      continue;
    }
    s++;
    for (; extra > 0 && (*s & 0xC0) == 0x80; extra--, s++) c = c << 6 | (*s & 0x3F);
    if (extra == 0) out.push_back(c);
  }
  return out;
}

void AppendUtf8(std::string* out, char32_t c) {
  if (c < 0x80) {
    *out += static_cast<char>(c);
  } else if (c < 0x800) {
    *out += static_cast<char>(0xC0 | c >> 6);
    *out += static_cast<char>(0x80 | (c & 63));
  } else if (c < 0x10000) {
    *out += static_cast<char>(0xE0 | c >> 12);
    *out += static_cast<char>(0x80 | (c >> 6 & 63));
    *out += static_cast<char>(0x80 | (c & 63));
  } else {
    *out += static_cast<char>(0xF0 | c >> 18);
    *out += static_cast<char>(0x80 | (c >> 12 & 63));
    *out += static_cast<char>(0x80 | (c >> 6 & 63));
    *out += static_cast<char>(0x80 | (c & 63));
  }
}

std::string Utf16ToUtf8(const char16_t* text, size_t capacity) {
  std::string out;
  for (size_t i = 0; i < capacity && text[i]; i++) {
    char32_t c = text[i];
    if (c >= 0xD800 && c < 0xDC00 && i + 1 < capacity && text[i + 1] >= 0xDC00 && text[i + 1] < 0xE000)
      c = 0x10000 + ((c - 0xD800) << 10) + (text[++i] - 0xDC00);
    AppendUtf8(&out, c);
  }
  return out;
}

std::u16string EncodeUtf16(const std::u32string& text) {
  std::u16string wide;
  for (char32_t c : text) {
    if (c >= 0x10000) {
      wide += static_cast<char16_t>(0xD800 + ((c - 0x10000) >> 10));
      wide += static_cast<char16_t>(0xDC00 + ((c - 0x10000) & 0x3FF));
    } else {
      wide += static_cast<char16_t>(c);
    }
  }
  return wide;
}
