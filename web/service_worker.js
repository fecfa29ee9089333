// SPDX-License-Identifier: MIT
// The offline copy: this build's files, kept under a name that is the
// build's own (a hash of them all), so a new build's worker fills a fresh
// cache and drops the old. The build writes the two lines below.
'use strict';
const Version = '@VERSION@';
const Files = [@FILES@];
const Cache = 'twinworlds-' + Version;

self.addEventListener('install', (e) => {
  e.waitUntil(caches.open(Cache).then((c) => c.addAll(Files)).then(() => self.skipWaiting()));
});

self.addEventListener('activate', (e) => {
  e.waitUntil(
    caches
      .keys()
      .then((names) => Promise.all(names.filter((n) => n.startsWith('twinworlds-') && n !== Cache).map((n) => caches.delete(n))))
      .then(() => self.clients.claim()),
  );
});

// The bundle from the cache (the page itself whatever its parameters);
// anything else, such as a recorded run given with ?input, from the network.
// A server that compresses says Vary: Accept-Encoding; the copy kept is the
// one to use whatever this request asks.
self.addEventListener('fetch', (e) => {
  const url = new URL(e.request.url);
  if (e.request.method !== 'GET' || url.origin !== location.origin) return;
  const scope = new URL(self.registration.scope);
  let name = url.pathname.startsWith(scope.pathname) ? url.pathname.slice(scope.pathname.length) : null;
  if (name === '') name = 'index.html';
  if (name === null || !Files.includes(name)) return;
  e.respondWith(
    caches.open(Cache).then((c) => c.match(name, { ignoreVary: true }).then((hit) => hit || fetch(e.request))),
  );
});
