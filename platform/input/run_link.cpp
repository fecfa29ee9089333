// SPDX-License-Identifier: MIT
// Runs as links: the deflater, base64url and the link's own format.
#include "platform/input/run_link.h"

#include <algorithm>
#include <array>

#include "platform/input/pack_link.h"

namespace {

// An input file is text of a few lines a second of play: anything larger
// than this is not one (as for files).
constexpr size_t LargestInputText = 64 << 20;

constexpr int WindowSize = 32768;
constexpr int ShortestMatch = 3, LongestMatch = 258;
// How many earlier places with the same three bytes are tried: enough for
// key lines, which repeat a lot, and fixed so the output never varies.
constexpr int ChainTries = 128;
constexpr int HashBits = 15;

constexpr std::array<uint16_t, 29> LengthBase = {3,  4,  5,  6,  7,  8,  9,  10, 11,  13,  15,  17,  19,  23, 27,
                                                 31, 35, 43, 51, 59, 67, 83, 99, 115, 131, 163, 195, 227, 258};
constexpr std::array<uint8_t, 29> LengthExtra = {0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 1, 1, 2, 2, 2,
                                                 2, 3, 3, 3, 3, 4, 4, 4, 4, 5, 5, 5, 5, 0};
constexpr std::array<uint16_t, 30> DistanceBase = {1,    2,    3,    4,    5,    7,     9,     13,    17,  25,
                                                   33,   49,   65,   97,   129,  193,   257,   385,   513, 769,
                                                   1025, 1537, 2049, 3073, 4097, 6145,  8193,  12289, 16385, 24577};
constexpr std::array<uint8_t, 30> DistanceExtra = {0, 0, 0, 0, 1, 1, 2, 2,  3,  3,  4,  4,  5,  5,  6,
                                                   6, 7, 7, 8, 8, 9, 9, 10, 10, 11, 11, 12, 12, 13, 13};

struct BitWriter {
  std::vector<uint8_t> bytes;
  uint32_t bits = 0;
  int count = 0;
};

// Extra bits and headers go least significant bit first.
void PutBits(BitWriter* w, uint32_t value, int count) {
  w->bits |= value << w->count;
  w->count += count;
  while (w->count >= 8) {
    w->bytes.push_back(static_cast<uint8_t>(w->bits));
    w->bits >>= 8;
    w->count -= 8;
  }
}

// Huffman codes go most significant bit first.
void PutCode(BitWriter* w, uint32_t code, int length) {
  uint32_t reversed = 0;
  for (int i = 0; i < length; i++) reversed |= ((code >> i) & 1) << (length - 1 - i);
  PutBits(w, reversed, length);
}

// Code lengths of a Huffman code for `counts`, none longer than `limit`:
// the two least frequent joined first (ties by position, so the code never
// varies); too long a code halves the counts and tries again.
std::vector<uint8_t> CodeLengths(std::vector<uint32_t> counts, int limit) {
  const int n = static_cast<int>(counts.size());
  for (;;) {
    struct Node {
      uint32_t weight;
      int parent;
    };
    std::vector<Node> nodes;
    std::vector<int> open;
    for (int i = 0; i < n; i++) nodes.push_back({counts[i], -1});
    for (int i = 0; i < n; i++)
      if (counts[i]) open.push_back(i);
    std::vector<uint8_t> lengths(n, 0);
    if (open.size() == 1) lengths[open[0]] = 1;
    while (open.size() > 1) {
      auto lightest = [&]() {
        size_t best = 0;
        for (size_t i = 1; i < open.size(); i++)
          if (nodes[open[i]].weight < nodes[open[best]].weight) best = i;
        const int node = open[best];
        open.erase(open.begin() + static_cast<std::ptrdiff_t>(best));
        return node;
      };
      const int a = lightest(), b = lightest();
      nodes.push_back({nodes[a].weight + nodes[b].weight, -1});
      nodes[a].parent = nodes[b].parent = static_cast<int>(nodes.size()) - 1;
      open.push_back(static_cast<int>(nodes.size()) - 1);
    }
    bool fits = true;
    for (int i = 0; i < n; i++) {
      if (!counts[i] || open.size() != 1) continue;
      int depth = 0;
      for (int at = i; nodes[at].parent >= 0; at = nodes[at].parent) depth++;
      // A code of one symbol still takes a bit.
      lengths[i] = static_cast<uint8_t>(std::max(depth, 1));
      fits = fits && depth <= limit;
    }
    if (fits) return lengths;
    for (uint32_t& c : counts)
      if (c) c = (c + 1) / 2;
  }
}

// The canonical codes of RFC 1951, 3.2.2.
std::vector<uint16_t> Codes(const std::vector<uint8_t>& lengths) {
  uint16_t count[16] = {}, next[16] = {};
  for (uint8_t l : lengths) count[l]++;
  count[0] = 0;
  for (int bits = 1, code = 0; bits < 16; bits++) next[bits] = static_cast<uint16_t>(code = (code + count[bits - 1]) << 1);
  std::vector<uint16_t> codes(lengths.size(), 0);
  for (size_t i = 0; i < lengths.size(); i++)
    if (lengths[i]) codes[i] = next[lengths[i]]++;
  return codes;
}

struct Token {
  uint16_t length;  // 0: a literal
  uint16_t value;   // the literal, or the distance
};

int LengthSlot(int length) {
  int l = 28;
  while (LengthBase[l] > length) l--;
  return l;
}

int DistanceSlot(int distance) {
  int d = 29;
  while (DistanceBase[d] > distance) d--;
  return d;
}

uint32_t Hash3(const uint8_t* p) { return ((p[0] << 10) ^ (p[1] << 5) ^ p[2]) & ((1 << HashBits) - 1); }

int Sextet(char c) {
  if (c >= 'A' && c <= 'Z') return c - 'A';
  if (c >= 'a' && c <= 'z') return c - 'a' + 26;
  if (c >= '0' && c <= '9') return c - '0' + 52;
  if (c == '-') return 62;
  if (c == '_') return 63;
  return -1;
}

}  // namespace

// Matches first (along hash chains, a literal first where the next byte
// starts a longer match), then one block with codes of
// its own: key lines use a few characters, which a fitted code packs tight.
std::vector<uint8_t> DeflateRaw(const std::string& text) {
  const auto* in = reinterpret_cast<const uint8_t*>(text.data());
  const int size = static_cast<int>(text.size());
  std::vector<int> head(1 << HashBits, -1), previous(size, -1);
  std::vector<Token> tokens;
  auto insert = [&](int at) {
    if (at + ShortestMatch > size) return;
    const uint32_t h = Hash3(in + at);
    previous[at] = head[h];
    head[h] = at;
  };
  auto longest = [&](int at, int* distance) {
    int best = 0;
    if (at + ShortestMatch > size) return 0;
    const int most = std::min(LongestMatch, size - at);
    int tries = ChainTries;
    for (int from = head[Hash3(in + at)]; from >= 0 && at - from <= WindowSize && tries-- > 0; from = previous[from]) {
      int n = 0;
      while (n < most && in[from + n] == in[at + n]) n++;
      if (n > best) best = n, *distance = at - from;
      if (n == most) break;
    }
    return best;
  };
  for (int at = 0; at < size;) {
    int distance = 0, laterDistance = 0;
    const int length = longest(at, &distance);
    insert(at);
    // A longer match one byte on is worth a literal first.
    if (length < ShortestMatch || longest(at + 1, &laterDistance) > length) {
      tokens.push_back({0, in[at]});
      at++;
      continue;
    }
    tokens.push_back({static_cast<uint16_t>(length), static_cast<uint16_t>(distance)});
    for (int i = 1; i < length; i++) insert(at + i);
    at += length;
  }
  // The two codes, fitted to the tokens.
  std::vector<uint32_t> litCounts(286, 0), distCounts(30, 0);
  for (const Token& t : tokens) {
    if (t.length == 0) {
      litCounts[t.value]++;
    } else {
      litCounts[257 + LengthSlot(t.length)]++;
      distCounts[DistanceSlot(t.value)]++;
    }
  }
  litCounts[256] = 1;
  // A block must give at least one distance code (RFC 1951, 3.2.7).
  if (std::all_of(distCounts.begin(), distCounts.end(), [](uint32_t c) { return c == 0; })) distCounts[0] = 1;
  const std::vector<uint8_t> litLengths = CodeLengths(litCounts, 15), distLengths = CodeLengths(distCounts, 15);
  const std::vector<uint16_t> litCodes = Codes(litLengths), distCodes = Codes(distLengths);
  int hlit = 286, hdist = 30;
  while (litLengths[hlit - 1] == 0) hlit--;
  while (hdist > 1 && distLengths[hdist - 1] == 0) hdist--;
  // The code lengths themselves, run-length coded (16 repeats, 17 and 18 zeros).
  std::vector<uint8_t> all(litLengths.begin(), litLengths.begin() + hlit);
  all.insert(all.end(), distLengths.begin(), distLengths.begin() + hdist);
  struct Run {
    uint8_t symbol, extra;
  };
  std::vector<Run> runs;
  for (size_t i = 0; i < all.size();) {
    size_t same = 1;
    while (i + same < all.size() && all[i + same] == all[i]) same++;
    if (all[i] == 0 && same >= 3) {
      const int n = static_cast<int>(std::min<size_t>(same, 138));
      runs.push_back(n >= 11 ? Run{18, static_cast<uint8_t>(n - 11)} : Run{17, static_cast<uint8_t>(n - 3)});
      i += n;
    } else if (all[i] != 0 && same >= 4) {
      runs.push_back({all[i], 0});
      const int n = static_cast<int>(std::min<size_t>(same - 1, 6));
      runs.push_back({16, static_cast<uint8_t>(n - 3)});
      i += 1 + n;
    } else {
      runs.push_back({all[i], 0});
      i++;
    }
  }
  std::vector<uint32_t> runCounts(19, 0);
  for (const Run& r : runs) runCounts[r.symbol]++;
  // Inflaters refuse a code-length code that is not complete: two symbols at least.
  if (std::count_if(runCounts.begin(), runCounts.end(), [](uint32_t c) { return c > 0; }) < 2)
    runCounts[runCounts[0] ? 1 : 0]++;
  const std::vector<uint8_t> runLengths = CodeLengths(runCounts, 7);
  const std::vector<uint16_t> runCodes = Codes(runLengths);
  static constexpr uint8_t RunOrder[19] = {16, 17, 18, 0, 8, 7, 9, 6, 10, 5, 11, 4, 12, 3, 13, 2, 14, 1, 15};
  int hclen = 19;
  while (hclen > 4 && runLengths[RunOrder[hclen - 1]] == 0) hclen--;

  BitWriter w;
  PutBits(&w, 1, 1);  // the last block
  PutBits(&w, 2, 2);  // codes of its own
  PutBits(&w, hlit - 257, 5);
  PutBits(&w, hdist - 1, 5);
  PutBits(&w, hclen - 4, 4);
  for (int i = 0; i < hclen; i++) PutBits(&w, runLengths[RunOrder[i]], 3);
  for (const Run& r : runs) {
    PutCode(&w, runCodes[r.symbol], runLengths[r.symbol]);
    if (r.symbol == 16) PutBits(&w, r.extra, 2);
    if (r.symbol == 17) PutBits(&w, r.extra, 3);
    if (r.symbol == 18) PutBits(&w, r.extra, 7);
  }
  for (const Token& t : tokens) {
    if (t.length == 0) {
      PutCode(&w, litCodes[t.value], litLengths[t.value]);
      continue;
    }
    const int l = LengthSlot(t.length), d = DistanceSlot(t.value);
    PutCode(&w, litCodes[257 + l], litLengths[257 + l]);
    PutBits(&w, t.length - LengthBase[l], LengthExtra[l]);
    PutCode(&w, distCodes[d], distLengths[d]);
    PutBits(&w, t.value - DistanceBase[d], DistanceExtra[d]);
  }
  PutCode(&w, litCodes[256], litLengths[256]);
  if (w.count > 0) w.bytes.push_back(static_cast<uint8_t>(w.bits));
  return w.bytes;
}

std::string Base64UrlEncode(const std::vector<uint8_t>& bytes) {
  static const char Alphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789-_";
  std::string out;
  uint32_t bits = 0;
  int count = 0;
  for (uint8_t b : bytes) {
    bits = (bits << 8) | b;
    count += 8;
    while (count >= 6) out += Alphabet[(bits >> (count -= 6)) & 63];
  }
  if (count > 0) out += Alphabet[(bits << (6 - count)) & 63];
  return out;
}

bool Base64UrlDecode(const std::string& text, std::vector<uint8_t>* out) {
  out->clear();
  uint32_t bits = 0;
  int count = 0;
  for (char c : text) {
    const int v = Sextet(c);
    if (v < 0) return false;
    bits = (bits << 6) | v;
    count += 6;
    if (count >= 8) out->push_back(static_cast<uint8_t>(bits >> (count -= 8)));
  }
  // What is left over must be the zero bits of the last sextet.
  return count < 6 && (bits & ((1u << count) - 1)) == 0;
}

std::string MakeRunLink(const std::string& inputText, const std::string& base) {
  return base + RunLinkMark + Base64UrlEncode(DeflateRaw(inputText));
}

bool IsRunLink(const std::string& text) { return text.find(RunLinkMark) != std::string::npos; }

bool RunTextFromLink(const std::string& link, std::string* text, std::string* error) {
  const size_t mark = link.find(RunLinkMark);
  std::string data = mark == std::string::npos ? "" : link.substr(mark + std::char_traits<char>::length(RunLinkMark));
  // Whatever a mail or chat program left after the link.
  data.erase(std::find_if(data.begin(), data.end(), [](char c) { return Sextet(c) < 0; }), data.end());
  std::vector<uint8_t> bytes;
  if (data.empty() || !Base64UrlDecode(data, &bytes) || !InflateRaw(bytes, LargestInputText, text)) {
    *error = "not a whole run link (cut short or changed?)";
    return false;
  }
  return true;
}

bool LoadInputFileOrLink(const std::string& fileOrLink, std::vector<InputLine>* out, std::string* error,
                         InputPackClaim* pack) {
  if (IsPackLink(fileOrLink)) {
    PackLink link;
    if (!PackLinkFromText(fileOrLink, &link, error)) return false;
    if (link.run.empty()) {
      *error = "the pack link carries no run";
      return false;
    }
    return ParseInputText(link.run, out, error, pack);
  }
  if (!IsRunLink(fileOrLink)) return LoadInputFile(fileOrLink, out, error, pack);
  std::string text;
  return RunTextFromLink(fileOrLink, &text, error) && ParseInputText(text, out, error, pack);
}
