// SPDX-License-Identifier: MIT
// The pointer over the picture, for the stage editor (the only screen that
// reads it): the mouse, or a finger on a touch screen as the left button
// (the right with the touch Erase on), so that a tap paints, and two
// fingers as the middle button, so that they scroll. Its place is in the
// game's pixels; the buttons held, and those pressed since the game's last sample, count.
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

// Fingers on the picture in the editor: one paints (or erases, with the
// touch Erase on) once it has stayed alone a moment, so that a second
// finger coming down makes the two a scroll (the middle button dragged,
// at their midpoint) without painting first; a quick tap paints one cell.
const TwoFingerMs = 90;
const fingers = new Map();  // pointerId -> { x, y }
let waiting = null, panning = false;

function fingerButton() {
  return touch.erasing ? Right : Left;
}

function placeAt(x, y) {
  place({ clientX: x, clientY: y });
}

function midpoint() {
  let x = 0, y = 0;
  for (const f of fingers.values()) (x += f.x), (y += f.y);
  placeAt(x / fingers.size, y / fingers.size);
}

function fingerDown(e) {
  fingers.set(e.pointerId, { x: e.clientX, y: e.clientY });
  if (fingers.size === 1 && !panning) {
    state.finger = e.pointerId;
    place(e);
    waiting = setTimeout(() => {
      waiting = null;
      const bit = fingerButton();
      state.held |= bit;
      state.pressed |= bit;
    }, TwoFingerMs);
  } else if (fingers.size === 2 && !panning) {
    // Painting began already: it ends, and the view moves from here.
    if (waiting) clearTimeout(waiting);
    waiting = null;
    state.held &= ~(Left | Right);
    panning = true;
    midpoint();
    state.held |= Middle;
    state.pressed |= Middle;
  }
}

function fingerMove(e) {
  const f = fingers.get(e.pointerId);
  if (!f) return;
  f.x = e.clientX;
  f.y = e.clientY;
  if (panning) midpoint();
  else if (e.pointerId === state.finger) place(e);
}

function fingerUp(e) {
  if (!fingers.delete(e.pointerId)) return;
  if (panning) {
    // The scroll ends with the first finger up; the other paints nothing.
    state.held &= ~Middle;
    if (fingers.size === 0) panning = false;
    return;
  }
  if (e.pointerId !== state.finger) return;
  state.finger = null;
  if (waiting) {
    // A quick tap: pressed for one sample, one cell.
    clearTimeout(waiting);
    waiting = null;
    state.pressed |= fingerButton();
  }
  state.held &= ~(Left | Right);
}

export function watchPointer() {
  canvas.addEventListener('pointerdown', (e) => {
    if (e.pointerType === 'touch') {
      // Other screens take their taps themselves (picture_taps.js).
      if (touch.screen() !== Screen.editor) return;
      fingerDown(e);
      e.preventDefault();
      return;
    }
    place(e);
    const bit = ButtonBits[e.button] || 0;
    state.held |= bit;
    state.pressed |= bit;
  });
  canvas.addEventListener('pointermove', (e) => {
    if (e.pointerType === 'touch') return fingerMove(e);
    place(e);
  });
  const lift = (e) => {
    if (e.pointerType === 'touch') return fingerUp(e);
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
