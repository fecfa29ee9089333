// SPDX-License-Identifier: MIT
// The stage editor's pack as a file: while the editor is up, the bar offers
// it for download (its link's archive, undeflated: pack.txt and the stage
// files as text) and opens one (kept in the browser's storage, then the
// page opens the editor on it: #edit=ID). The pack edited is the one the
// game last said it wrote or opened (TW.filesWritten).
import { fail } from './errors.js';
import { game, storePacks } from './game_module.js';
import { result } from './harness.js';
import { T } from './texts.js';
import { Screen } from './touch_controls.js';

const download = document.getElementById('pack-download'), open = document.getElementById('pack-open');
const chooser = document.getElementById('pack-file');
let edited = null;  // '/packs/ID'
// A kept pack's name: the pack rules' letters.
const PackId = /^[A-Za-z0-9._-]{1,64}$/;

export function noteEditedPack(folder) {
  if (/^\/packs\/[^/]+$/.test(folder)) edited = folder;
}

// Shown while the editor is (at each of the game's samples).
export function followEditorScreen(screen) {
  const editing = screen === Screen.editor;
  download.hidden = !editing || edited === null;
  open.hidden = !editing;
}

function archive(folder) {
  const M = game, path = new TextEncoder().encode(folder + '\0');
  const p = M._malloc(path.length), size = M._malloc(4);
  M.HEAPU8.set(path, p);
  const at = M._TwPackArchive(p, size), n = M.HEAP32[size >> 2];
  const bytes = n > 0 ? M.HEAPU8.slice(at, at + n) : null;
  const why = n > 0 ? '' : new TextDecoder().decode(M.HEAPU8.subarray(at, M.HEAPU8.indexOf(0, at)));
  M._free(p);
  M._free(size);
  return { bytes, why };
}

// A file's archive kept in the packs folder: its id, or throws why not.
function keep(bytes) {
  const head = /^twinworlds-pack 1\nid ([^\n]+)\n/.exec(new TextDecoder().decode(bytes.subarray(0, 200)));
  if (!head || !PackId.test(head[1])) throw new Error(T.notPackFile);
  const M = game, p = M._malloc(bytes.length);
  M.HEAPU8.set(bytes, p);
  const at = M._TwKeepPackLink(p, bytes.length);
  const why = new TextDecoder().decode(M.HEAPU8.subarray(at, M.HEAPU8.indexOf(0, at)));
  M._free(p);
  if (why) throw new Error(why);
  return head[1];
}

export function watchEditorFiles() {
  // For the browser test: a file of the game's, as text (null when missing).
  result.packFile = (file) => {
    try {
      return game.FS.readFile(file, { encoding: 'utf8' });
    } catch (e) {
      return null;
    }
  };
  download.addEventListener('click', (e) => {
    e.currentTarget.blur();
    if (!edited) return;
    // What is on screen but not saved is in the autosave: the file holds the saved stages.
    const { bytes, why } = archive(edited);
    if (!bytes) return fail(T.keepFailed(why));
    const a = document.createElement('a');
    a.href = URL.createObjectURL(new Blob([bytes], { type: 'application/octet-stream' }));
    a.download = edited.slice('/packs/'.length) + '.twpack';
    result.packDownload = a.download;
    a.click();
    setTimeout(() => URL.revokeObjectURL(a.href), 10000);
  });
  open.addEventListener('click', (e) => {
    e.currentTarget.blur();
    chooser.click();
  });
  chooser.addEventListener('change', () => {
    const file = chooser.files && chooser.files[0];
    if (!file) return;
    file.arrayBuffer()
      .then((b) => {
        const id = keep(new Uint8Array(b));
        return storePacks(game).then(() => {
          location.hash = '#edit=' + id;
          location.reload();
        });
      })
      .catch((e) => fail(T.keepFailed(String((e && e.message) || e))));
  });
}

// #edit=ID: the editor opened on a kept pack at once (a file just opened).
export function packToEdit() {
  if (!location.hash.startsWith('#edit=')) return null;
  const id = decodeURIComponent(location.hash.slice(6));
  history.replaceState(null, '', location.pathname + location.search);
  return PackId.test(id) ? id : null;
}
