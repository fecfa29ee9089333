// SPDX-License-Identifier: MIT
// The music: the page's FluidSynth (js-synthesizer) playing the game's MIDI
// files, mixed into the game's sound. The synthesizer and the soundfont load
// once the game runs, so the title never waits for them.
import { Rate } from './audio.js';
import { result } from './harness.js';
import { fetchWithProgress, loadScript } from './loading.js';
import { noteNoMusic, soundStatus } from './status.js';
import { T } from './texts.js';

const music = { ready: null, synth: null, player: 0, failed: false, pending: null, left: null, right: null };

// Settled once the music's part is in, or has failed (null before it is asked for).
export function musicReady() {
  return music.ready;
}

// The synthesizer's script and the soundfont (cut to what the music
// plays) come in side by side once the game runs.
function loadSynthesizer() {
  const scripts = Promise.all([loadScript('libfluidsynth.js'), loadScript('js-synthesizer.js')]).then(() =>
    JSSynth.waitForReady());
  const soundfont = fetchWithProgress('music.sf2', 'music').then((r) => {
    if (!r.ok) throw new Error('music.sf2 cannot be read (' + r.status + ')');
    return r.arrayBuffer();
  });
  return Promise.all([soundfont, scripts]).then(([soundfont]) => {
    JSSynth.disableLogging();
    return makeSynth(soundfont);
  });
}

function cString(M, text) {
  const bytes = new TextEncoder().encode(text + '\0');
  const p = M._malloc(bytes.length);
  M.HEAPU8.set(bytes, p);
  return p;
}

function makeSynth(soundfont) {
  const synth = new JSSynth.Synthesizer();
  // As on the desktop: the gain that sits under the effects, 64 voices,
  // no chorus or reverb, linear interpolation, timed by rendered samples.
  synth.init(Rate, { initialGain: 0.5, polyphony: 64, chorusActive: false, reverbActive: false });
  synth.setInterpolation(1);
  const M = window.Module, key = cString(M, 'player.timing-source'), value = cString(M, 'sample');
  M._fluid_settings_setstr(synth._settings, key, value);
  M._free(key);
  M._free(value);
  return synth.loadSFont(soundfont).then(() => synth);
}

// The player is driven through libfluidsynth itself, as on the desktop:
// js-synthesizer's own stop waits for a player that only rendering moves,
// and nothing renders while the page waits.
function dropPlayer() {
  const M = window.Module;
  if (!music.player) return;
  M._fluid_player_stop(music.player);
  M._delete_fluid_player(music.player);
  music.player = 0;
  M._fluid_synth_all_sounds_off(music.synth.getRawSynthesizer(), -1);
}

function beginMusic() {
  const { midi, loops } = music.pending, M = window.Module;
  music.pending = null;
  dropPlayer();
  const player = M._new_fluid_player(music.synth.getRawSynthesizer());
  if (!player) return;
  const bytes = M._malloc(midi.length);
  M.HEAPU8.set(midi, bytes);
  M._fluid_player_add_mem(player, bytes, midi.length);
  M._free(bytes);
  M._fluid_player_set_loop(player, loops);
  M._fluid_player_play(player);
  music.player = player;
}

function musicFailed(why) {
  if (!music.failed) console.warn('twinworlds: no music: ' + why);
  music.failed = true;
  music.pending = null;
  // The game plays on without it; the status line says so.
  noteNoMusic(T.noMusic(why));
}

// What the game calls (TW.music).
export const musicCalls = {
  load() {
    if (music.failed) return false;
    if (!music.ready)
      music.ready = loadSynthesizer()
        .then((synth) => {
          music.synth = synth;
          result.musicReadyAt = performance.now();
          soundStatus();
          if (music.pending) beginMusic();
        })
        .catch((e) => musicFailed(e.message));
    return true;
  },
  start(midi, loops) {
    if (music.failed) return;
    music.pending = { midi, loops };
    if (music.synth) beginMusic();
  },
  stop() {
    music.pending = null;
    dropPlayer();
  },
  // For the browser test: voices sounding now.
  voices: () => (music.synth ? window.Module._fluid_synth_get_active_voice_count(music.synth.getRawSynthesizer()) : 0),
  render(mix, frames) {
    const synth = music.synth;
    if (!music.player) return;
    if (!music.left || music.left.length !== frames)
      (music.left = new Float32Array(frames)), (music.right = new Float32Array(frames));
    synth.render([music.left, music.right]);
    if (result.musicSoundsAt === null && musicCalls.voices() > 0) result.musicSoundsAt = performance.now();
    for (let i = 0; i < frames; i++) {
      mix[2 * i] += Math.round(Math.max(-1, Math.min(1, music.left[i])) * 32767);
      mix[2 * i + 1] += Math.round(Math.max(-1, Math.min(1, music.right[i])) * 32767);
    }
  },
};
