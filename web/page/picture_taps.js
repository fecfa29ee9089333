// SPDX-License-Identifier: MIT
// Taps on the picture, where a screen of the game takes them (the options
// screen's rows): TOUCH_TAP held with the bits of the cell of 20 x 16 of
// the game's pixels the finger came down in (platform/windows_types.h), so
// that the game finds the row itself and a recording replays the tap.
import { canvas } from './layout.js';
import { Screen, touch, TouchKey } from './touch_controls.js';

const TapKey = 0xe9, LineBit = 0xea, ColumnBit = 0xef, CellBits = 5;
const CellWidth = 20, CellHeight = 16;

function tapKeys(x, y) {
  const keys = [TouchKey, TapKey];
  const line = Math.floor(y / CellHeight), column = Math.floor(x / CellWidth);
  for (let bit = 0; bit < CellBits; bit++) {
    if (line & (1 << bit)) keys.push(LineBit + bit);
    if (column & (1 << bit)) keys.push(ColumnBit + bit);
  }
  return keys;
}

export function watchPictureTaps() {
  canvas.addEventListener('pointerdown', (e) => {
    if (e.pointerType !== 'touch' || touch.screen() !== Screen.options) return;
    const r = canvas.getBoundingClientRect();
    const x = ((e.clientX - r.left) * canvas.width) / r.width, y = ((e.clientY - r.top) * canvas.height) / r.height;
    if (x < 0 || y < 0 || x >= canvas.width || y >= canvas.height) return;
    touch.holdPicture(e.pointerId, tapKeys(x, y));
    e.preventDefault();
  });
  for (const end of ['pointerup', 'pointercancel'])
    canvas.addEventListener(end, (e) => touch.liftPicture(e.pointerId));
}
