// SPDX-License-Identifier: MIT
// The page's URL parameters (?input=URL, ?frames=N, ?headless=1,
// ?lang=ja|en) and a run shared as a link (#run=...).
export const params = new URLSearchParams(location.search);
export const headless = params.get('headless') === '1';
export const langParam = params.get('lang');
export const input = params.get('input');
export const sharedRun = location.hash.startsWith('#run=') ? location.hash.slice(5) : null;
export const replayingLink = sharedRun !== null && !input;

// The first fault of the parameters, in the player's words (T), or null.
export function parameterFault(T) {
  for (const [k, v] of params) {
    if (k === 'frames' && !/^\d{1,10}$/.test(v)) return T.badFrames(v);
    if (k === 'lang' && v !== 'ja' && v !== 'en') return T.badLang(v);
    if (k === 'headless' && v !== '1') return T.badHeadless(v);
    if (!['frames', 'lang', 'headless', 'input'].includes(k)) return T.unknown(k);
  }
  return null;
}
