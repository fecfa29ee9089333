// SPDX-License-Identifier: MIT
// The page's words in the player's language: ?lang, else the browser's, as
// the desktop follows the locale.
import { langParam } from './parameters.js';

const Texts = {
  en: {
    loading: 'loading', ready: 'ready', sound: 'sound: press a key or tap', ended: 'the game has ended',
    replaying: 'replaying a shared run', game: 'game', data: 'data', music: 'music',
    fullscreen: 'Full screen', sharp: 'Sharp pixels', share: 'Share this run', copy: 'Copy', close: 'Close',
    shareText: 'A link that replays this run:', copied: 'copied', playAgain: 'Play again',
      picture: 'The game\'s picture', shareName: 'Share this run',
    badFrames: (v) => `?frames=${v}: not a whole number of flips`,
    badLang: (v) => `?lang=${v}: the game speaks ja or en`,
    badHeadless: (v) => `?headless=${v}: only ?headless=1`,
    noInput: '?input=: names no file (?input=URL of a recorded run)',
    badInput: (v, why) => `?input=${v}: ${why}`,
    unreadable: (status) => `cannot be read (${status})`,
    notInput: (why) => `not a recorded run (${why})`,
    badLink: 'the shared run in this link is cut short or changed',
    failed: (what) => `the game could not be loaded: ${what}`,
    noMusic: (why) => `no music (${why})`,
    stopped: (what) => `the game stopped: ${what}`,
    keys: '<b>Arrows</b> run · <b>Z</b> jump · <b>X</b>, <b>C</b> slash · <b>Space</b> switch worlds · ' +
      '<b>Ctrl</b> skills · <b>Esc</b> pause · <b>F3</b> options · <b>F4</b> stages · <b>Enter</b> start, choose',
    packHeading: 'Stages shared as a link', packBy: (a) => `by ${a}`, packOffered: 'stages from a link',
    play: 'Play', keep: 'Keep', packChecking: 'replaying its maker\'s run…',
    packCleared: (t) => `cleared by its maker in ${t}`, packNotCleared: 'its run does not reach the end',
    packForged: 'its run is refused: it was recorded on other stages',
    playOwn: 'Play the game\'s own stages', packNoRun: 'it comes without a clearing run',
    packUnchecked: (why) => `its run could not be checked (${why})`,
    badPackLink: 'the stages in this link are cut short or changed',
    badPack: (why) => `the stages in this link cannot be used: ${why}`,
    keepFailed: (why) => `the stages could not be kept in this browser: ${why}`,
    packShareText: 'A link that carries these stages:',
    edit: 'Edit', download: 'Download the stages', openFile: 'Open stages',
    notPackFile: 'not a file of stages (a .twpack file the editor downloaded)',
  },
  ja: {
    loading: '読み込み中', ready: '準備完了', sound: '音: キーを押すかタップ', ended: 'ゲームは終了しました',
    replaying: '共有されたプレイを再生中', game: 'ゲーム', data: 'データ', music: '音楽',
    fullscreen: '全画面', sharp: 'くっきり表示', share: 'このプレイを共有', copy: 'コピー', close: '閉じる',
    shareText: 'このプレイを再生するリンク:', copied: 'コピーしました', playAgain: 'もう一度遊ぶ',
      picture: 'ゲームの画面', shareName: 'このプレイを共有',
    badFrames: (v) => `?frames=${v}: フリップ数は整数で指定してください`,
    badLang: (v) => `?lang=${v}: 言語は ja か en です`,
    badHeadless: (v) => `?headless=${v}: 指定できるのは ?headless=1 だけです`,
    noInput: '?input=: ファイルが指定されていません (?input=記録されたプレイのURL)',
    badInput: (v, why) => `?input=${v}: ${why}`,
    unreadable: (status) => `読み込めません (${status})`,
    notInput: (why) => `記録されたプレイではありません (${why})`,
    badLink: 'このリンクのプレイは途中で切れているか、書き換えられています',
    failed: (what) => `ゲームを読み込めませんでした: ${what}`,
    noMusic: (why) => `音楽なし (${why})`,
    stopped: (what) => `ゲームが止まりました: ${what}`,
    keys: '<b>矢印</b> 走る · <b>Z</b> ジャンプ · <b>X</b>, <b>C</b> 斬る · <b>Space</b> 世界切替 · ' +
      '<b>Ctrl</b> スキル · <b>Esc</b> ポーズ · <b>F3</b> オプション · <b>F4</b> ステージ · <b>Enter</b> 開始, 決定',
    packHeading: 'リンクで共有されたステージ', packBy: (a) => `作者: ${a}`, packOffered: 'リンクのステージ',
    play: 'プレイ', keep: '保存', packChecking: '作者のプレイを再生して確かめています…',
    packCleared: (t) => `作者が${t}でクリア`, packNotCleared: '付いているプレイは最後まで届きません',
    packForged: '付いているプレイは認められません: 別のステージで記録されています',
    playOwn: 'ゲーム本来のステージで遊ぶ', packNoRun: 'クリアしたプレイは付いていません',
    packUnchecked: (why) => `付いているプレイを確かめられませんでした (${why})`,
    badPackLink: 'このリンクのステージは途中で切れているか、書き換えられています',
    badPack: (why) => `このリンクのステージは使えません: ${why}`,
    keepFailed: (why) => `このブラウザにステージを保存できませんでした: ${why}`,
    packShareText: 'このステージを運ぶリンク:',
    edit: '編集', download: 'ステージをダウンロード', openFile: 'ステージを開く',
    notPackFile: 'ステージのファイルではありません(エディタでダウンロードした .twpack ファイル)',
  },
};

function browserLanguage() {
  for (const l of navigator.languages || [navigator.language || '']) {
    if (/^ja\b/i.test(l)) return 'ja';
    if (/^en\b/i.test(l)) return 'en';
  }
  return 'en';
}

export const language = langParam === 'ja' || langParam === 'en' ? langParam : browserLanguage();
export const T = Texts[language];

// The page's own labels, in that language.
export function labelPage() {
  document.documentElement.lang = language;
  document.getElementById('keys').innerHTML = T.keys;
  document.getElementById('fullscreen').textContent = T.fullscreen;
  document.getElementById('sharp').textContent = T.sharp;
  document.getElementById('share-run').textContent = T.share;
  document.getElementById('share-copy').textContent = T.copy;
  document.getElementById('share-close').textContent = T.close;
  document.getElementById('pack-download').textContent = T.download;
  document.getElementById('pack-open').textContent = T.openFile;
  for (const id of ['play-again', 'share-again']) document.getElementById(id).textContent = T.playAgain;
  document.getElementById('screen').setAttribute('aria-label', T.picture);
  document.getElementById('share').setAttribute('aria-label', T.shareName);
}
