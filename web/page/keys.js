// SPDX-License-Identifier: MIT
// The keyboard: keys by what they are labelled, as on the desktop, held
// (`live`) or pressed since the game's last sample (`pressed`).
import { startSound } from './audio.js';
import { toggleFullscreen } from './fullscreen.js';
import { result } from './harness.js';
import { Screen, touch } from './touch_controls.js';

const Codes = {
  Backspace: 8, Enter: 13, NumpadEnter: 13, ControlLeft: 0x11, ControlRight: 0x11, Escape: 0x1b,
  Space: 0x20, ArrowLeft: 0x25, ArrowUp: 0x26, ArrowRight: 0x27, ArrowDown: 0x28,
};
// The game's keys: the browser does nothing else with them.
const Claimed = new Set([8, 13, 0x11, 0x1b, 0x20, 0x25, 0x26, 0x27, 0x28, 0x70, 0x71, 0x72, 0x73, 0x74, 0x75, 67, 78, 88, 89, 90]);
// The focus lost, as the desktop's window tells the editor (VK_FOCUS_LOST).
const FocusLost = 0x07;
export const live = new Uint8Array(256), pressed = new Uint8Array(256);

// The stage editor reads more of the keyboard, as the desktop's: both
// Ctrl and Shift keys by their sides, and the editing keys.
const EditorCodes = {
  ControlLeft: 0xa2, ControlRight: 0xa3, ShiftLeft: 0xa0, ShiftRight: 0xa1, Tab: 9, Delete: 0x2e, Insert: 0x2d,
  PageUp: 0x21, PageDown: 0x22, Home: 0x24, End: 0x23, BracketLeft: 0xdb, BracketRight: 0xdd, Minus: 0xbd,
  Equal: 0xbb, Period: 0xbe,
};

function virtualKey(e) {
  if (touch.screen() === Screen.editor && EditorCodes[e.code] !== undefined) return EditorCodes[e.code];
  if (e.key && e.key.length === 1) {
    const c = e.key.toUpperCase();
    if ((c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9')) return c.charCodeAt(0);
  }
  if (Codes[e.code] !== undefined) return Codes[e.code];
  const f = /^F([1-9]|1[0-2])$/.exec(e.key || '');
  return f ? 0x6f + Number(f[1]) : -1;
}

export function watchKeys() {
  addEventListener('keydown', (e) => {
    if (result.firstKeyAt === null) result.firstKeyAt = performance.now();
    startSound();
    touch.hide();
    // Tab, then Enter or Space on the page's own buttons: theirs, not the game's.
    if (e.target instanceof HTMLButtonElement && (e.code === 'Enter' || e.code === 'Space')) return;
    if (e.target instanceof HTMLInputElement) return;
    if (e.key === 'F11') {
      e.preventDefault();
      return toggleFullscreen();
    }
    const vk = virtualKey(e);
    if (vk < 0) return;
    // The stage editor's keys (F5 play-test, F6 share, Ctrl+S save...) are its own.
    if (Claimed.has(vk) || touch.screen() === Screen.editor) e.preventDefault();
    if (vk === 13 && e.altKey) return toggleFullscreen();
    live[vk] = 1;
    pressed[vk] = 1;
  });
  addEventListener('keyup', (e) => {
    const vk = virtualKey(e);
    if (vk < 0) return;
    if (Claimed.has(vk)) e.preventDefault();
    live[vk] = 0;
    // Let go whichever name it had when it went down (the screen may have changed).
    for (const table of [Codes, EditorCodes]) if (table[e.code] !== undefined) live[table[e.code]] = 0;
  });
  // Keys held when the page loses the focus would never come up.
  addEventListener('blur', () => live.fill(0));
  // Hidden, the page may be thrown away: the stage editor writes its
  // autosave (the focus lost), which the page stores.
  document.addEventListener('visibilitychange', () => {
    if (!document.hidden) return;
    live.fill(0);
    if (touch.screen() === Screen.editor) pressed[FocusLost] = 1;
  });
  // A click or a touch lets the sound start, as a key does.
  addEventListener('pointerdown', startSound);
}

// The keys of one of the game's samples: the keyboard's and the touch controls'.
export function sampleKeys(down) {
  for (let vk = 0; vk < 256; vk++) down[vk] = live[vk] | pressed[vk] | touch.held[vk] | touch.pressed[vk];
  pressed.fill(0);
  touch.pressed.fill(0);
}
