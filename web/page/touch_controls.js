// SPDX-License-Identifier: MIT
// The on-screen controls for touch screens: a d-pad and the game's buttons,
// drawn by the page over the picture. Each finger holds the control under it
// (sliding from one button to the next moves the key), so several fingers
// run and jump at once. The held keys join the keyboard's in the page's key
// sample at each flip, with TOUCH beside them so that the game names the
// touch controls in its prompts: a touch game records and replays as keys.
// The buttons follow the screen the game shows (each sample says which);
// a quit is held, as on a pad, the button filling meanwhile; a button that
// changes under a finger takes nothing from it until it has lifted.
// Shown on a touch screen and at any touch; hidden when a key or a pad is
// used. `touch` is what the rest of the page reads.
const held = new Uint8Array(256), pressed = new Uint8Array(256);
const layer = document.getElementById('touch');
// Virtual keys, as the keyboard's: arrows, Z X C, Space, Ctrl, Esc, Enter,
// F1 to F5, Y, N; and touch's own mark.
const Left = 0x25, Up = 0x26, Right = 0x27, Down = 0x28;
export const TouchKey = 0xe8;
// A quit is held this long, as a pad's (30 flips).
const HoldMs = 900;
// The screens as the game numbers them (platform/input/bindings.h:
// InputScreen), and the page's own once the game has ended.
export const Screen = {
  any: 0, title: 1, play: 2, skillMenu: 3, question: 4, deathDialog: 5, pauseMenu: 6, closing: 7, options: 8,
  choosingKey: 9, editor: 10, ended: 'ended',
};
// Where each round button sits (px from the bottom right corner), and its label in each language.
const Buttons = [
  { vk: 90, right: 12, bottom: 12, en: 'Jump', ja: 'ジャンプ' },
  { vk: 88, right: 88, bottom: 12, en: 'Slash ↕', ja: '縦斬り' },
  { vk: 67, right: 88, bottom: 88, en: 'Slash ↔', ja: '横斬り' },
  { vk: 0x20, right: 12, bottom: 88, en: 'Switch', ja: '切替' },
];
// The small buttons; the prompts name them by these labels (app/game_texts.cpp).
const Small = {
  enter: { vk: 13, en: 'Enter', ja: '決定' },
  options: { vk: 0x72, en: 'Options', ja: 'オプション' },
  stages: { vk: 0x73, en: 'Stages', ja: 'ステージ' },
  skills: { vk: 0x11, en: 'Skills', ja: 'スキル' },
  pause: { vk: 0x1b, en: 'Pause', ja: 'ポーズ' },
  resume: { vk: 0x70, en: 'Resume', ja: '再開' },
  quit: { vk: 0x71, en: 'Quit', ja: '終了', hold: true },
  yes: { vk: 89, en: 'Y', ja: 'Y' },
  no: { vk: 78, en: 'N', ja: 'N' },
  holdNo: { vk: 78, en: 'N', ja: 'N', hold: true },
  back: { vk: 0x1b, en: 'Back', ja: '戻る' },
  // The stage editor: opened from the title (F5); in it the palette's
  // previous and next ([ ]), undo and redo (Ctrl+Z, Ctrl+Y), the other
  // world, a play-test (F5, which in a play-test comes back), Save
  // (Ctrl+S), Share (Shift+F6: saved first), Back (Escape), and OK and No
  // for its questions (Return, N). Erase turns the finger on the picture
  // from the left button to the right (paint and erase), a page's toggle.
  editor: { vk: 0x74, en: 'Edit', ja: '編集' },
  previous: { vk: 0xdb, en: '◀ Tile', ja: '◀ 部品' },
  next: { vk: 0xdd, en: 'Tile ▶', ja: '部品 ▶' },
  erase: { toggle: true, en: 'Erase', ja: '消す', on: { en: 'Paint', ja: '塗る' } },
  world: { vk: 0x20, en: 'World', ja: '世界' },
  undo: { vk: '162,90', en: 'Undo', ja: '戻す' },
  redo: { vk: '162,89', en: 'Redo', ja: 'やり直し' },
  play: { vk: 0x74, en: 'Play', ja: 'テスト' },
  save: { vk: '162,83', en: 'Save', ja: '保存' },
  share: { vk: '160,117', en: 'Share', ja: '共有' },
  ok: { vk: 13, en: 'OK', ja: 'OK' },
  answerNo: { vk: 78, en: 'No', ja: 'いいえ' },
};
// Each screen's controls: the d-pad, the round buttons, and the small ones
// at the left and the right (in a row above the d-pad and the buttons when
// the phone is upright, down the margins beside the picture on its side).
// Resume takes Pause's place, so a second tap on Pause only resumes; Y and
// N stand at either side.
const Layouts = {
  [Screen.title]: { left: ['stages', 'editor'], right: ['options', 'enter'] },
  [Screen.play]: { dpad: true, buttons: true, right: ['skills', 'pause'] },
  [Screen.skillMenu]: { dpad: true, right: ['skills', 'enter'] },
  [Screen.question]: { left: ['yes'], right: ['no'] },
  [Screen.deathDialog]: { left: ['yes'], right: ['holdNo'] },
  [Screen.pauseMenu]: { above: true, left: ['options'], right: ['quit', 'resume'] },
  [Screen.closing]: { right: ['enter'] },
  [Screen.options]: { dpad: true, right: ['back', 'enter'] },
  [Screen.choosingKey]: { right: ['back'] },
  // The picture is painted on by touch: no d-pad, and the buttons in
  // the margins (two columns a side when the phone is on its side, rows
  // under the picture when upright).
  [Screen.editor]: { editing: true, left: ['previous', 'next', 'erase', 'world', 'undo', 'redo'],
    right: ['play', 'save', 'share', 'back', 'ok', 'answerNo'] },
  // The page offers Play again and Share in its bar and panel.
  [Screen.ended]: {},
};
Layouts[Screen.any] = Layouts[Screen.title];

let screen = Screen.title, built = null;
const fingers = new Map();  // pointerId -> { onDpad, control, since, hushed, keys, picture }
let dpad = null;

function control(className, vk, label) {
  const e = document.createElement('div');
  e.className = 'control ' + className;
  if (vk !== undefined) e.dataset.vk = vk;
  if (label) e.textContent = label;
  return e;
}

function layoutOf(s) {
  return Layouts[s] || Layouts[Screen.title];
}

// Every control, in the player's language; then the screen's shown.
function build() {
  built = touch.language;
  layer.textContent = '';
  dpad = control('dpad');
  for (const d of ['up', 'down', 'left', 'right']) dpad.appendChild(document.createElement('i')).className = d;
  layer.appendChild(dpad);
  for (const b of Buttons) {
    const e = control('button', b.vk, b[touch.language]);
    e.style.right = 'max(' + b.right + 'px, env(safe-area-inset-right))';
    e.style.bottom = b.bottom + 'px';
    layer.appendChild(e);
  }
  for (const side of ['left', 'right']) layer.appendChild(document.createElement('div')).className = 'group ' + side;
  arrange();
}

// The screen's controls. A finger on one that went away or was hidden is
// hushed until it lifts: it cannot press what took its place.
function arrange() {
  const layout = layoutOf(screen);
  layer.classList.toggle('editing', !!layout.editing);
  dpad.hidden = !layout.dpad;
  for (const e of layer.querySelectorAll('.button')) e.hidden = !layout.buttons;
  for (const side of ['left', 'right']) {
    const group = layer.querySelector('.group.' + side);
    group.classList.toggle('above', !!(layout.dpad || layout.buttons || layout.above));
    group.textContent = '';
    for (const name of layout[side] || []) {
      const b = Small[name];
      const e = control('small' + (b.hold ? ' hold' : '') + (b.toggle ? ' toggle' : ''), b.vk, '');
      const on = b.toggle && touch.erasing;
      e.appendChild(document.createElement('span')).textContent = on ? b.on[touch.language] : b[touch.language];
      if (b.toggle) e.classList.toggle('on', on);
      if (b.hold) e.appendChild(document.createElement('i')).className = 'fill';
      e.dataset.name = name;
      group.appendChild(e);
    }
  }
  for (const f of fingers.values())
    if (!f.picture && f.control && (!f.control.isConnected || f.control.hidden))
      (f.hushed = true), (f.control = null);
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

function controlAt(x, y) {
  const e = document.elementFromPoint(x, y);
  return (e && e.closest && e.closest('#touch .control')) || null;
}

// The keys a finger holds now: none while hushed or on a held button not
// yet held long enough; TOUCH with any control.
function fingerKeys(f, now) {
  if (f.picture) return f.keys;
  if (f.hushed || !f.control) return [];
  const c = f.control;
  if (c === dpad) return [TouchKey, ...dpadKeys(f.x, f.y)];
  if (c.dataset.vk === undefined) return [TouchKey];
  if (c.classList.contains('hold') && now - f.since < HoldMs) return [TouchKey];
  return [TouchKey, ...c.dataset.vk.split(',').map(Number)];
}

function update() {
  const now = new Uint8Array(256), t = performance.now();
  for (const f of fingers.values()) for (const vk of fingerKeys(f, t)) now[vk] = 1;
  for (let vk = 0; vk < 256; vk++) {
    if (now[vk] && !held[vk]) pressed[vk] = 1;
    held[vk] = now[vk];
  }
  const down = new Set();
  for (const f of fingers.values()) if (!f.hushed && f.control) down.add(f.control);
  for (const c of layer.querySelectorAll('.control')) c.classList.toggle('down', down.has(c));
}

function place(f, x, y) {
  f.x = x;
  f.y = y;
  if (f.hushed || f.picture) return;
  const c = f.onDpad ? dpad : controlAt(x, y);
  if (c !== f.control) {
    f.control = c;
    f.since = performance.now();
    // A held button gives its key once held long enough.
    if (c && c.classList.contains('hold')) setTimeout(update, HoldMs + 10);
  }
}

export const touch = {
  held,
  pressed,
  shown: false,
  language: 'en',
  // The editor's Erase: a finger on the picture erases (the right button).
  erasing: false,
  show() {
    if (touch.shown) return;
    if (built !== touch.language) build();
    layer.hidden = false;
    touch.shown = true;
    touch.mark();
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
    if (layer.firstChild) build();
  },
  // TOUCH alone at the next sample: the controls are the player's now, and
  // the game's prompts name them before the first is pressed.
  mark() {
    pressed[TouchKey] = 1;
  },
  // The screen the game shows now (at each of its samples), or Screen.ended.
  follow(s) {
    if (s === Screen.any) s = Screen.title;
    if (s === screen) return;
    const same = layoutOf(s) === layoutOf(screen);
    screen = s;
    if (same || built === null) return;
    arrange();
    update();
  },
  screen: () => screen,
  // A finger on the picture holding keys of its own (taps on the options screen).
  holdPicture(pointerId, keys) {
    fingers.set(pointerId, { picture: true, keys, hushed: false, control: null });
    update();
  },
  liftPicture(pointerId) {
    if (fingers.delete(pointerId)) update();
  },
};

// The fingers followed; a touch anywhere brings the controls back, and a
// touch screen shows them from the start.
export function watchTouch() {
  layer.addEventListener('pointerdown', (e) => {
    const onDpad = !!(dpad && e.target.closest && e.target.closest('.dpad'));
    const f = { onDpad, control: null, since: 0, hushed: false, keys: [] };
    fingers.set(e.pointerId, f);
    place(f, e.clientX, e.clientY);
    // A toggle changes at the touch, and holds no key.
    if (f.control && f.control.classList.contains('toggle')) {
      touch.erasing = !touch.erasing;
      const b = Small[f.control.dataset.name];
      f.control.firstChild.textContent = touch.erasing ? b.on[touch.language] : b[touch.language];
      f.control.classList.toggle('on', touch.erasing);
    }
    update();
    e.preventDefault();
  });
  layer.addEventListener('pointermove', (e) => {
    const f = fingers.get(e.pointerId);
    if (!f || f.picture) return;
    place(f, e.clientX, e.clientY);
    update();
    e.preventDefault();
  });
  for (const end of ['pointerup', 'pointercancel', 'lostpointercapture'])
    layer.addEventListener(end, (e) => {
      const f = fingers.get(e.pointerId);
      if (!f || f.picture) return;
      fingers.delete(e.pointerId);
      update();
    });
  // No long-press menu, no double-tap zoom.
  layer.addEventListener('contextmenu', (e) => e.preventDefault());
  addEventListener('pointerdown', (e) => e.pointerType === 'touch' && touch.show(), true);
  if (matchMedia('(pointer: coarse)').matches) touch.show();
}
