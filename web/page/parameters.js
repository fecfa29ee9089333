// SPDX-License-Identifier: MIT
// The page's URL parameters (?input=URL, ?frames=N, ?headless=1,
// ?lang=ja|en), a run shared as a link (#run=...) and a pack of stages
// (#pack=...). Parameters the page does not know (?fbclid=, ?utm_source=,
// which social sites and mail add to links) are left alone, with a note in
// the console; a known one with a bad value is an error.
export const params = new URLSearchParams(location.search);
const Known = ['frames', 'lang', 'headless', 'input'];
export const headless = params.get('headless') === '1';
// ?lang=JA as ?lang=ja.
const lang = params.get('lang');
export const langParam = lang === null ? null : lang.toLowerCase();
export const input = params.get('input');
export const sharedRun = location.hash.startsWith('#run=') ? location.hash.slice(5) : null;
// A pack of stages shared as a link (#pack=...), offered to play or keep.
export const sharedPack = location.hash.startsWith('#pack=') ? location.hash.slice(6) : null;
export const replayingLink = sharedRun !== null && !input;

// The first fault of the parameters, in the player's words (T), or null.
export function parameterFault(T) {
  for (const [k, v] of params) {
    if (!Known.includes(k)) {
      console.info(`twinworlds: ?${k}: not a parameter of this page (${Known.join(', ')}); left alone`);
      continue;
    }
    if (k === 'frames' && !/^\d{1,10}$/.test(v)) return T.badFrames(v);
    if (k === 'lang' && v.toLowerCase() !== 'ja' && v.toLowerCase() !== 'en') return T.badLang(v);
    if (k === 'headless' && v !== '1') return T.badHeadless(v);
    if (k === 'input' && v === '') return T.noInput;
  }
  return null;
}
