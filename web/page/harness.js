// SPDX-License-Identifier: MIT
// What a harness reads of the run (`window.twinworlds`): its status, its
// error, and at its end the state dump and the last picture; the load's
// measurements; and the hold a harness may put on the game before it starts.
export const loadStart = performance.now();

export const result = (window.twinworlds = {
  done: false, exitLog: [], state: null, png: null, framesPlayed: 0,
  firstPictureMs: null, mainStartMs: null, runMs: null, keySamples: 0,
  status: 'loading', error: null, loaded: {},
  // For the load's measurement: milliseconds since the page's navigation.
  pageScriptAt: loadStart, firstKeyAt: null, musicReadyAt: null, musicSoundsAt: null, longTasks: [],
});

// Main-thread tasks over 50 ms, for the load's measurement.
export function watchLongTasks() {
  try {
    new PerformanceObserver((list) => {
      for (const e of list.getEntries()) result.longTasks.push({ at: e.startTime, ms: e.duration });
    }).observe({ type: 'longtask', buffered: true });
  } catch (e) {
    // Not every browser reports them.
  }
}

// A harness that measures the run (the browser test) may hold the game
// once everything is loaded and compiled, until it has taken its first
// reading: it sets window.twinworldsHold to a promise before the page loads.
export function holdForHarness(game) {
  const hold = window.twinworldsHold;
  if (!hold) return;
  game.preRun = (game.preRun || []).concat([
    () => {
      game.addRunDependency('harness');
      result.held = true;
      hold.then(() => game.removeRunDependency('harness'));
    },
  ]);
}
