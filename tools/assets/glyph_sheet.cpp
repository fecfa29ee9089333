#include "glyph_sheet.h"

#include <iconv.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <fstream>
#include <map>
#include <set>
#include <sstream>

#include "platform/picture/text_encoding.h"

namespace {

struct Text {
  std::string file;
  int line;
  std::string bytes;  // as written between the quotes, escapes untouched
};

// The literals of C++ source: "..." and '...' outside comments, and raw
// strings. A quote after a letter or digit is a digit separator or part of
// a name, not a character literal.
std::vector<Text> Literals(const std::string& file, const std::string& s) {
  std::vector<Text> out;
  int line = 1;
  size_t i = 0;
  auto advance = [&](size_t to) {
    for (; i < to && i < s.size(); i++)
      if (s[i] == '\n') line++;
  };
  while (i < s.size()) {
    const char c = s[i];
    if (c == '/' && i + 1 < s.size() && s[i + 1] == '/') {
      const size_t end = s.find('\n', i);
      advance(end == std::string::npos ? s.size() : end);
    } else if (c == '/' && i + 1 < s.size() && s[i + 1] == '*') {
      const size_t end = s.find("*/", i + 2);
      advance(end == std::string::npos ? s.size() : end + 2);
    } else if (c == '"' && i > 0 && s[i - 1] == 'R') {
      const size_t open = s.find('(', i);
      if (open == std::string::npos) break;
      const std::string close = ")" + s.substr(i + 1, open - i - 1) + "\"";
      const size_t end = s.find(close, open);
      const int at = line;
      const size_t stop = end == std::string::npos ? s.size() : end;
      out.push_back({file, at, s.substr(open + 1, stop - open - 1)});
      advance(stop + close.size());
    } else if (c == '"' || (c == '\'' && (i == 0 || !(std::isalnum(static_cast<unsigned char>(s[i - 1])) || s[i - 1] == '_')))) {
      size_t j = i + 1;
      while (j < s.size() && s[j] != c && s[j] != '\n') j += s[j] == '\\' ? 2 : 1;
      out.push_back({file, line, s.substr(i + 1, std::min(j, s.size()) - i - 1)});
      advance(j + 1);
    } else {
      advance(i + 1);
    }
  }
  return out;
}

// One code point as UTF-8.
std::string Utf8(char32_t c) {
  std::string o;
  AppendUtf8(&o, c);
  return o;
}

// The character as the game gets it back: written in code page 932 by the
// compiler (through iconv, as GCC's -fexec-charset does) and read by the
// platform's decoder. Nothing when the code page has no such character.
std::u32string ThroughCodePage932(char32_t c) {
  static iconv_t cd = iconv_open("CP932", "UTF-8");
  if (cd == reinterpret_cast<iconv_t>(-1)) return {};
  std::string in = Utf8(c);
  char out[8];
  char* ip = in.data();
  char* op = out;
  size_t inLeft = in.size(), outLeft = sizeof out;
  iconv(cd, nullptr, nullptr, nullptr, nullptr);
  if (iconv(cd, &ip, &inLeft, &op, &outLeft) == static_cast<size_t>(-1)) return {};
  return DecodeCp932(out, static_cast<int>(op - out));
}

}  // namespace

namespace {

bool ReadHexFont(const std::string& path, std::map<char32_t, std::string>* font, std::string* error) {
  std::ifstream f(path);
  if (!f) {
    *error = path + ": cannot be read (the unifont package holds GNU Unifont)";
    return false;
  }
  std::string l;
  while (std::getline(f, l)) {
    const size_t colon = l.find(':');
    if (colon == std::string::npos || colon == 0) continue;
    (*font)[static_cast<char32_t>(std::stoul(l.substr(0, colon), nullptr, 16))] = l.substr(colon + 1);
  }
  return true;
}

std::string SheetOf(const std::set<char32_t>& wanted, std::map<char32_t, std::string>& font) {
  std::string sheet;
  for (char32_t c : wanted) {
    char head[16];
    std::snprintf(head, sizeof head, "%04X:", static_cast<unsigned>(c));
    sheet += head + font[c] + "\n";
  }
  return sheet;
}

}  // namespace

std::string CutCodePageSheet(const std::string& unifontHex, const std::string& sheet, std::string* error) {
  std::map<char32_t, std::string> font, have;
  if (!ReadHexFont(unifontHex, &font, error)) return "";
  std::istringstream lines(sheet);
  for (std::string l; std::getline(lines, l);)
    if (l.find(':') != std::string::npos) have[static_cast<char32_t>(std::stoul(l.substr(0, l.find(':')), nullptr, 16))];
  std::set<char32_t> wanted;
  auto take = [&](const char* bytes, int length) {
    for (char32_t c : DecodeCp932(bytes, length))
      if (c >= 0x20 && font.count(c) && !have.count(c)) wanted.insert(c);
  };
  for (int b = 0x20; b < 0x100; b++) {
    const bool lead = (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
    if (!lead) {
      const char one = static_cast<char>(b);
      take(&one, 1);
      continue;
    }
    for (int t = 0x40; t <= 0xFC; t++) {
      if (t == 0x7F) continue;
      const char two[2] = {static_cast<char>(b), static_cast<char>(t)};
      take(two, 2);
    }
  }
  return SheetOf(wanted, font);
}

std::string CutGlyphSheet(const std::string& unifontHex, const std::vector<std::string>& sources, std::string* error) {
  std::map<char32_t, std::string> font;
  if (!ReadHexFont(unifontHex, &font, error)) return "";
  std::set<char32_t> wanted;
  for (char32_t c = 0x20; c < 0x7F; c++) wanted.insert(c);
  std::string missing;
  for (const std::string& path : sources) {
    std::ifstream f(path, std::ios::binary);
    if (!f) {
      *error += path + ": cannot be read\n";
      continue;
    }
    std::stringstream whole;
    whole << f.rdbuf();
    for (const Text& t : Literals(path, whole.str())) {
      for (char32_t c : DecodeUtf8(t.bytes.c_str())) {
        if (c < 0x80) continue;
        std::u32string forms = ThroughCodePage932(c);
        forms.insert(forms.begin(), c);
        for (char32_t f : forms) {
          if (font.count(f)) {
            wanted.insert(f);
          } else {
            char at[64];
            std::snprintf(at, sizeof at, ":%d: U+%04X", t.line, static_cast<unsigned>(f));
            *error += path + at + " (" + Utf8(f) + ") is in no glyph of " + unifontHex + ": \"" + t.bytes + "\"\n";
          }
        }
      }
    }
  }
  if (!error->empty()) return "";
  return SheetOf(wanted, font);
}
