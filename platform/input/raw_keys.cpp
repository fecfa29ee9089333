// SPDX-License-Identifier: MIT
// The table of keys the sample can hold, in virtual-key order.
#include "platform/input/raw_keys.h"

#include <cstring>

#include "platform/windows_types.h"

const RawKey RawKeyTable[] = {
    // The mouse's buttons and the focus mark: only the stage editor's
    // samples hold them, and only version 3 files name them.
    {0x01, "LBUTTON", nullptr},
    {0x02, "RBUTTON", nullptr},
    {0x04, "MBUTTON", nullptr},
    {0x07, "FOCUS_LOST", nullptr},
    {0x08, "BACK", "Backspace"},
    {0x09, "TAB", "Tab"},
    {0x0D, "RETURN", "Return"},
    {0x11, "CONTROL", nullptr},
    {0x1B, "ESCAPE", "Escape"},
    {0x20, "SPACE", "Space"},
    {0x21, "PRIOR", "PageUp"},
    {0x22, "NEXT", "PageDown"},
    {0x23, "END", "End"},
    {0x24, "HOME", "Home"},
    {0x25, "LEFT", "Left"},
    {0x26, "UP", "Up"},
    {0x27, "RIGHT", "Right"},
    {0x28, "DOWN", "Down"},
    {0x2D, "INSERT", "Insert"},
    {0x2E, "DELETE", "Delete"},
    {'0', "0", "0"}, {'1', "1", "1"}, {'2', "2", "2"}, {'3', "3", "3"}, {'4', "4", "4"},
    {'5', "5", "5"}, {'6', "6", "6"}, {'7', "7", "7"}, {'8', "8", "8"}, {'9', "9", "9"},
    {'A', "A", "A"}, {'B', "B", "B"}, {'C', "C", "C"}, {'D', "D", "D"}, {'E', "E", "E"}, {'F', "F", "F"},
    {'G', "G", "G"}, {'H', "H", "H"}, {'I', "I", "I"}, {'J', "J", "J"}, {'K', "K", "K"}, {'L', "L", "L"},
    {'M', "M", "M"}, {'N', "N", "N"}, {'O', "O", "O"}, {'P', "P", "P"}, {'Q', "Q", "Q"}, {'R', "R", "R"},
    {'S', "S", "S"}, {'T', "T", "T"}, {'U', "U", "U"}, {'V', "V", "V"}, {'W', "W", "W"}, {'X', "X", "X"},
    {'Y', "Y", "Y"}, {'Z', "Z", "Z"},
    {0x60, "NUMPAD0", "Keypad 0"}, {0x61, "NUMPAD1", "Keypad 1"}, {0x62, "NUMPAD2", "Keypad 2"},
    {0x63, "NUMPAD3", "Keypad 3"}, {0x64, "NUMPAD4", "Keypad 4"}, {0x65, "NUMPAD5", "Keypad 5"},
    {0x66, "NUMPAD6", "Keypad 6"}, {0x67, "NUMPAD7", "Keypad 7"}, {0x68, "NUMPAD8", "Keypad 8"},
    {0x69, "NUMPAD9", "Keypad 9"},
    {0x6A, "MULTIPLY", "Keypad *"},
    {0x6B, "ADD", "Keypad +"},
    {0x6C, "SEPARATOR", "Keypad Enter"},
    {0x6D, "SUBTRACT", "Keypad -"},
    {0x6E, "DECIMAL", "Keypad ."},
    {0x6F, "DIVIDE", "Keypad /"},
    {0x70, "F1", "F1"}, {0x71, "F2", "F2"}, {0x72, "F3", "F3"}, {0x73, "F4", "F4"}, {0x74, "F5", "F5"},
    {0x75, "F6", "F6"}, {0x76, "F7", "F7"}, {0x77, "F8", "F8"}, {0x78, "F9", "F9"}, {0x79, "F10", "F10"},
    {0x7A, "F11", "F11"},
    {0xA0, "LSHIFT", "Left Shift"},
    {0xA1, "RSHIFT", "Right Shift"},
    {0xA2, "LCONTROL", "Left Ctrl"},
    {0xA3, "RCONTROL", "Right Ctrl"},
    {0xA4, "LMENU", "Left Alt"},
    {0xA5, "RMENU", "Right Alt"},
    {0xBA, "OEM_1", ";"},
    {0xBB, "OEM_PLUS", "="},
    {0xBC, "OEM_COMMA", ","},
    {0xBD, "OEM_MINUS", "-"},
    {0xBE, "OEM_PERIOD", "."},
    {0xBF, "OEM_2", "/"},
    {0xC0, "OEM_3", "`"},
    {0xC3, "GAMEPAD_A", "pad:a"},
    {0xC4, "GAMEPAD_B", "pad:b"},
    {0xC5, "GAMEPAD_X", "pad:x"},
    {0xC6, "GAMEPAD_Y", "pad:y"},
    {0xC7, "GAMEPAD_RIGHT_SHOULDER", "pad:rightshoulder"},
    {0xC8, "GAMEPAD_LEFT_SHOULDER", "pad:leftshoulder"},
    {0xC9, "GAMEPAD_LEFT_TRIGGER", "pad:+lefttrigger"},
    {0xCA, "GAMEPAD_RIGHT_TRIGGER", "pad:+righttrigger"},
    {0xCB, "GAMEPAD_DPAD_UP", "pad:dpup"},
    {0xCC, "GAMEPAD_DPAD_DOWN", "pad:dpdown"},
    {0xCD, "GAMEPAD_DPAD_LEFT", "pad:dpleft"},
    {0xCE, "GAMEPAD_DPAD_RIGHT", "pad:dpright"},
    {0xCF, "GAMEPAD_MENU", "pad:start"},
    {0xD0, "GAMEPAD_VIEW", "pad:back"},
    {0xD1, "GAMEPAD_LEFT_THUMBSTICK_BUTTON", "pad:leftstick"},
    {0xD2, "GAMEPAD_RIGHT_THUMBSTICK_BUTTON", "pad:rightstick"},
    {0xD3, "GAMEPAD_LEFT_THUMBSTICK_UP", "pad:-lefty"},
    {0xD4, "GAMEPAD_LEFT_THUMBSTICK_DOWN", "pad:+lefty"},
    {0xD5, "GAMEPAD_LEFT_THUMBSTICK_RIGHT", "pad:+leftx"},
    {0xD6, "GAMEPAD_LEFT_THUMBSTICK_LEFT", "pad:-leftx"},
    {0xD7, "GAMEPAD_RIGHT_THUMBSTICK_UP", "pad:-righty"},
    {0xD8, "GAMEPAD_RIGHT_THUMBSTICK_DOWN", "pad:+righty"},
    {0xD9, "GAMEPAD_RIGHT_THUMBSTICK_RIGHT", "pad:+rightx"},
    {0xDA, "GAMEPAD_RIGHT_THUMBSTICK_LEFT", "pad:-rightx"},
    {0xDB, "OEM_4", "["},
    {0xDC, "OEM_5", "\\"},
    {0xDD, "OEM_6", "]"},
    {0xDE, "OEM_7", "'"},
    {0xE8, "TOUCH", nullptr},
    {0xE9, "TOUCH_TAP", nullptr},
    {0xEA, "TOUCH_LINE_1", nullptr}, {0xEB, "TOUCH_LINE_2", nullptr}, {0xEC, "TOUCH_LINE_4", nullptr},
    {0xED, "TOUCH_LINE_8", nullptr}, {0xEE, "TOUCH_LINE_16", nullptr},
    {0xEF, "TOUCH_COLUMN_1", nullptr}, {0xF0, "TOUCH_COLUMN_2", nullptr}, {0xF1, "TOUCH_COLUMN_4", nullptr},
    {0xF2, "TOUCH_COLUMN_8", nullptr}, {0xF3, "TOUCH_COLUMN_16", nullptr},
};
const int RawKeys = sizeof RawKeyTable / sizeof RawKeyTable[0];

const RawKey* RawKeyOf(int virtualKey) {
  for (const RawKey& k : RawKeyTable)
    if (k.virtualKey == virtualKey) return &k;
  return nullptr;
}

uint8_t RawKeyOfItem(const char* item) {
  for (const RawKey& k : RawKeyTable)
    if (k.bindingItem && std::strcmp(k.bindingItem, item) == 0) return k.virtualKey;
  return 0;
}
