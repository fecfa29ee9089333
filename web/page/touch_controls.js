// SPDX-License-Identifier: MIT
// The on-screen controls for touch screens: a d-pad and the game's buttons,
// drawn by the page over the picture. Each finger holds the control under it
// (sliding from one button to the next moves the key), so several fingers
// run and jump at once. The held keys join the keyboard's in the page's key
// sample at each flip: a touch game records and replays as keys.
// Shown on a touch screen and at any touch; hidden when a key or a pad is
// used. `touch` is what the rest of the page reads.
const held = new Uint8Array(256), pressed = new Uint8Array(256);
const layer = document.getElementById('touch');
// Virtual keys, as the keyboard's: arrows, Z X C, Space, Ctrl, Esc, Enter, Y, N.
const Left = 0x25, Up = 0x26, Right = 0x27, Down = 0x28;
// Where each button sits (px from the bottom right corner), and its label in each language.
const Buttons = [
  { vk: 90, right: 12, bottom: 12, en: 'Jump', ja: 'ジャンプ' },
  { vk: 88, right: 88, bottom: 12, en: 'Slash ↕', ja: '縦斬り' },
  { vk: 67, right: 88, bottom: 88, en: 'Slash ↔', ja: '横斬り' },
  { vk: 0x20, right: 12, bottom: 88, en: 'Switch', ja: '切替' },
];
const Small = [
  { vk: 0x11, en: 'Skills', ja: 'スキル' },
  { vk: 0x1b, en: 'Pause', ja: 'ポーズ' },
  { vk: 13, en: 'Enter', ja: '決定' },
  { vk: 89, en: 'Y', ja: 'Y' },
  { vk: 78, en: 'N', ja: 'N' },
];
// The pause menu answers F1 (back to the game) and F2 (quit) alone: while
// it is up, the first two buttons are those.
const Paused = [
  { vk: 0x70, en: 'Resume', ja: '再開' },
  { vk: 0x71, en: 'Quit', ja: '終了' },
];
let paused = false;
const fingers = new Map();  // pointerId -> the keys it holds
let dpad = null;

function control(className, vk, label) {
  const e = document.createElement('div');
  e.className = 'control ' + className;
  if (vk !== undefined) e.dataset.vk = vk;
  if (label) e.textContent = label;
  layer.appendChild(e);
  return e;
}

function build(language) {
  layer.textContent = '';
  dpad = control('dpad');
  for (const d of ['up', 'down', 'left', 'right']) dpad.appendChild(document.createElement('i')).className = d;
  for (const b of Buttons) {
    const e = control('button', b.vk, b[language]);
    e.style.right = 'max(' + b.right + 'px, env(safe-area-inset-right))';
    e.style.bottom = b.bottom + 'px';
  }
  Small.forEach((b, i) => {
    if (paused && i < Paused.length) b = Paused[i];
    const e = control('small', b.vk, b[language]);
    e.style.right = 12 + (Small.length - 1 - i) * 64 + 'px';
    e.style.bottom = '172px';
  });
}

// The d-pad: eight ways, by the angle from its centre; a dead spot in the middle.
function dpadKeys(x, y) {
  const r = dpad.getBoundingClientRect();
  const dx = x - (r.left + r.width / 2), dy = y - (r.top + r.height / 2);
  if (Math.hypot(dx, dy) < r.width * 0.12) return [];
  const keys = [], slope = Math.tan(Math.PI / 8) * 2.4;
  if (dx < 0 && Math.abs(dy) < -dx * slope) keys.push(Left);
  if (dx > 0 && Math.abs(dy) < dx * slope) keys.push(Right);
  if (dy < 0 && Math.abs(dx) < -dy * slope) keys.push(Up);
  if (dy > 0 && Math.abs(dx) < dy * slope) keys.push(Down);
  return keys;
}

function keysAt(x, y, startedOnDpad) {
  if (startedOnDpad) return dpadKeys(x, y);
  const e = document.elementFromPoint(x, y);
  const c = e && e.closest && e.closest('#touch .control');
  if (!c) return [];
  if (c === dpad) return dpadKeys(x, y);
  return c.dataset.vk !== undefined ? [Number(c.dataset.vk)] : [];
}

function update() {
  const now = new Uint8Array(256);
  for (const f of fingers.values()) for (const vk of f.keys) now[vk] = 1;
  for (let vk = 0; vk < 256; vk++) {
    if (now[vk] && !held[vk]) pressed[vk] = 1;
    held[vk] = now[vk];
  }
  for (const c of layer.querySelectorAll('.control[data-vk]')) c.classList.toggle('down', !!held[c.dataset.vk]);
  if (dpad) dpad.classList.toggle('down', !!(held[Left] || held[Right] || held[Up] || held[Down]));
}

function finger(e) {
  const f = fingers.get(e.pointerId);
  if (!f) return;
  f.keys = keysAt(e.clientX, e.clientY, f.onDpad);
  update();
  e.preventDefault();
}

// Pause lifted: the pause menu is up; Resume or Quit lifted: it is gone.
// Changed as the finger leaves, so it cannot press the new button too.
function noteMenu(keys) {
  const now = keys.includes(0x1b) ? true : keys.includes(0x70) || keys.includes(0x71) ? false : paused;
  if (now === paused) return;
  paused = now;
  build(touch.language);
  update();
}

export const touch = {
  held,
  pressed,
  shown: false,
  language: 'en',
  show() {
    if (touch.shown) return;
    if (!layer.firstChild) build(touch.language);
    layer.hidden = false;
    touch.shown = true;
    document.body.classList.add('touch');
    dispatchEvent(new Event('resize'));
  },
  hide() {
    if (!touch.shown) return;
    layer.hidden = true;
    touch.shown = false;
    fingers.clear();
    update();
    document.body.classList.remove('touch');
    dispatchEvent(new Event('resize'));
  },
  setLanguage(language) {
    touch.language = language;
    if (layer.firstChild) build(language);
  },
};

// The fingers followed; a touch anywhere brings the controls back, and a
// touch screen shows them from the start.
export function watchTouch() {
  layer.addEventListener('pointerdown', (e) => {
    const onDpad = !!(dpad && e.target.closest && e.target.closest('.dpad'));
    fingers.set(e.pointerId, { onDpad, keys: [] });
    finger(e);
  });
  layer.addEventListener('pointermove', finger);
  for (const end of ['pointerup', 'pointercancel', 'lostpointercapture'])
    layer.addEventListener(end, (e) => {
      const f = fingers.get(e.pointerId);
      if (!f) return;
      fingers.delete(e.pointerId);
      update();
      if (end === 'pointerup') noteMenu(f.keys);
    });
  // No long-press menu, no double-tap zoom.
  layer.addEventListener('contextmenu', (e) => e.preventDefault());
  addEventListener('pointerdown', (e) => e.pointerType === 'touch' && touch.show(), true);
  if (matchMedia('(pointer: coarse)').matches) touch.show();
}
