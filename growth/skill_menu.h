// Ctrl: skill points buy skill levels.
#pragma once

#include <cstddef>
#include <cstdint>

#include "platform/win32/win32.h"

struct PlayerRecord;
struct SkillSlot;

// Set when Enter is taken by the menu or its question, cleared by them when
// Enter is up. The death dialog reads it, so that an Enter still held from a
// purchase does not answer it.
extern uint8_t KeyLatchEnter;

// The whole menu over the active record; returns when Ctrl closes it. Slots
// 0 to 4 are copied to the other record at the close.
void RunSkillMenu(PlayerRecord* active, PlayerRecord* other);
// The purchase question, drawn once: 1 bought, -1 refused with N, 0 undecided.
int ConfirmSkillPurchase(SkillSlot* slot, int32_t* skillPoints);
// The question asked of a slot, as the box shows it.
void FormatPurchaseQuestion(char* out, size_t size, const SkillSlot& slot);
// Black text on a transparent background into the back buffer.
void DrawMenuText(const char* text, RECT rect, UINT format);
// The white rounded box in the middle of the screen with a question and the
// "yes (Y or Return) / no (N)" line: the purchase question and the death
// dialog.
// `answer`, when given, in place of that line.
void DrawQuestionBox(const char* question, const char* answer = nullptr);
