// SPDX-License-Identifier: MIT
// The games of the page: the first from its parameters (a recorded run
// from ?input or a link, else the title), and after any ending "Play again"
// (by touch, Enter or a pad's Start, beside Share): the title afresh on the
// same page, with a fresh recording and the options kept.
import { fail } from './errors.js';
import { gameSettings, newGame } from './game_module.js';
import { holdForHarness, result } from './harness.js';
import { loadScriptOnce } from './loading.js';
import { watchPadStart } from './pads.js';
import { packToEdit } from './editor_files.js';
import { offerPack } from './pack_links.js';
import { headless, input, replayingLink, sharedPack, sharedRun } from './parameters.js';
import { closeShare, openShare, runFromLink, shareFrom } from './share.js';
import { gameStarts, playerTakesOver } from './status.js';
import { T } from './texts.js';
import { Screen, touch } from './touch_controls.js';

const againButtons = ['play-again', 'share-again'].map((id) => document.getElementById(id));
let ended = false, live = false;
// A linked pack: played, each game of the page plays it, written afresh
// into the new module before its main, with its arguments; kept, it is
// written into the player's packs once.
let linkedPack = null;

// The input file: from ?input, or the run a link carries.
function inputText() {
  if (input)
    return fetch(input)
      .catch(() => ({ ok: false, status: 'network' }))
      .then((r) => {
        if (!r.ok) throw new Error(T.badInput(input, T.unreadable(r.status)));
        return r.text();
      });
  if (sharedRun !== null) return runFromLink(sharedRun).catch(() => Promise.reject(new Error(T.badLink)));
  return Promise.resolve(undefined);
}

function start(text, settings) {
  const pack = linkedPack;
  // A kept pack is the player's from then on: written once.
  if (pack && pack.once) linkedPack = null;
  const m = newGame(text, settings, pack && pack.prepare);
  if (pack) m.arguments.push(...pack.args);
  if (touch.shown) touch.mark();
  if (result.games === 1) holdForHarness(m);
  if (text !== undefined && replayingLink && !headless) m.arguments.push('--then-play');
  // The page keeps the recording of the game being played, for its link.
  if (!headless) m.arguments.push('--record', '/run.txt');
  return loadScriptOnce('twinworlds.js')
    .catch((e) => Promise.reject(new Error(T.failed(e.message))))
    .then(() => createTwinworlds(m))
    .then((module) => shareFrom(module));
}

export function startFirstGame() {
  // A pack kept from a file (or a link's Edit): the editor opens on it.
  const edit = packToEdit();
  if (edit) linkedPack = { args: ['--edit', '/packs/' + edit], once: true };
  // A pack link asks first: Play or Keep.
  if (sharedPack !== null && !input)
    return offerPack((pack, settings) => {
      linkedPack = pack;
      return start(undefined, settings);
    });
  inputText()
    .then((text) => start(text))
    .catch((e) => fail(e.message));
}

// The keys are the player's: the game samples the page (not its input file).
export function gameSampledLive() {
  if (live) return;
  live = true;
  playerTakesOver();
}

// The game's main has returned.
export function gameEnded() {
  if (headless || result.status === 'error') return;
  ended = true;
  for (const b of againButtons) b.hidden = false;
  touch.follow(Screen.ended);
  // A game played (not only replayed) offers its link.
  if (live || !replayingLink) openShare();
}

function playAgain() {
  if (!ended || result.status === 'error') return;
  ended = live = false;
  for (const b of againButtons) b.hidden = true;
  closeShare();
  const settings = gameSettings();
  Object.assign(result, { done: false, state: null, png: null, runMs: null, games: result.games + 1 });
  gameStarts();
  start(undefined, settings).catch((e) => fail(e.message));
}

export function watchEndings() {
  result.games = 1;
  // For a harness: the settings the options screen keeps.
  result.settings = gameSettings;
  for (const b of againButtons)
    b.addEventListener('click', (e) => {
      e.currentTarget.blur();
      playAgain();
    });
  watchPadStart(() => ended && playAgain());
  // Enter, wherever the focus is but on another of the page's buttons.
  addEventListener('keydown', (e) => {
    if (!ended || e.repeat || (e.key !== 'Enter' && e.code !== 'NumpadEnter')) return;
    if (e.target instanceof HTMLButtonElement && !againButtons.includes(e.target)) return;
    e.preventDefault();
    e.stopImmediatePropagation();
    playAgain();
  }, true);
}

