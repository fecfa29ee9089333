// SPDX-License-Identifier: MIT
// The page around the browser build: the start-up, in order. Each concern
// has its file beside this one; `window.TW` is what the game calls
// (game_calls.js) and `window.twinworlds` what a harness reads (harness.js).
import { fail, watchErrors } from './errors.js';
import { offerGameCalls } from './game_calls.js';
import { args, game } from './game_module.js';
import { holdForHarness, watchLongTasks } from './harness.js';
import { watchKeys } from './keys.js';
import { watchLayout } from './layout.js';
import { watchFullscreen } from './fullscreen.js';
import { loadScript } from './loading.js';
import { startOffline } from './offline.js';
import { watchPads } from './pads.js';
import { headless, input, parameterFault, replayingLink, sharedRun } from './parameters.js';
import { runFromLink, shareFrom, watchShare } from './share.js';
import { labelPage, language, T } from './texts.js';
import { touch, watchTouch } from './touch_controls.js';

watchLongTasks();
// The on-screen controls first: a touch screen shows them from the start,
// and the picture is fitted to the room they leave.
watchTouch();
labelPage();
touch.setLanguage(language);
watchErrors();
watchKeys();
watchPads();
watchFullscreen();
watchLayout();
offerGameCalls();
watchShare();
holdForHarness(game);

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

// The parameters checked first, each fault said in the page; then the
// input, then the game.
const fault = parameterFault(T);
if (fault) fail(fault);
else
  inputText()
    .then((text) => {
      if (text !== undefined) {
        game.inputText = text;
        args.push('--input', '/input.txt');
      }
      if (replayingLink && !headless) args.push('--then-play');
      // The page keeps the recording of the game being played, for its link.
      if (!headless) args.push('--record', '/run.txt');
      return loadScript('twinworlds.js')
        .catch((e) => Promise.reject(new Error(T.failed(e.message))))
        .then(() => createTwinworlds(game));
    })
    .then((module) => shareFrom(module))
    .catch((e) => fail(e.message));

if (!headless) startOffline();
