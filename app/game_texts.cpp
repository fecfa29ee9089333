// The game's texts: Japanese as code page 932 bytes (this file is compiled
// with -fexec-charset=CP932), English in plain ASCII. A text that names a
// key says {action} where the bound key's name goes, {action|spelling} where
// the default key has a spelling of its own, {k:action} or {p:action}
// for the keyboard's or the pad's whatever was touched last, and {pad:a}
// for a pad button itself.
#include "app/game_texts.h"

#include <cstring>
#include <string>

#include "platform/shell/player_options.h"

namespace {

static_assert(BindableKeys == 19, "one name a game key");

const char* const Texts[2][TextCount] = {
  {
    "{pause_resume}キー:ゲームに戻る。　{pause_quit}キー:ゲームを終了する。",
    "死んでしまった･･･。コンティニューしますか？",
    "はい({yes} or {enter})/いいえ({no})",
    "縦斬り:標準的な攻撃の一つ。{vertical_slash}ボタンを押すことで出せる。\n",
    "横斬り:標準的な攻撃の一つ。{horizontal_slash}ボタンを押すことで出せる。\n",
    "斬り上げ:敵を上に叩き上げる事が出来る。\nしかし、攻撃力は一番低い。\n{up|↑}+ {vertical_slash}を押すことで出せる。\n",
    "下突き:敵の上から攻撃を加えることが出来る。\nしかし、着地するかダメージを食らうまで攻撃態勢から解除されない。\n{down|↓}+{vertical_slash}を押すことで出せる。\n",
    "最大HP上昇:キャラの最大HPを増やすことが出来る。\n",
    "%s※このスキルのLVを上げるには%dスキルポイント必要。",
    "SPを%d消費してこのスキルを覚えますか？",
    "SPを%d消費してこのスキルのLVを上げますか？",
    "THANK YOU FOR PLAYING",
    "Please {enter|Enter} Key",
    "エラー",
    "Bitmapが読み込めません",
    "ステージデータが読み込めません",
    "image\\stage1\\status.BMP",
    "はい({yes} or {enter})/いいえ({no})",
    "{options}キー:オプション。",
    "{k:options}キー / パッドの{p:options}ボタン:オプション",
    "オプション",
    "言語",
    "日本語",
    "音楽の音量",
    "効果音の音量",
    "画面",
    "フルスクリーン",
    "ウィンドウ",
    "ウィンドウの倍率",
    "最大",
    "キー",
    "パッド",
    "キーを初期設定に戻す",
    "戻る",
    "新しいキーを押してください。(Escで取り消し)",
    "新しいパッドのボタンを押してください。(キーボードのEscで取り消し)",
    "「%s」と入れ替えました。",
    "「%s」のキーがなくなるので使えません。",
    "↑↓:選ぶ　←→:変える　{enter}:決める　{pause}:戻る",
    "デスクトップに合わせる(%s)",
    "倍率%dはこの画面に入りません。ウィンドウは%d倍です。",
    "{k:stages}キー / パッドの{p:stages}ボタン:ステージ選択",
    "ステージ: %s",
    "ステージ選択",
    "ゲーム本来のステージ",
    "ゲームに付いている二つの世界のステージ",
    "作: %s",
    "(選択中)",
    "使えません: ",
    "ライセンス: %s",
    "この実行ではステージを変えられません(--input か --headless)。",
    "パックの置き場所: %s",
    "↑↓:選ぶ　{enter}:このステージで遊ぶ　{pause}:戻る",
    "{k:editor}キー / パッドの{p:editor}ボタン:ステージエディタ",
    "{pause_resume}キー:ゲームに戻る。　{pause_quit}キー:エディタに戻る。",
    "左", "右", "上", "下", "ジャンプ", "縦斬り", "横斬り", "世界の切り替え", "スキルメニュー", "敵を呼ぶ",
    "決定", "はい", "いいえ", "ポーズ", "ポーズ:ゲームに戻る", "ポーズ:終了", "オプション", "ステージ選択",
    "ステージエディタ",
  },
  {
    "{pause_resume}: back to the game    {pause_quit}: quit",
    "You died... Continue?",
    "Yes ({yes} or {enter}) / No ({no})",
    "Vertical slash: a standard attack. Press {vertical_slash}.\n",
    "Horizontal slash: a standard attack. Press {horizontal_slash}.\n",
    "Upward slash: knocks enemies up into the air.\nBut it is the weakest of the attacks.\nPress {up} + {vertical_slash}.\n",
    "Downward thrust: strikes enemies from above.\nBut you stay in the thrust until you land or take damage.\nPress {down} + {vertical_slash}.\n",
    "Max HP up: raises your character's maximum HP.\n",
    "%s* The next level of this skill costs %d SP.",
    "Spend %d SP to learn this skill?",
    "Spend %d SP to raise this skill's level?",
    "THANK YOU FOR PLAYING",
    "Press {enter|Enter}",
    "Error",
    "Cannot load the bitmaps",
    "Cannot load the stage data",
    "image\\stage1\\status_en.BMP",
    "Yes ({yes} or {enter}) / No ({no})",
    "{options}: options",
    "Options: {k:options} or {p:options} on the pad",
    "Options",
    "Language",
    "English",
    "Music volume",
    "Effects volume",
    "Display",
    "Full screen",
    "Window",
    "Window scale",
    "Largest",
    "Key",
    "Pad",
    "Restore the default keys",
    "Back",
    "Press the new key. (Escape cancels)",
    "Press the new pad button. (Escape on the keyboard cancels)",
    "Swapped with \"%s\".",
    "Refused: \"%s\" would be left without one.",
    "Up/Down: choose   Left/Right: change   {enter}: select   {pause}: back",
    "As the desktop (%s)",
    "Scale %d does not fit this display: the window is %d times.",
    "Stages: {k:stages} or {p:stages} on the pad",
    "Stages: %s",
    "Stages",
    "The game's own stages",
    "The two worlds' stages the game comes with",
    "by %s",
    "(chosen)",
    "Cannot be played: ",
    "Licence: %s",
    "The stages are fixed for this run (--input or --headless).",
    "Packs go in %s",
    "Up/Down: choose   {enter}: play these stages   {pause}: back",
    "Stage editor: {k:editor} or {p:editor} on the pad",
    "{pause_resume}: back to the game    {pause_quit}: back to the editor",
    "Left", "Right", "Up", "Down", "Jump", "Vertical slash", "Horizontal slash", "Switch worlds", "Skill menu",
    "Call enemies", "Enter", "Yes", "No", "Pause", "Pause: back to the game", "Pause: quit", "Options", "Stages",
    "Stage editor",
  },
};

// While the pad was last touched, the texts that differ for it: a pad
// button is never a key, and a quit is held.
const char* PadText(Language language, TextId id) {
  const bool ja = language == LanguageJapanese;
  switch (id) {
    case TextPauseMenu:
      return ja ? "{pause_resume}:ゲームに戻る　{pause_quit}長押し:終了" : "{pause_resume}: back to the game    hold {pause_quit}: quit";
    case TextPauseMenuPlayTest:
      return ja ? "{pause_resume}:ゲームに戻る　{pause_quit}長押し:エディタに戻る"
                : "{pause_resume}: back to the game    hold {pause_quit}: back to the editor";
    case TextAnswerLine: return ja ? "はい({yes})/いいえ({no})" : "Yes ({yes}) / No ({no})";
    case TextDeathAnswerLine: return ja ? "はい({yes})/いいえ({no}長押し)" : "Yes ({yes}) / No (hold {no})";
    case TextPressEnter: return ja ? "Please {enter} Button" : "Press {enter}";
    case TextPauseOptions: return ja ? "{options}:オプション" : "{options}: options";
    case TextOptionsHint:
      return ja ? "十字キー:選ぶ・変える　{pad:a}:決める　{pad:b}:戻る" : "D-pad: choose, change   {pad:a}: select   {pad:b}: back";
    case TextStagesHint:
      return ja ? "十字キー:選ぶ　A:このステージで遊ぶ　B:戻る" : "D-pad: choose   {pad:a}: play these stages   {pad:b}: back";
    default: return nullptr;
  }
}

// While the touch controls were last used, the texts that name them: each
// control by its label on the page, a tap for a key and a hold for a quit.
const char* TouchText(Language language, TextId id) {
  const bool ja = language == LanguageJapanese;
  switch (id) {
    case TextPauseMenu: return ja ? "「再開」:ゲームに戻る　「終了」長押し:終了" : "Resume: back to the game    hold Quit: quit";
    case TextPauseMenuPlayTest:
      return ja ? "「再開」:ゲームに戻る　「終了」長押し:エディタに戻る" : "Resume: back to the game    hold Quit: back to the editor";
    case TextAnswerLine: return ja ? "はい(Yをタップ)/いいえ(Nをタップ)" : "Yes (tap Y) / No (tap N)";
    case TextDeathAnswerLine: return ja ? "はい(Yをタップ)/いいえ(Nを長押し)" : "Yes (tap Y) / No (hold N)";
    case TextPressEnter: return ja ? "「決定」をタップしてください" : "Tap Enter";
    case TextPauseOptions: return ja ? "「オプション」をタップ:オプション" : "tap Options: options";
    case TextTitleOptions: return ja ? "オプション:「オプション」をタップ" : "Options: tap Options";
    case TextTitleStages: return ja ? "ステージ選択:「ステージ」をタップ" : "Stages: tap Stages";
    case TextStagesHint:
      return ja ? "十字キー:選ぶ　「決定」:このステージで遊ぶ　「戻る」:戻る" : "D-pad: choose   Enter: play these stages   Back: back";
    case TextTitleEditor: return ja ? "ステージエディタ:「編集」をタップ" : "Stage editor: tap Edit";
    case TextOptionsPressKey:
      return ja ? "キーボードで新しいキーを押してください。(「戻る」で取り消し)" : "Press the new key on a keyboard. (Back cancels)";
    case TextOptionsPressButton:
      return ja ? "新しいパッドのボタンを押してください。(「戻る」で取り消し)" : "Press the new pad button. (Back cancels)";
    case TextOptionsHint:
      return ja ? "行をタップ:選ぶ　< >をタップ:変える　もう一度タップ:決める　「戻る」:戻る"
                : "Tap a row: choose   Tap < >: change   Tap again: select   Back: back";
    default: return nullptr;
  }
}

Language Chosen = LanguageJapanese;

// Where Japanese names a pad's part otherwise than English (pad_names.h):
// a PlayStation's face buttons are their symbols, and the directions.
struct JapanesePadName {
  const char* part;
  uint8_t face;  // PadFaces: every face
  const char* name;
};
const JapanesePadName JapanesePadNames[] = {
    {"a", PadFacePlayStation, "×"}, {"b", PadFacePlayStation, "○"},
    {"x", PadFacePlayStation, "□"}, {"y", PadFacePlayStation, "△"},
    {"dpup", PadFaces, "十字↑"}, {"dpdown", PadFaces, "十字↓"}, {"dpleft", PadFaces, "十字←"}, {"dpright", PadFaces, "十字→"},
    {"-leftx", PadFaces, "左スティック←"}, {"+leftx", PadFaces, "左スティック→"},
    {"-lefty", PadFaces, "左スティック↑"}, {"+lefty", PadFaces, "左スティック↓"},
    {"-rightx", PadFaces, "右スティック←"}, {"+rightx", PadFaces, "右スティック→"},
    {"-righty", PadFaces, "右スティック↑"}, {"+righty", PadFaces, "右スティック↓"},
};

const char* JapanesePadPart(const std::string& part, uint8_t face) {
  if (Chosen != LanguageJapanese) return nullptr;
  for (const JapanesePadName& j : JapanesePadNames)
    if (part == j.part && (j.face == PadFaces || j.face == face)) return j.name;
  return nullptr;
}

std::string Built[TextCount];
std::string Label;

int ActionNamed(const std::string& name) {
  for (int i = 0; i < BindableKeys; i++)
    if (name == BindableKeyTable[i].name) return i;
  return -1;
}

// One {...}: the bound key's name.
std::string Fill(const std::string& marker, bool pad) {
  std::string name = marker, spelling;
  bool hasSpelling = false;
  if (const size_t bar = name.find('|'); bar != std::string::npos) {
    spelling = name.substr(bar + 1);
    name.erase(bar);
    hasSpelling = true;
  }
  // A pad button by itself, whatever it is bound to.
  if (name.rfind("pad:", 0) == 0) return KeyLabel(name.c_str());
  if (name.rfind("k:", 0) == 0) {
    pad = false;
    name.erase(0, 2);
  } else if (name.rfind("p:", 0) == 0) {
    pad = true;
    name.erase(0, 2);
  }
  const int action = ActionNamed(name);
  const GameSettings& s = CurrentSettings();
  if (pad && !BoundItem(s, action, true).empty()) return KeyLabel(BoundItem(s, action, true).c_str());
  if (hasSpelling && BoundAsDefault(s, action, false)) return spelling;
  const std::string key = BoundItem(s, action, false);
  return key.empty() ? "-" : KeyLabel(key.c_str());
}


}  // namespace

void SetTextLanguage(Language language) { Chosen = language == LanguageEnglish ? LanguageEnglish : LanguageJapanese; }
Language TextLanguage() { return Chosen; }

const char* LanguageOwnName(Language language) {
  return Texts[language == LanguageEnglish ? LanguageEnglish : LanguageJapanese][TextOptionsLanguageName];
}

const char* PadItemLabel(const char* item, uint8_t face) {
  const std::string text = item;
  Label = text.rfind("pad:", 0) == 0 ? PadItemName(text.substr(4), face, JapanesePadPart) : text;
  return Label.c_str();
}

const char* KeyLabel(const char* item) { return PadItemLabel(item, PadFaceShown()); }

std::string FillMarkers(const char* text, bool pad, std::string (*fill)(const std::string& marker, bool pad)) {
  std::string out;
  for (const char* c = text; *c;) {
    const uint8_t b = static_cast<uint8_t>(*c);
    // A double-byte character may end in '{' or '}': copied whole.
    if (((b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC)) && c[1]) {
      out.append(c, 2);
      c += 2;
      continue;
    }
    if (b == '{') {
      if (const char* end = std::strchr(c, '}')) {
        out += fill(std::string(c + 1, end), pad);
        c = end + 1;
        continue;
      }
    }
    out += *c++;
  }
  return out;
}

const char* GameText(TextId id) {
  if (id >= TextCount) id = TextPauseMenu;
  if (TouchLastUsed())
    if (const char* touch = TouchText(Chosen, id)) return touch;
  const char* text = Texts[Chosen][id];
  if (!std::strchr(text, '{')) return text;
  const bool pad = PadLastUsed();
  const char* padText = pad ? PadText(Chosen, id) : nullptr;
  Built[id] = FillMarkers(padText ? padText : text, pad, Fill);
  return Built[id].c_str();
}
