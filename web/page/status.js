// SPDX-License-Identifier: MIT
// The status line: one truthful word at every moment (loading with the
// bytes of each part, ready, press for sound, replaying, ended, error).
import { audio } from './audio.js';
import { result } from './harness.js';
import { replayingLink } from './parameters.js';
import { T } from './texts.js';

const statusLine = document.getElementById('status');
const parts = {};  // name -> { loaded, total, done }
let statusKind = 'loading', musicNote = '';
// A shared run is being replayed, until the player takes over.
let replaying = replayingLink;

// kind: loading, ready, sound, replaying, ended, error.
export function statusNow() {
  return statusKind;
}

function megabytes(n) {
  return (n / 1048576).toFixed(n < 1048576 ? 2 : 1);
}

// How far the load of a part (game, data, music) has come.
export function progress(part, loaded, total) {
  parts[part] = { loaded, total: total || 0, done: !!(parts[part] && parts[part].done) || (total > 0 && loaded >= total) };
  result.loaded[part] = parts[part];
  if (statusKind !== 'error' && statusKind !== 'ended') showStatus(statusKind);
}

// The part is wholly in.
export function partDone(part, loaded) {
  progress(part, loaded, loaded);
  parts[part].done = true;
  if (statusKind !== 'error' && statusKind !== 'ended') showStatus(statusKind);
}

function partsText(names) {
  return names
    .filter((n) => parts[n] && (!parts[n].done || statusKind === 'loading'))
    .map((n) => `${T[n]} ${megabytes(parts[n].loaded)}${parts[n].total ? ' / ' + megabytes(parts[n].total) : ''} MB`)
    .join(' · ');
}

export function showStatus(kind, text) {
  if (statusKind === 'error') return;
  statusKind = kind;
  result.status = kind;
  statusLine.classList.toggle('error', kind === 'error');
  let line = text || T[kind] || '';
  if (kind === 'loading') line = T.loading + (Object.keys(parts).length ? ': ' + partsText(['game', 'data']) : '');
  const music = kind !== 'loading' && kind !== 'error' && kind !== 'ended' ? musicNote || partsText(['music']) : '';
  statusLine.textContent = line + (music ? ' · ' + music : '');
}

// The sound's word, once the game is running.
export function soundStatus() {
  if (statusKind === 'error' || statusKind === 'ended' || statusKind === 'loading') return;
  if (replaying) return showStatus('replaying');
  showStatus(audio.context && audio.context.state !== 'running' ? 'sound' : 'ready');
}

// The keys are the player's now: the shared run's have all been played, or
// a new game began.
export function playerTakesOver() {
  if (!replaying) return;
  replaying = false;
  soundStatus();
}

// A new game on the same page ("Play again").
export function gameStarts() {
  replaying = false;
  if (statusKind === 'ended') statusKind = 'ready';
  soundStatus();
}

// The first picture: the game runs.
export function gameShown() {
  if (statusKind === 'loading') statusKind = 'ready';
  soundStatus();
}

// The game plays on without the music: the line says so.
export function noteNoMusic(text) {
  musicNote = text;
  if (statusKind !== 'loading') showStatus(statusKind);
}
