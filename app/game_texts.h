// Every text the game draws or shows, in each language it speaks. Texts
// that tell the player which key to press name the key bound to it (or,
// while the pad was the last thing touched, the pad's button; while the
// touch controls were, the control's label).
#pragma once

#include <string>

#include <cstdint>

#include "platform/shell/run.h"

enum TextId : uint8_t {
  TextPauseMenu,
  TextDeathQuestion,
  TextAnswerLine,  // under the purchase questions
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
  TextDeathAnswerLine,  // under the death question
  TextPauseOptions,     // the pause bar's third choice, under the other two
  TextTitleOptions,     // the title's foot line
  // The options screen.
  TextOptionsHeading,
  TextOptionsLanguage,
  TextOptionsLanguageName,  // this language's own name
  TextOptionsMusic,
  TextOptionsEffects,
  TextOptionsDisplay,
  TextOptionsFullScreen,
  TextOptionsWindow,
  TextOptionsScale,
  TextOptionsLargest,
  TextOptionsKeyboard,
  TextOptionsPad,
  TextOptionsDefaults,
  TextOptionsBack,
  TextOptionsPressKey,
  TextOptionsPressButton,
  TextOptionsSwapped,  // a format of the other game key's name (%s)
  TextOptionsRefused,  // the same
  TextOptionsHint,
  TextOptionsLanguageDesktop,  // a format of the desktop's language's own name (%s)
  TextOptionsScaleTooLarge,    // a format of the scale kept (%d) and the one shown (%d)
  // The title's list of stages, and the title's lines of it.
  TextTitleStages,        // the foot line that opens the list
  TextTitleStagesInForce, // a format of the stages' name (%s)
  TextStagesHeading,
  TextStagesOwn,          // the game's own stages, as the list names them
  TextStagesOwnAbout,
  TextStagesBy,           // a format of the author (%s)
  TextStagesChosen,       // beside the stages in force
  TextStagesCannot,       // before why a pack cannot be played
  TextStagesLicence,      // a format of the licence (%s)
  TextStagesFixed,        // the run plays what it started with
  TextStagesWhere,        // a format of the player's packs folder (%s)
  TextStagesHint,
  TextTitleEditor,        // the title's foot line that opens the stage editor
  TextPauseMenuPlayTest,  // the pause bar's first line during the editor's play-test
  // The game keys' names, in BindableKeyTable's order.
  TextActionNames,
  TextCount = TextActionNames + 19
};

// Chosen once at start-up and again on the options screen; Japanese until
// then.
void SetTextLanguage(Language language);
Language TextLanguage();
const char* GameText(TextId id);
// A language's own name ("日本語", "English"), whichever is chosen.
const char* LanguageOwnName(Language language);
// The name a screen gives a key or pad item ("Left Ctrl", "pad:start"): a
// pad's button as the pad in hand labels it (key_sampler.h: PadFaceShown).
const char* KeyLabel(const char* item);
// The same for a pad of the given face (bindings.h: PadFace).
const char* PadItemLabel(const char* item, uint8_t face);
// A text with each {marker} replaced by what `fill` makes of it (pad: a pad
// was the last input), its double-byte characters left whole.
std::string FillMarkers(const char* text, bool pad, std::string (*fill)(const std::string& marker, bool pad));
