// The names printed on a pad's buttons, by the pad's face (bindings.h:
// PadFace), in English: what the screens and --help call a pad item.
#pragma once

#include <cstdint>
#include <string>

// A button or a direction as the settings spell it ("a", "dpleft",
// "-leftx", "+lefttrigger"), as a pad of this face labels it: "A", "Cross"
// or "B" for "a". Null for a part that is none of them.
const char* PadPartName(const std::string& part, uint8_t face);
// A pad item without its "pad:" ("back+start", "-leftx"), each part named by
// `name` (else by PadPartName, else as spelt), joined with "+".
std::string PadItemName(const std::string& item, uint8_t face,
                        const char* (*name)(const std::string& part, uint8_t face) = nullptr);
