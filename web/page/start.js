// SPDX-License-Identifier: MIT
// The page around the browser build: the start-up, in order. Each concern
// has its file beside this one; `window.TW` is what the game calls
// (game_calls.js) and `window.twinworlds` what a harness reads (harness.js).
import { fail, watchErrors } from './errors.js';
import { watchEditorFiles } from './editor_files.js';
import { offerGameCalls } from './game_calls.js';
import { startFirstGame, watchEndings } from './games.js';
import { watchLongTasks } from './harness.js';
import { watchKeys } from './keys.js';
import { watchLayout } from './layout.js';
import { watchFullscreen } from './fullscreen.js';
import { startOffline } from './offline.js';
import { watchPads } from './pads.js';
import { headless, parameterFault } from './parameters.js';
import { watchPictureTaps } from './picture_taps.js';
import { watchPointer } from './pointer.js';
import { watchShare } from './share.js';
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
watchPictureTaps();
watchPointer();
watchFullscreen();
watchLayout();
offerGameCalls();
watchShare();
watchEditorFiles();
watchEndings();

// The parameters checked first, each fault said in the page; then the
// input, then the game.
const fault = parameterFault(T);
if (fault) fail(fault);
else startFirstGame();

if (!headless) startOffline();
