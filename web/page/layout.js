// SPDX-License-Identifier: MIT
// The picture: drawn on the canvas, and fitted to the room the page leaves
// it, nearest neighbour; whole steps when one nearly fills it, else the
// scale that fits (never a small picture in a big window). "Sharp pixels"
// keeps to whole steps wherever 1x fits.
import { touch } from './touch_controls.js';

const Width = 640, Height = 480;
const stage = document.getElementById('stage');
export const canvas = document.getElementById('screen');
const context = canvas.getContext('2d', { alpha: false });
const picture = context.createImageData(Width, Height);
const sharpButton = document.getElementById('sharp');
const stored = (() => {
  try {
    return window.localStorage;
  } catch (e) {
    return null;
  }
})();
let sharp = !!stored && stored.getItem('twinworlds.sharp') === '1';
// The room the portrait on-screen controls need under the picture.
const TouchRoom = 240;

// One of the game's pictures, 640 x 480 bytes of red, green, blue, alpha.
export function drawPicture(rgba) {
  picture.data.set(rgba);
  context.putImageData(picture, 0, 0);
}

export function fit() {
  const ratio = devicePixelRatio || 1;
  const portrait = innerHeight > innerWidth;
  document.body.classList.toggle('portrait', portrait);
  let w = stage.clientWidth, h = stage.clientHeight;
  if (touch.shown && portrait) h = Math.max(h - TouchRoom, h / 2);
  const fits = Math.min((w * ratio) / Width, (h * ratio) / Height);
  const whole = Math.floor(fits);
  const scale = whole >= 1 && (sharp || whole / fits >= 0.9) ? whole : fits;
  canvas.style.width = (Width * scale) / ratio + 'px';
  canvas.style.height = (Height * scale) / ratio + 'px';
  sharpButton.setAttribute('aria-pressed', String(sharp));
}

// Fitted again whenever the room changes (a turned phone, the touch
// controls shown or hidden, full screen).
export function watchLayout() {
  sharpButton.addEventListener('click', () => {
    sharp = !sharp;
    if (stored) stored.setItem('twinworlds.sharp', sharp ? '1' : '0');
    fit();
    // Enter and Space go back to the game, however the button was pressed.
    sharpButton.blur();
  });
  addEventListener('resize', fit);
  fit();
}
