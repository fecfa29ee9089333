// SPDX-License-Identifier: MIT
// What the game's platform calls (platform/backends/browser/*.cpp):
// `window.TW`, the one object the wasm knows of the page.
import { audioCalls } from './audio.js';
import { fail } from './errors.js';
import { gameEnded, gameSampledLive } from './games.js';
import { game, storeSoon } from './game_module.js';
import { loadStart, result } from './harness.js';
import { sampleKeys } from './keys.js';
import { drawPicture } from './layout.js';
import { musicCalls } from './music.js';
import { offlineAfterFirstPicture } from './offline.js';
import { samplePads } from './pads.js';
import { input } from './parameters.js';
import { followEditorScreen, noteEditedPack } from './editor_files.js';
import { samplePointer } from './pointer.js';
import { showPackLink } from './share.js';
import { gameShown, showStatus } from './status.js';
import { T } from './texts.js';
import { touch } from './touch_controls.js';

export function offerGameCalls() {
  window.TW = {
    ticks: () => Math.floor(performance.now() - loadStart) >>> 0,
    showPicture(rgba) {
      drawPicture(rgba);
      if (result.firstPictureMs === null) {
        result.firstPictureMs = performance.now() - loadStart;
        gameShown();
        offlineAfterFirstPicture();
      }
    },
    // Called only while the page's keys are the game's (not its input
    // file's), with the screen the game shows.
    sampleKeys(down, screen) {
      gameSampledLive();
      touch.follow(screen);
      followEditorScreen(screen);
      sampleKeys(down);
    },
    samplePads(buttons, axes) {
      result.keySamples++;
      return samplePads(buttons, axes);
    },
    samplePointer,
    offerLink: showPackLink,
    filesWritten(folder) {
      noteEditedPack(folder);
      storeSoon(game);
    },
    messageBox(caption, text) {
      fail(caption + ': ' + text);
    },
    ...audioCalls,
    music: musicCalls,
    // The game refused to start: its line, with the page's names for things.
    startFault(line) {
      const m = /^--input \/input\.txt: (.*)$/.exec(line);
      if (m) return fail(input ? T.badInput(input, T.notInput(m[1])) : T.badLink);
      fail(T.stopped(line));
    },
    finished() {
      const FS = game.FS;
      result.runMs = performance.now() - loadStart - result.mainStartMs;
      try {
        result.state = FS.readFile('/out/state.json', { encoding: 'utf8' });
        const png = FS.readFile('/out/last.png');
        let text = '';
        for (let i = 0; i < png.length; i += 0x8000) text += String.fromCharCode.apply(null, png.subarray(i, i + 0x8000));
        result.png = btoa(text);
      } catch (e) {
        result.exitLog.push('finished: ' + e.message);
      }
      if (result.status !== 'error') showStatus('ended');
      result.done = true;
      gameEnded();
    },
  };
}
