// SPDX-License-Identifier: MIT
// Full screen: the whole page, so the bar and the on-screen controls come
// along. Escape there is the game's pause (the keyboard lock keeps it from
// the browser where it can); the button or F11 leaves.
import { pressed } from './keys.js';
import { fit } from './layout.js';

let leavingOnPurpose = false;
const fullscreenButton = document.getElementById('fullscreen');

export function toggleFullscreen() {
  if (document.fullscreenElement) {
    leavingOnPurpose = true;
    document.exitFullscreen().catch(() => {});
  } else if (document.documentElement.requestFullscreen) {
    document.documentElement
      .requestFullscreen({ navigationUI: 'hide' })
      .then(() => navigator.keyboard && navigator.keyboard.lock && navigator.keyboard.lock(['Escape']))
      .catch(() => {});
  }
}

export function watchFullscreen() {
  document.addEventListener('fullscreenchange', () => {
    if (!document.fullscreenElement) {
      if (navigator.keyboard && navigator.keyboard.unlock) navigator.keyboard.unlock();
      // A browser without the lock took Escape to leave: the game pauses all the same.
      if (!leavingOnPurpose) pressed[0x1b] = 1;
      leavingOnPurpose = false;
    }
    fit();
  });
  fullscreenButton.addEventListener('click', () => {
    toggleFullscreen();
    // Clicked or pressed from Tab: the next Enter is the game's again.
    fullscreenButton.blur();
  });
  // Where the page cannot go full screen (an iPhone), the installed app can.
  if (!document.fullscreenEnabled) fullscreenButton.hidden = true;
}
