// SPDX-License-Identifier: MIT
// The editor's texts: Japanese as code page 932 bytes (the game's folders
// are compiled with -fexec-charset=CP932), English in plain ASCII.
#include "editor/editor_texts.h"

#include <cstring>
#include <string>

#include "app/game_texts.h"
#include "editor/editor_palette.h"
#include "platform/shell/player_options.h"

namespace {

static_assert(PaletteEntries == 13, "one name a palette entry");
static_assert(CellKinds == 15, "one name a kind of cell");

const char* const Texts[2][EditorTextCount] = {
  {
    "空白", "石", "苔", "窓の格子", "トゲ", "ゴール", "門", "スイッチ", "イベントマーカー", "隠しブロック",
    "歩く敵", "投げる敵", "その他",
    "空白", "石", "苔", "窓の格子", "背景のタイル", "トゲ", "ゴール", "スイッチ", "押されたスイッチ", "門",
    "イベントマーカー", "歩く敵", "投げる敵", "隠しブロック", "使われない値",
    "世界%c  %d列 %d行  値%d %s",
    "＊未保存",
    "問題%d件",
    "問題なし",
    "選択 %d×%d",
    "イベント%d(世界%c)",
    "組%d(イベント%d)",
    "値%d",
    "Z/マウス:塗る X:消す Tab:パレット {switch}:世界 {editor}:テスト F1:キー",
    "{pad:a}:塗る {pad:b}:消す {pad:x}:拾う {pad:leftshoulder}/{pad:rightshoulder}:パレット {pad:y}:世界 {pad:start}:テスト {pad:back}+{pad:x}:キー",
    "ステージエディタのキー　パック: %s",
    "矢印:カーソル(Ctrlで5マス)　PageUp/PageDown:1画面　Home/End:端へ\n"
    "Shift+矢印:選択　Ctrl+A:全部を選択\n"
    "ZかReturn(押したまま):塗る　XかBackspace(押したまま):消す\n"
    "Delete:選択かマスを消す　F:選択を塗りつぶす　P:値を拾う\n"
    "Tab・Shift+Tab・[ ]・1～9と0:パレット　- =:イベントか組の番号\n"
    "Ctrl+C・Ctrl+X・Ctrl+V:コピー・切り取り・カーソルに貼り付け\n"
    "Insert:カーソルの列と同じ石の列を入れる　Ctrl+Delete:列を取る\n"
    "Ctrl+Z:元に戻す　Ctrl+YかCtrl+Shift+Z:やり直す　Ctrl+S:保存　F2:名前を変える\n"
    "{switch}:もう一つの世界　F4:問題の一覧　F8:次の問題　F6:共有　F1:閉じる\n"
    "{editor}:テストプレイ　Shift+{editor}:カーソルの列からテストプレイ\n"
    "マウス:左で塗る・右で消す　Shift+左:選択　Ctrl+左・右:四角く塗る・消す\n"
    "中ボタンでドラッグかホイール:表示を動かす(Shift+ホイール:上下)\n"
    "Escape:選択をやめる・エディタを出る(未保存なら確かめる)",
    "十字キー:カーソル　{pad:a}(押したまま):塗る　{pad:b}(押したまま):消す\n"
    "{pad:x}:値を拾う　{pad:y}:もう一つの世界\n"
    "{pad:leftshoulder}/{pad:rightshoulder}:パレット　{pad:+lefttrigger}/{pad:+righttrigger}:イベントか組の番号\n"
    "{pad:back}+{pad:leftshoulder}:元に戻す　{pad:back}+{pad:rightshoulder}:やり直す　{pad:back}+{pad:a}:保存\n"
    "{pad:back}+{pad:y}:次の問題　{pad:back}+{pad:x}:この一覧\n"
    "{pad:start}:テストプレイ　{pad:back}+{pad:b}:カーソルの列からテストプレイ\n"
    "{pad:back}+{pad:start}:エディタを出る　{pad:back}+{pad:+righttrigger}:共有",
    "問題 %d件　F8:次の問題へ　F4:閉じる",
    "問題はありません。このステージは共有できます。",
    "変更が保存されていません。出る前に保存しますか？",
    "Y:保存して出る　N:保存せずに出る(自動保存に残る)　Escape:戻る",
    "{pad:a}:保存して出る　{pad:x}:保存せずに出る(自動保存に残る)　{pad:b}:戻る",
    "保存より新しい自動保存があります。元に戻しますか？",
    "Y:自動保存から戻す　N:捨てて保存したものを開く",
    "{pad:a}:自動保存から戻す　{pad:b}:捨てて保存したものを開く",
    "保存しました。",
    "保存できません: %s",
    "元に戻す変更はありません。",
    "やり直す変更はありません。",
    "ステージはこれ以上広げられません(最大%d列)。",
    "ステージはこれ以上狭められません(最小%d列)。",
    "%d×%dマスをコピーしました。",
    "貼り付けました。",
    "コピーしたものがありません。",
    "テストプレイできません: %s",
    "%d列には立てる地面がありません。",
    "テストプレイを終えました。",
    "ゴールしました。この記録がステージのクリアの証になります。",
    "ゴールしました(途中の列からなので、クリアの証にはなりません)。",
    "自動保存から戻しました。",
    "%d列を入れました。",
    "%d列を取りました。",
    "ステージエディタを開けません",
    "新しいパックの名前(ゲームのステージはこのパックにコピーして編集します):",
    "パックの新しい名前:",
    "英数字と - _ .を入力　Return:決める　Escape:やめる",
    "{pad:a}:この名前にする　{pad:b}:やめる",
    "この名前は使えません: %s",
    "新しいパックを作りました: %s",
    "名前を変えました: %s",
    "共有できません: 問題が%d件あります(F4で一覧)。",
    "共有の前に保存してください(Ctrl+S): リンクは保存したステージを運びます。",
    "共有できません: %s",
    "クリアの証付きのリンクを作りました(%d文字): %s",
    "リンクを作りました(最後の変更からクリアの証なし、%d文字): %s",
    "クリップボードと標準出力へ",
    "ページの共有欄へ",
    "標準出力へ",
  },
  {
    "Empty", "Stone", "Moss", "Window bars", "Spikes", "Goal", "Gate", "Switch", "Event marker", "Hidden cell",
    "Walker", "Thrower", "Other",
    "empty", "stone", "moss", "window bars", "scenery", "spikes", "goal", "switch", "pressed switch", "gate",
    "event marker", "walker", "thrower", "hidden cell", "unused value",
    "World %c  column %d  row %d  value %d %s",
    "*unsaved",
    "%d faults",
    "no faults",
    "selection %d x %d",
    "event %d (world %c)",
    "group %d (event %d)",
    "value %d",
    "Z/mouse: paint  X: erase  Tab: palette  {switch}: world  {editor}: play-test  F1: keys",
    "{pad:a}: paint  {pad:b}: erase  {pad:x}: pick  {pad:leftshoulder}/{pad:rightshoulder}: palette  {pad:y}: world  {pad:start}: play  {pad:back}+{pad:x}: keys",
    "The stage editor's keys   pack: %s",
    "Arrows: move (with Ctrl: 5 cells)   PageUp/PageDown: a screen\n"
    "Home/End: the stage's ends   Shift+arrows: select   Ctrl+A: select all\n"
    "Z or Return (held): paint   X or Backspace (held): erase\n"
    "Delete: erase the selection or cell   F: fill the selection   P: pick\n"
    "Tab, Shift+Tab, [ ], 1 to 9, 0: palette   - =: its event or group\n"
    "Ctrl+C, Ctrl+X, Ctrl+V: copy, cut, paste at the cursor (either world)\n"
    "Insert: a column like the cursor's (its stone)   Ctrl+Delete: take out\n"
    "Ctrl+Z: undo   Ctrl+Y or Ctrl+Shift+Z: redo   Ctrl+S: save   F2: rename\n"
    "{switch}: other world   F4: faults   F8: next fault   F6: share   F1: close\n"
    "{editor}: play-test   Shift+{editor}: play-test from the cursor's column\n"
    "Mouse: left paints, right erases; Shift+left selects; Ctrl fills, empties\n"
    "Middle button drag or wheel: move the view (Shift+wheel: up and down)\n"
    "Escape: drop the selection; leave (asked when unsaved)",
    "D-pad: move   {pad:a} (held): paint   {pad:b} (held): erase\n"
    "{pad:x}: pick   {pad:y}: the other world\n"
    "{pad:leftshoulder}/{pad:rightshoulder}: palette   {pad:+lefttrigger}/{pad:+righttrigger}: its event or group\n"
    "{pad:back}+{pad:leftshoulder}: undo   {pad:back}+{pad:rightshoulder}: redo   {pad:back}+{pad:a}: save\n"
    "{pad:back}+{pad:y}: next fault   {pad:back}+{pad:x}: this list\n"
    "{pad:start}: play-test   {pad:back}+{pad:b}: play-test from the cursor's column\n"
    "{pad:back}+{pad:start}: leave   {pad:back}+{pad:+righttrigger}: share",
    "Faults: %d   F8: the next   F4: close",
    "No faults: these stages can be shared.",
    "The changes are not saved. Save them before leaving?",
    "Y: save and leave   N: leave, kept in the autosave   Escape: stay",
    "{pad:a}: save and leave   {pad:x}: leave, kept in the autosave   {pad:b}: stay",
    "An autosave newer than the saved stages was found. Restore it?",
    "Y: restore the autosave   N: discard it and open the saved stages",
    "{pad:a}: restore the autosave   {pad:b}: discard it and open the saved stages",
    "Saved.",
    "Cannot save: %s",
    "Nothing to undo.",
    "Nothing to redo.",
    "The stage cannot grow wider (%d columns at most).",
    "The stage cannot grow narrower (%d columns at least).",
    "Copied %d x %d cells.",
    "Pasted.",
    "Nothing has been copied.",
    "Cannot play these stages: %s",
    "Column %d has no ground to stand on.",
    "The play-test is over.",
    "The goal was reached: this run is kept as the stages' clearing run.",
    "The goal was reached (from a column, so not a clearing run).",
    "Restored from the autosave.",
    "Put in %d columns.",
    "Took out %d columns.",
    "Cannot open the stage editor",
    "The new pack's name (the game's stages are copied into it to be edited):",
    "The pack's new name:",
    "Type letters, digits, - _ .   Return: take it   Escape: give up",
    "{pad:a}: take this name   {pad:b}: give up",
    "This name cannot be used: %s",
    "Made the new pack %s",
    "Renamed: %s",
    "Not shared: the checks find %d faults (F4 lists them).",
    "Save first (Ctrl+S), then share: a link carries the saved stages.",
    "Not shared: %s",
    "Link made with its clearing run (%d chars): %s",
    "Link made, no clearing run since the last change (%d chars): %s",
    "on the clipboard and stdout",
    "in the page's share panel",
    "on stdout",
  },
};

std::string Built[EditorTextCount];

std::string Fill(const std::string& marker, bool pad) {
  if (marker.rfind("pad:", 0) == 0) return KeyLabel(marker.c_str());
  if (marker == "switch" || marker == "editor") {
    if (pad) return KeyLabel(marker == "switch" ? "pad:y" : "pad:start");
    const std::string key = BoundItem(CurrentSettings(), marker == "switch" ? ActionSwitchWorlds : ActionEditor, false);
    return key.empty() ? "-" : KeyLabel(key.c_str());
  }
  return marker;
}

}  // namespace

const char* EditorText(EditorTextId id) {
  if (id >= EditorTextCount) id = EditorTextPalette;
  const char* text = Texts[TextLanguage() == LanguageEnglish ? 1 : 0][id];
  if (!std::strchr(text, '{')) return text;
  Built[id] = FillMarkers(text, PadLastUsed(), Fill);
  return Built[id].c_str();
}
