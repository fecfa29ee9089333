// The pad's buttons by face, and its directions, in English.
#include "platform/input/pad_names.h"

#include "platform/input/bindings.h"

namespace {

// SDL reads the buttons by place, so its "a" is the lowest face button on
// every pad: an Xbox pad's A, a PlayStation's Cross, a Nintendo's B.
struct ButtonName {
  const char* part;
  const char* face[PadFaces];  // Xbox, PlayStation, Nintendo
};
const ButtonName ButtonNames[] = {
    {"a", {"A", "Cross", "B"}},
    {"b", {"B", "Circle", "A"}},
    {"x", {"X", "Square", "Y"}},
    {"y", {"Y", "Triangle", "X"}},
    {"back", {"Back", "Share", "Minus"}},
    {"start", {"Start", "Options", "Plus"}},
    {"guide", {"Guide", "PS", "Home"}},
    {"leftshoulder", {"LB", "L1", "L"}},
    {"rightshoulder", {"RB", "R1", "R"}},
    {"leftstick", {"LS", "L3", "LS"}},
    {"rightstick", {"RS", "R3", "RS"}},
    {"+lefttrigger", {"LT", "L2", "ZL"}},
    {"+righttrigger", {"RT", "R2", "ZR"}},
};

// Directions are named alike on every pad.
struct DirectionName {
  const char* part;
  const char* name;
};
const DirectionName DirectionNames[] = {
    {"dpup", "D-pad up"},
    {"dpdown", "D-pad down"},
    {"dpleft", "D-pad left"},
    {"dpright", "D-pad right"},
    {"-leftx", "Left stick left"},
    {"+leftx", "Left stick right"},
    {"-lefty", "Left stick up"},
    {"+lefty", "Left stick down"},
    {"-rightx", "Right stick left"},
    {"+rightx", "Right stick right"},
    {"-righty", "Right stick up"},
    {"+righty", "Right stick down"},
};

}  // namespace

const char* PadPartName(const std::string& part, uint8_t face) {
  if (face >= PadFaces) face = PadFaceXbox;
  for (const ButtonName& b : ButtonNames)
    if (part == b.part) return b.face[face];
  for (const DirectionName& d : DirectionNames)
    if (part == d.part) return d.name;
  return nullptr;
}

std::string PadItemName(const std::string& item, uint8_t face,
                        const char* (*name)(const std::string& part, uint8_t face)) {
  std::string out;
  size_t start = 0;
  // Buttons held together: "Back+Start"; a leading sign is an axis's.
  while (start <= item.size()) {
    size_t plus = item.find('+', start == 0 && !item.empty() && (item[0] == '+' || item[0] == '-') ? 1 : start);
    if (plus == std::string::npos) plus = item.size();
    const std::string part = item.substr(start, plus - start);
    const char* named = name ? name(part, face) : nullptr;
    if (!named) named = PadPartName(part, face);
    out += (out.empty() ? "" : "+") + std::string(named ? named : part.c_str());
    start = plus + 1;
  }
  return out;
}
