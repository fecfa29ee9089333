// SPDX-License-Identifier: MIT
// Pads with the browser's standard layout, read as SDL reads a game
// controller: buttons as SDL numbers them, the sticks and triggers as its
// six axes. The game maps them through the desktop's bindings.
import { touch } from './touch_controls.js';

const PadButtonBits = [0, 1, 2, 3, 9, 10, -1, -1, 4, 6, 7, 8, 11, 12, 13, 14, 5];
const padHeld = [], padPressed = [];
let padOddSaid = false;
// Start (SDL's bit) pressed on any pad: told to whoever asked, once a press.
const StartBit = 1 << 6;
let startHeld = false, onStart = null;

export function watchPadStart(callback) {
  onStart = callback;
}

function pollPads() {
  const pads = navigator.getGamepads ? navigator.getGamepads() : [];
  const seen = [];
  for (const pad of pads) {
    if (!pad || !pad.connected) continue;
    if (pad.mapping !== 'standard') {
      if (!padOddSaid) console.warn('twinworlds: the pad "' + pad.id + '" has no standard layout; it is not read');
      padOddSaid = true;
      continue;
    }
    let bits = 0;
    pad.buttons.forEach((b, i) => {
      if (b.pressed && PadButtonBits[i] >= 0) bits |= 1 << PadButtonBits[i];
    });
    if (bits) touch.hide();
    const n = seen.length;
    padPressed[n] = (padPressed[n] || 0) | bits;
    padHeld[n] = { bits, pad };
    seen.push(pad);
  }
  padHeld.length = seen.length;
  const start = padHeld.some((p) => p.bits & StartBit);
  if (start && !startHeld && onStart) onStart();
  startHeld = start;
  return seen.length;
}

// A tap between two of the game's samples still counts.
export function watchPads() {
  pollPads();
  requestAnimationFrame(watchPads);
}

function axisValue(v) {
  return Math.max(-32768, Math.min(32767, Math.round((v || 0) * 32767)));
}

// The pads of one of the game's samples: how many, each one's buttons and axes.
export function samplePads(buttons, axes) {
  const n = Math.min(pollPads(), buttons.length);
  for (let i = 0; i < n; i++) {
    const { bits, pad } = padHeld[i];
    buttons[i] = (bits | padPressed[i]) >>> 0;
    padPressed[i] = 0;
    for (let a = 0; a < 4; a++) axes[i * 6 + a] = axisValue(pad.axes[a]);
    axes[i * 6 + 4] = axisValue(pad.buttons[6] && pad.buttons[6].value);
    axes[i * 6 + 5] = axisValue(pad.buttons[7] && pad.buttons[7].value);
  }
  return n;
}
