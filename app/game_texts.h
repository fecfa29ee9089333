// Every text the game draws or shows, in each language it speaks.
#pragma once

#include <cstdint>

#include "platform/shell/run.h"

enum TextId : uint8_t {
  TextPauseMenu,
  TextDeathQuestion,
  TextAnswerLine,  // under the death question and the purchase questions
  // The skill menu's descriptions, one per offered skill, each ending in a
  // line feed; then the price sentence, a format of the description (%s) and
  // the next level's price (%d).
  TextSlashDescription,
  TextSweepDescription,
  TextRisingDescription,
  TextThrustDescription,
  TextMaxHpDescription,
  TextPriceSentence,
  // Purchase questions, a format of the price (%d).
  TextLearnQuestion,
  TextRaiseQuestion,
  TextThanks,
  TextPressEnter,
  TextErrorCaption,
  TextBitmapError,
  TextStageError,
  // The skill menu's picture, which carries the skills' names.
  TextStatusPicture,
  TextCount
};

// Chosen once at start-up; Japanese until then.
void SetTextLanguage(Language language);
const char* GameText(TextId id);
