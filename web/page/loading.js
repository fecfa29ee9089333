// SPDX-License-Identifier: MIT
// The page's own loads: scripts run in the order asked, and fetches that
// tell the status line how far they have come.
import { partDone, progress } from './status.js';

export function loadScript(src) {
  return new Promise((resolve, reject) => {
    const s = document.createElement('script');
    s.src = src;
    // Fetched side by side, run in the order asked.
    s.async = false;
    s.onload = resolve;
    s.onerror = () => reject(new Error(src + ' cannot be loaded'));
    document.head.appendChild(s);
  });
}

// The same script asked for again: the first load's promise.
const loaded = new Map();
export function loadScriptOnce(src) {
  if (!loaded.has(src)) loaded.set(src, loadScript(src));
  return loaded.get(src);
}

export function fetchWithProgress(url, part) {
  return fetch(url).then((r) => {
    if (!r.ok || !r.body) return r;
    // Compressed on the way, the length is not that of the bytes read here.
    const total = r.headers.get('Content-Encoding') ? 0 : Number(r.headers.get('Content-Length')) || 0;
    let loaded = 0;
    const reader = r.body.getReader();
    const body = new ReadableStream({
      async pull(controller) {
        const { done, value } = await reader.read();
        if (done) {
          partDone(part, loaded);
          return controller.close();
        }
        loaded += value.length;
        progress(part, loaded, total);
        controller.enqueue(value);
      },
    });
    return new Response(body, { status: r.status, headers: r.headers });
  });
}
