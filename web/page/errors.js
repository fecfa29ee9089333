// SPDX-License-Identifier: MIT
// Errors: in the page, in the player's language, and the harness told the
// run is done.
import { result } from './harness.js';
import { showStatus, statusNow } from './status.js';
import { T } from './texts.js';

const messageBox = document.getElementById('message');

export function fail(text) {
  if (result.status === 'error') return;
  showStatus('error', text);
  result.error = text;
  result.exitLog.push(text);
  console.error('twinworlds: ' + text);
  messageBox.textContent = text;
  messageBox.classList.add('shown');
  result.done = true;
}

// What the loader throws where no one catches it (the game data's request
// failing, say) is a failed load while the game has not started. Once it
// runs, a trap in the game (it resumes from the page's timers, so the
// runtime's own abort never sees it) ends the run, so that nothing waits
// on it.
export function watchErrors() {
  addEventListener('error', (e) => {
    if (result.done) return;
    if (e.error instanceof WebAssembly.RuntimeError) fail(T.stopped(e.message));
    else if (statusNow() === 'loading') fail(T.failed((e.error && e.error.message) || e.message));
  });
  addEventListener('unhandledrejection', (e) => statusNow() === 'loading' && fail(T.failed(String(e.reason && e.reason.message || e.reason))));
}
