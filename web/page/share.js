// SPDX-License-Identifier: MIT
// Runs shared as links: the game records itself (--record /run.txt); the
// link is made by the wasm's own encoder, the one the desktop's --share
// uses, so the same run always makes the same link. Opening one replays it
// (#run=...), and the keyboard plays on where it ends.
import { game } from './game_module.js';
import { result } from './harness.js';
import { langParam } from './parameters.js';
import { T } from './texts.js';

const panel = document.getElementById('share');
// The game's module once it has started: before, nothing is recorded.
let shareModule = null;
export function shareFrom(module) {
  shareModule = module;
}

export function shareShown() {
  return panel.classList.contains('shown');
}

export function closeShare() {
  panel.classList.remove('shown');
}

function linkBase() {
  return location.origin + location.pathname + (langParam ? '?lang=' + encodeURIComponent(langParam) : '');
}

function runLink(text, base) {
  const M = game, bytes = new TextEncoder().encode(text + '\0'), baseBytes = new TextEncoder().encode(base + '\0');
  const p = M._malloc(bytes.length), q = M._malloc(baseBytes.length);
  M.HEAPU8.set(bytes, p);
  M.HEAPU8.set(baseBytes, q);
  const at = M._TwRunLink(p, q);
  M._free(p);
  M._free(q);
  return new TextDecoder().decode(M.HEAPU8.subarray(at, M.HEAPU8.indexOf(0, at)));
}

function recordedRun() {
  try {
    return game.FS.readFile('/run.txt', { encoding: 'utf8' });
  } catch (e) {
    return null;
  }
}

export function openShare() {
  const text = shareModule && recordedRun();
  if (!text) return;
  const link = runLink(text, linkBase());
  result.shareLink = link;
  document.getElementById('share-text').textContent = T.shareText + ' (' + link.length + ')';
  const field = document.getElementById('share-link');
  field.value = link;
  panel.classList.add('shown');
  field.focus();
  field.select();
}

// The stage editor's share (F6, the touch Share): the link the game made
// of the saved pack, on the page's own address, in the panel.
export function showPackLink(link) {
  const at = link.indexOf('#pack=');
  const own = at < 0 ? link : linkBase() + link.slice(at);
  result.packShareLink = own;
  document.getElementById('share-text').textContent = T.packShareText + ' (' + own.length + ')';
  const field = document.getElementById('share-link');
  field.value = own;
  panel.classList.add('shown');
}

// The share panel's buttons, and the bar's "Share this run".
export function watchShare() {
  document.getElementById('share-copy').addEventListener('click', () => {
    const link = document.getElementById('share-link').value;
    const done = () => (document.getElementById('share-text').textContent = T.copied);
    if (navigator.share && matchMedia('(pointer: coarse)').matches) navigator.share({ url: link }).catch(() => {});
    else if (navigator.clipboard) navigator.clipboard.writeText(link).then(done, () => {});
  });
  document.getElementById('share-close').addEventListener('click', closeShare);
  // Escape closes the panel, and only that.
  addEventListener('keydown', (e) => {
    if (e.key !== 'Escape' || !shareShown()) return;
    e.preventDefault();
    e.stopImmediatePropagation();
    closeShare();
  }, true);
  document.getElementById('share-run').addEventListener('click', (e) => {
    e.currentTarget.blur();
    openShare();
  });
  // For the browser test: the link the page makes of any recording.
  result.runLink = (text, base) => runLink(text, base === undefined ? linkBase() : base);
  result.recording = recordedRun;
}

function base64UrlBytes(text) {
  // A length of 4k+1 is no base64 at all: a link cut short.
  if (!/^[A-Za-z0-9_-]*$/.test(text) || text.length % 4 === 1) throw new Error('not base64url');
  const b = atob(text.replace(/-/g, '+').replace(/_/g, '/') + '==='.slice((text.length + 3) % 4));
  return Uint8Array.from(b, (c) => c.charCodeAt(0));
}

// What a link's data (after #run= or #pack=) carries, inflated; rejected
// when it cannot be.
function inflated(data) {
  return Promise.resolve().then(() => {
    const bytes = base64UrlBytes(data.replace(/[^A-Za-z0-9_-].*$/, ''));
    return new Response(new Blob([bytes]).stream().pipeThrough(new DecompressionStream('deflate-raw')));
  });
}

// The recording a link carries.
export function runFromLink(data) {
  return inflated(data).then((r) => r.text());
}

// The archive a pack link carries (web/page/pack_links.js reads it).
export function bytesFromLink(data) {
  return inflated(data).then((r) => r.arrayBuffer()).then((b) => new Uint8Array(b));
}
