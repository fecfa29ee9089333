// SPDX-License-Identifier: MIT
// Packs of stages shared as links (#pack=...). The page inflates the link;
// a module beside the game's reads it by the game's own rules
// (platform/shell/linked_packs.cpp), says what it is and, when it carries a
// run, replays that run headless as a game of its own, saying "cleared by
// its maker in M:SS" only when the replay reaches the closing screen. Play
// plays the pack now; Keep writes it into the browser's storage, where the
// title's list of stages (F4) finds it from then on, and plays it; Edit
// keeps it and opens the stage editor on it. A link that cannot be used is said in one line, and Play plays the game's own.
import { fail } from './errors.js';
import { newHelper, storePacks } from './game_module.js';
import { result } from './harness.js';
import { loadScriptOnce } from './loading.js';
import { sharedPack } from './parameters.js';
import { bytesFromLink } from './share.js';
import { showStatus } from './status.js';
import { language, T } from './texts.js';

const panel = document.getElementById('pack');
// Where a pack played from a link is written in a game's file system.
const LinkFolder = '/link';
// What is wrong with the link itself, as against a load that failed.
class Refusal extends Error {}

// One of the wasm's pack-link calls, with the archive and strings; its answer as text.
function call(M, name, payload, ...strings) {
  const alloc = (bytes) => {
    const at = M._malloc(bytes.length);
    M.HEAPU8.set(bytes, at);
    return at;
  };
  const p = alloc(payload), q = strings.map((s) => alloc(new TextEncoder().encode(s + '\0')));
  const at = M['_' + name](p, payload.length, ...q);
  const text = new TextDecoder().decode(M.HEAPU8.subarray(at, M.HEAPU8.indexOf(0, at)));
  for (const x of [p, ...q]) M._free(x);
  return text;
}

const openPackLink = (M, payload) => JSON.parse(call(M, 'TwOpenPackLink', payload, LinkFolder));

function gameTime(frames) {
  const s = Math.floor((frames * 30) / 1000);
  return Math.floor(s / 60) + ':' + String(s % 60).padStart(2, '0');
}

// The calls of the helper's game: nothing shown, heard or sampled.
function quietCalls() {
  const quiet = () => {};
  return {
    ticks: () => 0, showPicture: quiet, sampleKeys: quiet, samplePads: () => 0, samplePointer: quiet,
    openAudio: () => false, closeAudio: quiet, pumpAudio: quiet,
    music: { load: () => false, start: quiet, stop: quiet, render: quiet, voices: () => 0 },
    messageBox: quiet, startFault: quiet, finished: quiet, offerLink: quiet, filesWritten: quiet,
  };
}

// The run replayed in the helper, as a headless game: its verdict, from
// the file its --cleared option writes.
function replayRun(M, info) {
  return new Promise((resolve) => {
    const unchecked = (why) => resolve({ verdict: 'unchecked', text: T.packUnchecked(why) });
    M.tw.startFault = unchecked;
    M.tw.messageBox = (caption, text) => unchecked(caption + ': ' + text);
    // A trap in the replay is its own, not the page's.
    M.onAbort = (what) => unchecked(String(what));
    M.tw.finished = () => {
      let text = '';
      try {
        text = M.FS.readFile(info.cleared, { encoding: 'utf8' });
      } catch (e) {}
      const cleared = /^cleared (\d+)\n$/.exec(text);
      if (cleared) resolve({ verdict: 'cleared', frames: Number(cleared[1]), text: T.packCleared(gameTime(Number(cleared[1]))) });
      else if (text === 'not cleared\n') resolve({ verdict: 'not cleared', text: T.packNotCleared });
      else unchecked(text || 'no answer');
    };
    M.callMain(info.replay);
  });
}

const own = (texts) => texts[language] || texts.en || texts.ja || '';

// The panel: what the link carries, or in one line why it cannot be used
// (then Play plays the game's own stages, and Keep is not offered).
function show(info, fault) {
  document.getElementById('pack-heading').textContent = T.packHeading;
  document.getElementById('pack-name').textContent = fault ||
    (own(info.name) || info.id) + (own(info.author) ? ' · ' + T.packBy(own(info.author)) : '');
  document.getElementById('pack-about').textContent = fault ? '' : own(info.description);
  document.getElementById('pack-run').textContent = !fault && info.verdict === 'unchecked' ? T.packChecking : '';
  document.getElementById('pack-play').textContent = fault ? T.playOwn : T.play;
  document.getElementById('pack-keep').textContent = T.keep;
  document.getElementById('pack-keep').hidden = !!fault;
  document.getElementById('pack-edit').textContent = T.edit;
  document.getElementById('pack-edit').hidden = !!fault;
  panel.classList.add('shown');
  document.getElementById('pack-play').focus();
}

// The link read and offered; `startGame(pack, settings)` starts the game
// with it (games.js).
export function offerPack(startGame) {
  let payload = null, info = null;
  const play = (pack, settings) => {
    panel.classList.remove('shown');
    startGame(pack, settings).catch((e) => fail(e.message));
  };
  document.getElementById('pack-play').addEventListener('click', () => {
    if (!info) return play({ args: [], once: true });
    play({ args: ['--pack', LinkFolder + '/' + info.id], prepare: (m) => {
      const again = openPackLink(m, payload);
      if (again.fault) fail(T.badPack(again.fault));
    } });
  });
  // Keep, and Edit: kept, then the editor opened on it (left, the game ends
  // and Play again starts the title, with the pack among its stages).
  const keep = (edit) => {
    if (!info) return;
    const id = info.id;
    // Reloaded, the page is the game's, with the pack among its stages.
    history.replaceState(null, '', location.pathname + location.search);
    play({ args: edit ? ['--edit', '/packs/' + id] : [], once: true, prepare: (m) => {
      const why = call(m, 'TwKeepPackLink', payload);
      if (why) return fail(T.keepFailed(why));
      // The title names it (it is the choice now), and its list has it.
      storePacks(m).then(() => (result.packKept = id), (e) => fail(T.keepFailed(String((e && e.message) || e))));
    } }, 'pack = ' + id + '\n');
  };
  document.getElementById('pack-keep').addEventListener('click', () => keep(false));
  document.getElementById('pack-edit').addEventListener('click', () => keep(true));
  // A link that cannot be used is said in one line; the game's own stages
  // still play.
  const refuse = (why) => {
    result.packLink = { fault: why };
    showStatus('ready');
    show(null, why);
  };
  bytesFromLink(sharedPack)
    .then((bytes) => (payload = bytes), () => Promise.reject(new Refusal(T.badPackLink)))
    .then(() => loadScriptOnce('twinworlds.js').catch((e) => Promise.reject(new Error(T.failed(e.message)))))
    .then(() => createTwinworlds(newHelper(quietCalls())))
    .then((M) => {
      const read = openPackLink(M, payload);
      if (read.fault) throw new Refusal(T.badPack(read.fault));
      info = read;
      result.packLink = { id: info.id, verdict: info.verdict, text: null };
      showStatus('ready', T.packOffered);
      show(info);
      const verdict = info.verdict === 'unchecked' ? replayRun(M, info)
        : Promise.resolve({ verdict: info.verdict, text: info.verdict === 'forged' ? T.packForged : T.packNoRun });
      return verdict.then((v) => {
        Object.assign(result.packLink, { verdict: v.verdict, text: v.text });
        document.getElementById('pack-run').textContent = v.text;
      });
    })
    .catch((e) => (e instanceof Refusal ? refuse(e.message) : fail(e.message)));
}
