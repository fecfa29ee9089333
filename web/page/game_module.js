// SPDX-License-Identifier: MIT
// The game's emscripten module (createTwinworlds): its arguments, where its
// words go, and the loader's hooks that count its bytes and say its faults.
// One a game: "Play again" starts another on the same page, the settings
// the options screen changed handed over from the last.
import { fail } from './errors.js';
import { loadStart, result } from './harness.js';
import { fetchWithProgress } from './loading.js';
import { headless, params } from './parameters.js';
import { progress } from './status.js';
import { language, T } from './texts.js';
import { canvas } from './layout.js';

const SettingsFile = '/settings/twinworlds.conf';
// The game now running, or last run.
export let game = null;
// The wasm compiled for the first game serves the next.
let compiled = null;

// The player's kept packs: the browser's IndexedDB, mounted where the game
// looks for them (/packs) and read in before main. Without IndexedDB (a
// private window in some browsers) the game plays on with none.
function mountPacks(m) {
  const FS = m.FS;
  FS.mkdir('/packs');
  try {
    FS.mount(FS.filesystems.IDBFS, {}, '/packs');
  } catch (e) {
    return console.warn('twinworlds: no kept packs: ' + e.message);
  }
  m.addRunDependency('packs');
  FS.syncfs(true, (e) => {
    if (e) console.warn('twinworlds: the kept packs cannot be read: ' + (e.message || e));
    m.removeRunDependency('packs');
  });
}

// What is written under /packs, into the browser's storage.
export function storePacks(m) {
  return new Promise((resolve, reject) => m.FS.syncfs(false, (e) => (e ? reject(e) : resolve())));
}

// The game wrote or took away files of its packs (the stage editor's
// saves and autosaves): stored soon after, one store at a time, once more
// when more came meanwhile.
let storing = null, storeAgain = false;
export function storeSoon(m) {
  if (storing) return void (storeAgain = true);
  storing = new Promise((resolve) => setTimeout(resolve, 0))
    .then(() => storePacks(m))
    .catch((e) => console.warn('twinworlds: the packs cannot be stored: ' + ((e && e.message) || e)))
    .then(() => {
      storing = null;
      result.packsStored = (result.packsStored || 0) + 1;
      if (storeAgain) (storeAgain = false), storeSoon(m);
    });
}

// A new module for a game; `inputText` the input file it plays, if any;
// `prepare(m)`, if given, runs just before main (a linked pack written).
export function newGame(inputText, settingsText, prepare) {
  const args = ['--dump-state', '/out/state.json', '--screenshot', '/out/last.png'];
  // The language the options screen chose last outranks the page's.
  if (!settingsText || !/^language = (ja|en)\b/m.test(settingsText)) args.push('--lang', language);
  if (headless) args.push('--headless');
  if (params.has('frames')) args.push('--frames', params.get('frames'));
  const m = {
    arguments: args,
    canvas,
    inputText,
    print: (t) => (console.log(t), result.exitLog.push(t)),
    printErr: (t) => (console.warn(t), result.exitLog.push(t)),
    // After the game data is in place, just before main.
    onRuntimeInitialized() {
      m.FS.mkdir('/out');
      m.FS.chdir('/game');
      if (m.inputText !== undefined) m.FS.writeFile('/input.txt', m.inputText);
      if (settingsText) {
        m.FS.mkdir('/settings');
        m.FS.writeFile(SettingsFile, settingsText);
      }
      if (prepare) prepare(m);
      result.mainStartMs = performance.now() - loadStart;
    },
    // The emscripten loader's own word on the game data: "(loaded/total)".
    setStatus(text) {
      const m = /\((\d+)\/(\d+)\)/.exec(text || '');
      if (m) progress('data', Number(m[1]), Number(m[2]));
    },
    // The wasm, fetched so its bytes can be counted, compiled as it comes.
    instantiateWasm(imports, done) {
      if (compiled) {
        WebAssembly.instantiate(compiled, imports).then((instance) => done(instance, compiled));
        return {};
      }
      fetchWithProgress('twinworlds.wasm', 'game')
        .then((r) => {
          if (!r.ok) throw new Error('twinworlds.wasm (' + r.status + ')');
          return WebAssembly.instantiateStreaming
            ? WebAssembly.instantiateStreaming(r, imports)
            : r.arrayBuffer().then((b) => WebAssembly.instantiate(b, imports));
        })
        .then((out) => done(out.instance, (compiled = out.module)))
        .catch((e) => fail(T.failed(e.message)));
      return {};
    },
    // An abort ends the run: a load that failed, or a trap before the game
    // first waits.
    onAbort: (what) => fail((result.mainStartMs === null ? T.failed : T.stopped)(String(what))),
  };
  m.preRun = [() => mountPacks(m)];
  if (inputText !== undefined) args.push('--input', '/input.txt');
  game = m;
  return m;
}

// A module beside the game's, not started: the page calls into it, and may
// start it as a headless game of its own whose calls go to `tw` (a pack
// link's replay). Its data is the game's own.
export function newHelper(tw) {
  const m = {
    noInitialRun: true,
    tw,
    print: (t) => console.debug(t),
    printErr: (t) => console.debug(t),
    onRuntimeInitialized() {
      m.FS.chdir('/game');
    },
    instantiateWasm(imports, done) {
      const ready = compiled
        ? WebAssembly.instantiate(compiled, imports).then((instance) => done(instance, compiled))
        : fetch('twinworlds.wasm')
            .then((r) => (r.ok ? r.arrayBuffer() : Promise.reject(new Error('twinworlds.wasm (' + r.status + ')'))))
            .then((b) => WebAssembly.instantiate(b, imports))
            .then((out) => done(out.instance, (compiled = out.module)));
      ready.catch((e) => fail(T.failed(e.message)));
      return {};
    },
    onAbort: (what) => fail(T.stopped(String(what))),
  };
  return m;
}

// The settings file the game wrote, to hand to the next.
export function gameSettings() {
  try {
    return game.FS.readFile(SettingsFile, { encoding: 'utf8' });
  } catch (e) {
    return undefined;
  }
}
