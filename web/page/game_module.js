// SPDX-License-Identifier: MIT
// The game's emscripten module (createTwinworlds): its arguments, where its
// words go, and the loader's hooks that count its bytes and say its faults.
import { fail } from './errors.js';
import { loadStart, result } from './harness.js';
import { fetchWithProgress } from './loading.js';
import { headless, params } from './parameters.js';
import { progress } from './status.js';
import { language, T } from './texts.js';
import { canvas } from './layout.js';

export const args = ['--dump-state', '/out/state.json', '--screenshot', '/out/last.png', '--lang', language];
if (headless) args.push('--headless');
if (params.has('frames')) args.push('--frames', params.get('frames'));

export const game = {
  arguments: args,
  canvas,
  print: (t) => (console.log(t), result.exitLog.push(t)),
  printErr: (t) => (console.warn(t), result.exitLog.push(t)),
  // After the game data is in place, just before main.
  onRuntimeInitialized() {
    game.FS.mkdir('/out');
    game.FS.chdir('/game');
    if (game.inputText !== undefined) game.FS.writeFile('/input.txt', game.inputText);
    result.mainStartMs = performance.now() - loadStart;
  },
  // The emscripten loader's own word on the game data: "(loaded/total)".
  setStatus(text) {
    const m = /\((\d+)\/(\d+)\)/.exec(text || '');
    if (m) progress('data', Number(m[1]), Number(m[2]));
  },
  // The wasm, fetched so its bytes can be counted, compiled as it comes.
  instantiateWasm(imports, done) {
    fetchWithProgress('twinworlds.wasm', 'game')
      .then((r) => {
        if (!r.ok) throw new Error('twinworlds.wasm (' + r.status + ')');
        return WebAssembly.instantiateStreaming
          ? WebAssembly.instantiateStreaming(r, imports)
          : r.arrayBuffer().then((b) => WebAssembly.instantiate(b, imports));
      })
      .then((out) => done(out.instance, out.module))
      .catch((e) => fail(T.failed(e.message)));
    return {};
  },
  // An abort ends the run: a load that failed, or a trap before the game
  // first waits.
  onAbort: (what) => fail((result.mainStartMs === null ? T.failed : T.stopped)(String(what))),
};
