// The game's texts: Japanese as code page 932 bytes (this file is compiled
// with -fexec-charset=CP932), English in plain ASCII.
#include "app/game_texts.h"

namespace {

const char* const Texts[2][TextCount] = {
  {
    "F1キー:ゲームに戻る。　F2キー:ゲームを終了する。",
    "死んでしまった･･･。コンティニューしますか？",
    "はい(Y or Return)/いいえ(N)",
    "縦斬り:標準的な攻撃の一つ。Xボタンを押すことで出せる。\n",
    "横斬り:標準的な攻撃の一つ。Cボタンを押すことで出せる。\n",
    "斬り上げ:敵を上に叩き上げる事が出来る。\nしかし、攻撃力は一番低い。\n↑+ Xを押すことで出せる。\n",
    "下突き:敵の上から攻撃を加えることが出来る。\nしかし、着地するかダメージを食らうまで攻撃態勢から解除されない。\n↓+Xを押すことで出せる。\n",
    "最大HP上昇:キャラの最大HPを増やすことが出来る。\n",
    "%s※このスキルのLVを上げるには%dスキルポイント必要。",
    "SPを%d消費してこのスキルを覚えますか？",
    "SPを%d消費してこのスキルのLVを上げますか？",
    "THANK YOU FOR PLAYING",
    "Please Enter Key",
    "エラー",
    "Bitmapが読み込めません",
    "ステージデータが読み込めません",
    "image\\stage1\\status.BMP",
  },
  {
    "F1: back to the game    F2: quit",
    "You died... Continue?",
    "Yes (Y or Return) / No (N)",
    "Vertical slash: a standard attack. Press X.\n",
    "Horizontal slash: a standard attack. Press C.\n",
    "Upward slash: knocks enemies up into the air.\nBut it is the weakest of the attacks.\nPress Up + X.\n",
    "Downward thrust: strikes enemies from above.\nBut you stay in the thrust until you land or take damage.\nPress Down + X.\n",
    "Max HP up: raises your character's maximum HP.\n",
    "%s* The next level of this skill costs %d SP.",
    "Spend %d SP to learn this skill?",
    "Spend %d SP to raise this skill's level?",
    "THANK YOU FOR PLAYING",
    "Press Enter",
    "Error",
    "Cannot load the bitmaps",
    "Cannot load the stage data",
    "image\\stage1\\status_en.BMP",
  },
};

Language Chosen = LanguageJapanese;

}  // namespace

void SetTextLanguage(Language language) { Chosen = language == LanguageEnglish ? LanguageEnglish : LanguageJapanese; }
const char* GameText(TextId id) { return Texts[Chosen][id < TextCount ? id : 0]; }
