// SPDX-License-Identifier: MIT
// Offline: the service worker keeps this build's files; a new build brings
// its own list and drops the old. The worker fills its copy once the title
// shows and the music's part is in (or has failed): then its requests
// neither slow the first load nor fetch the bundle twice (the browser's
// cache answers them).
import { musicReady } from './music.js';

let offlineAfterLoad = null;

export function startOffline() {
  if (!('serviceWorker' in navigator) || !/^https?:$/.test(location.protocol)) return;
  const register = () =>
    navigator.serviceWorker.register('service_worker.js').catch((e) => console.warn('twinworlds: no offline copy: ' + e.message));
  offlineAfterLoad = () => Promise.resolve(musicReady()).finally(register);
}

// The first picture is up.
export function offlineAfterFirstPicture() {
  if (offlineAfterLoad) offlineAfterLoad();
}
