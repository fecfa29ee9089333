// SPDX-License-Identifier: MIT
// The sound output: blocks mixed by the game's own mixer, queued to an
// AudioWorklet (or a ScriptProcessor where there is none). Browsers start
// it only after a key, a click or a touch.
import { result } from './harness.js';
import { soundStatus } from './status.js';

export const Rate = 44100;
// About 93 ms of sound queued ahead of the audio thread.
const QueuedFrames = 4096;
export const audio = { context: null, sink: null, sent: 0, played: 0, silentFrom: null, silentDone: 0 };

export function startSound() {
  if (audio.context && audio.context.state !== 'running') audio.context.resume().catch(() => {});
}

function scriptProcessorSink(ctx) {
  const blocks = [];
  let offset = 0;
  const node = ctx.createScriptProcessor(1024, 0, 2);
  node.onaudioprocess = (e) => {
    const left = e.outputBuffer.getChannelData(0), right = e.outputBuffer.getChannelData(1);
    let at = 0;
    while (at < left.length && blocks.length) {
      const b = blocks[0], n = Math.min(left.length - at, b.left.length - offset);
      left.set(b.left.subarray(offset, offset + n), at);
      right.set(b.right.subarray(offset, offset + n), at);
      at += n;
      offset += n;
      result.framesPlayed = audio.played += n;
      if (offset === b.left.length) blocks.shift(), (offset = 0);
    }
    left.fill(0, at);
    right.fill(0, at);
  };
  node.connect(ctx.destination);
  return { push: (block) => blocks.push(block), node };
}

function closeSink() {
  if (audio.sink) audio.sink.node.disconnect();
  audio.sink = null;
}

// What the game calls (TW.openAudio, closeAudio, pumpAudio).
export const audioCalls = {
  openAudio() {
    const AC = window.AudioContext || window.webkitAudioContext;
    if (!AC) {
      console.warn('twinworlds: no sound: this browser has no Web Audio');
      return false;
    }
    try {
      audio.context = new AC({ sampleRate: Rate, latencyHint: 'interactive' });
    } catch (e) {
      console.warn('twinworlds: no sound: ' + e.message);
      return false;
    }
    // A new game's output, from nothing queued.
    audio.sent = audio.played = 0;
    audio.silentFrom = null;
    audio.context.onstatechange = soundStatus;
    soundStatus();
    const ctx = audio.context;
    const worklet = ctx.audioWorklet
      ? ctx.audioWorklet.addModule('audio_worklet.js').then(() => {
          const node = new AudioWorkletNode(ctx, 'twinworlds-output', { numberOfInputs: 0, outputChannelCount: [2] });
          node.port.onmessage = (e) => (result.framesPlayed = audio.played = e.data);
          node.connect(ctx.destination);
          return { push: (b) => node.port.postMessage(b, [b.left.buffer, b.right.buffer]), node };
        })
      : Promise.reject(new Error('no AudioWorklet'));
    worklet
      .catch(() => scriptProcessorSink(ctx))
      .then((sink) => {
        if (audio.context === ctx) audio.sink = sink;
      });
    return true;
  },
  closeAudio() {
    closeSink();
    if (audio.context) audio.context.close();
    audio.context = null;
  },
  // Called by the game whenever it waits: mixes what the output will need.
  pumpAudio(mix) {
    const ctx = audio.context;
    if (!ctx) return;
    const now = performance.now();
    if (ctx.state !== 'running' || !audio.sink) {
      // Not started yet: the sounds go on unheard, in step with the clock.
      if (audio.silentFrom === null) (audio.silentFrom = now), (audio.silentDone = 0);
      const due = Math.floor(((now - audio.silentFrom) * Rate) / 1000);
      let frames = Math.min(due - audio.silentDone, Rate);
      audio.silentDone = due;
      for (; frames > 0; frames -= 4096) mix(Math.min(frames, 4096));
      return;
    }
    audio.silentFrom = null;
    const frames = (QueuedFrames - (audio.sent - audio.played)) & ~127;
    if (frames <= 0) return;
    const block = mix(frames), left = new Float32Array(frames), right = new Float32Array(frames);
    for (let i = 0; i < frames; i++) {
      left[i] = block[2 * i] / 32768;
      right[i] = block[2 * i + 1] / 32768;
    }
    audio.sink.push({ left, right });
    audio.sent += frames;
  },
};
