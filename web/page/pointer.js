// SPDX-License-Identifier: MIT
// The pointer over the picture, for the stage editor (the only screen that
// reads it): the mouse, or the first finger on a touch screen as the left
// button, so that a tap paints. Its place is in the game's pixels; the
// buttons held, and those pressed since the game's last sample, count.
import { canvas } from './layout.js';
import { Screen, touch } from './touch_controls.js';

const Left = 1, Right = 2, Middle = 4;
const state = { inside: false, x: 0, y: 0, held: 0, pressed: 0, wheel: 0, finger: null };

function place(e) {
  const r = canvas.getBoundingClientRect();
  state.x = Math.floor(((e.clientX - r.left) * canvas.width) / r.width);
  state.y = Math.floor(((e.clientY - r.top) * canvas.height) / r.height);
  state.inside = state.x >= 0 && state.y >= 0 && state.x < canvas.width && state.y < canvas.height;
}

// A mouse's buttons by the page's numbering (0 left, 1 middle, 2 right).
const ButtonBits = [Left, Middle, Right];

export function watchPointer() {
  canvas.addEventListener('pointerdown', (e) => {
    if (e.pointerType === 'touch') {
      // Other screens take their taps themselves (picture_taps.js).
      if (touch.screen() !== Screen.editor || state.finger !== null) return;
      state.finger = e.pointerId;
      place(e);
      state.held |= Left;
      state.pressed |= Left;
      e.preventDefault();
      return;
    }
    place(e);
    const bit = ButtonBits[e.button] || 0;
    state.held |= bit;
    state.pressed |= bit;
  });
  canvas.addEventListener('pointermove', (e) => {
    if (e.pointerType === 'touch' && e.pointerId !== state.finger) return;
    place(e);
  });
  const lift = (e) => {
    if (e.pointerType === 'touch') {
      if (e.pointerId !== state.finger) return;
      state.finger = null;
      state.held &= ~Left;
      return;
    }
    state.held &= ~(ButtonBits[e.button] || 0);
  };
  canvas.addEventListener('pointerup', lift);
  canvas.addEventListener('pointercancel', lift);
  canvas.addEventListener('pointerleave', (e) => {
    if (e.pointerType !== 'touch') state.inside = false;
  });
  // The editor's right button erases: no menu over the picture.
  canvas.addEventListener('contextmenu', (e) => {
    if (touch.screen() === Screen.editor) e.preventDefault();
  });
  canvas.addEventListener(
    'wheel',
    (e) => {
      if (touch.screen() !== Screen.editor) return;
      // Away from the player is up, as the game counts it.
      state.wheel += e.deltaY < 0 ? 1 : e.deltaY > 0 ? -1 : 0;
      e.preventDefault();
    },
    { passive: false },
  );
}

// Fills out: over the picture, x, y, the buttons, the wheel's notches.
export function samplePointer(out) {
  out[0] = state.inside ? 1 : 0;
  out[1] = state.x;
  out[2] = state.y;
  out[3] = state.held | state.pressed;
  out[4] = Math.max(-127, Math.min(127, state.wheel));
  state.pressed = 0;
  state.wheel = 0;
}
