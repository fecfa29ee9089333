// The page around the browser build: the canvas, the keys, the sound and
// the music, and the URL parameters (?input=URL, ?frames=N, ?headless=1,
// ?lang=ja|en).
// `TW` is what the game's platform calls (platform/backends/browser/*.cpp); at the end
// of a run `window.twinworlds` holds the state dump and the last picture.
'use strict';

(function () {
  const Width = 640, Height = 480, Rate = 44100;
  // About 93 ms of sound queued ahead of the audio thread.
  const QueuedFrames = 4096;
  const params = new URLSearchParams(location.search);
  const headless = params.get('headless') === '1';
  const stage = document.getElementById('stage');
  const canvas = document.getElementById('screen');
  const context = canvas.getContext('2d', { alpha: false });
  const picture = context.createImageData(Width, Height);
  const status = document.getElementById('status');
  const loadStart = performance.now();

  const result = (window.twinworlds = {
    done: false, exitLog: [], state: null, png: null, framesPlayed: 0,
    firstPictureMs: null, mainStartMs: null, runMs: null, keySamples: 0,
  });

  function say(text) {
    status.textContent = text;
  }

  // Keys: by what they are labelled, as on the desktop.
  const Codes = {
    Backspace: 8, Enter: 13, NumpadEnter: 13, ControlLeft: 0x11, ControlRight: 0x11, Escape: 0x1b,
    Space: 0x20, ArrowLeft: 0x25, ArrowUp: 0x26, ArrowRight: 0x27, ArrowDown: 0x28,
  };
  // The game's keys: the browser does nothing else with them.
  const Claimed = new Set([8, 13, 0x11, 0x1b, 0x20, 0x25, 0x26, 0x27, 0x28, 0x70, 0x71, 0x72, 67, 78, 88, 89, 90]);
  const live = new Uint8Array(256), pressed = new Uint8Array(256);

  function virtualKey(e) {
    if (e.key && e.key.length === 1) {
      const c = e.key.toUpperCase();
      if ((c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9')) return c.charCodeAt(0);
    }
    if (Codes[e.code] !== undefined) return Codes[e.code];
    const f = /^F([1-9]|1[0-2])$/.exec(e.key || '');
    return f ? 0x6f + Number(f[1]) : -1;
  }

  addEventListener('keydown', (e) => {
    startSound();
    const vk = virtualKey(e);
    if (vk < 0) return;
    if (Claimed.has(vk)) e.preventDefault();
    if (vk === 13 && e.altKey) return toggleFullscreen();
    live[vk] = 1;
    pressed[vk] = 1;
  });
  addEventListener('keyup', (e) => {
    const vk = virtualKey(e);
    if (vk < 0) return;
    if (Claimed.has(vk)) e.preventDefault();
    live[vk] = 0;
  });
  // Keys held when the page loses the focus would never come up.
  addEventListener('blur', () => live.fill(0));
  document.addEventListener('visibilitychange', () => document.hidden && live.fill(0));
  addEventListener('pointerdown', startSound);

  // Pads with the browser's standard layout, read as SDL reads a game
  // controller: buttons as SDL numbers them, the sticks and triggers as its
  // six axes. The game maps them through the desktop's bindings.
  const PadButtonBits = [0, 1, 2, 3, 9, 10, -1, -1, 4, 6, 7, 8, 11, 12, 13, 14, 5];
  const padHeld = [], padPressed = [];
  let padOddSaid = false;

  function pollPads() {
    const pads = navigator.getGamepads ? navigator.getGamepads() : [];
    const seen = [];
    for (const pad of pads) {
      if (!pad || !pad.connected) continue;
      if (pad.mapping !== 'standard') {
        if (!padOddSaid) console.warn('twinworlds: the pad "' + pad.id + '" has no standard layout; it is not read');
        padOddSaid = true;
        continue;
      }
      let bits = 0;
      pad.buttons.forEach((b, i) => {
        if (b.pressed && PadButtonBits[i] >= 0) bits |= 1 << PadButtonBits[i];
      });
      const n = seen.length;
      padPressed[n] = (padPressed[n] || 0) | bits;
      padHeld[n] = { bits, pad };
      seen.push(pad);
    }
    padHeld.length = seen.length;
    return seen.length;
  }
  // A tap between two of the game's samples still counts.
  (function watchPads() {
    pollPads();
    requestAnimationFrame(watchPads);
  })();

  function axisValue(v) {
    return Math.max(-32768, Math.min(32767, Math.round((v || 0) * 32767)));
  }

  // The largest whole scale that fits, in device pixels; letterboxed.
  function fit() {
    const ratio = devicePixelRatio || 1;
    const full = document.fullscreenElement === stage;
    const room = full ? [innerWidth, innerHeight] : [innerWidth - 16, innerHeight - 48];
    const scale = Math.max(1, Math.floor(Math.min((room[0] * ratio) / Width, (room[1] * ratio) / Height)));
    canvas.style.width = (Width * scale) / ratio + 'px';
    canvas.style.height = (Height * scale) / ratio + 'px';
  }
  function toggleFullscreen() {
    if (document.fullscreenElement) document.exitFullscreen();
    else if (stage.requestFullscreen) stage.requestFullscreen().catch(() => {});
  }
  addEventListener('resize', fit);
  document.addEventListener('fullscreenchange', fit);
  document.getElementById('fullscreen').addEventListener('click', toggleFullscreen);
  fit();

  // The sound output: blocks mixed by the game's own mixer, queued to an
  // AudioWorklet (or a ScriptProcessor where there is none).
  const audio = { context: null, sink: null, sent: 0, played: 0, silentFrom: null, silentDone: 0 };

  function startSound() {
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

  // Soundfont and synthesizer load after the game has started, so the
  // title never waits for them.
  function loadScript(src) {
    return new Promise((resolve, reject) => {
      const s = document.createElement('script');
      s.src = src;
      s.onload = resolve;
      s.onerror = () => reject(new Error(src + ' cannot be loaded'));
      document.head.appendChild(s);
    });
  }

  const music = { ready: null, synth: null, player: 0, failed: false, pending: null, left: null, right: null };

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
  }

  const TW = (window.TW = {
    ticks: () => Math.floor(performance.now() - loadStart) >>> 0,
    showPicture(rgba) {
      picture.data.set(rgba);
      context.putImageData(picture, 0, 0);
      if (result.firstPictureMs === null) result.firstPictureMs = performance.now() - loadStart;
    },
    sampleKeys(down) {
      for (let vk = 0; vk < 256; vk++) down[vk] = live[vk] | pressed[vk];
      pressed.fill(0);
    },
    samplePads(buttons, axes) {
      result.keySamples++;
      const n = Math.min(pollPads(), buttons.length);
      for (let i = 0; i < n; i++) {
        const { bits, pad } = padHeld[i];
        buttons[i] = (bits | padPressed[i]) >>> 0;
        padPressed[i] = 0;
        for (let a = 0; a < 4; a++) axes[i * 6 + a] = axisValue(pad.axes[a]);
        axes[i * 6 + 4] = axisValue(pad.buttons[6] && pad.buttons[6].value);
        axes[i * 6 + 5] = axisValue(pad.buttons[7] && pad.buttons[7].value);
      }
      return n;
    },
    messageBox(caption, text) {
      console.error(caption + ': ' + text);
      say(caption + ': ' + text);
    },
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
      audio.context.onstatechange = () => say(audio.context && audio.context.state === 'running' ? '' : 'sound: press a key');
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
    music: {
      load() {
        if (music.failed) return false;
        if (!music.ready)
          music.ready = loadScript('libfluidsynth.js')
            .then(() => loadScript('js-synthesizer.js'))
            .then(() => JSSynth.waitForReady())
            .then(() => JSSynth.disableLogging())
            .then(() => fetch('TimGM6mb.sf2'))
            .then((r) => {
              if (!r.ok) throw new Error('the soundfont TimGM6mb.sf2 cannot be read (' + r.status + ')');
              return r.arrayBuffer();
            })
            .then(makeSynth)
            .then((synth) => {
              music.synth = synth;
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
        for (let i = 0; i < frames; i++) {
          mix[2 * i] += Math.round(Math.max(-1, Math.min(1, music.left[i])) * 32767);
          mix[2 * i + 1] += Math.round(Math.max(-1, Math.min(1, music.right[i])) * 32767);
        }
      },
    },
    finished() {
      const FS = game.FS;
      result.runMs = performance.now() - loadStart - result.mainStartMs;
      try {
        result.state = FS.readFile('/out/state.json', { encoding: 'utf8' });
        const png = FS.readFile('/out/last.png');
        let text = '';
        for (let i = 0; i < png.length; i += 0x8000) text += String.fromCharCode.apply(null, png.subarray(i, i + 0x8000));
        result.png = btoa(text);
      } catch (e) {
        result.exitLog.push('finished: ' + e.message);
      }
      result.done = true;
      say('the game has ended');
    },
  });

  // The options the desktop takes on its command line.
  const args = ['--dump-state', '/out/state.json', '--screenshot', '/out/last.png'];
  if (headless) args.push('--headless');
  if (params.has('frames')) args.push('--frames', params.get('frames'));
  if (params.has('lang')) args.push('--lang', params.get('lang'));
  const input = params.get('input');

  const game = {
    arguments: args,
    canvas,
    print: (t) => (console.log(t), result.exitLog.push(t)),
    printErr: (t) => (console.warn(t), result.exitLog.push(t)),
    // After the game data is in place, just before main.
    onRuntimeInitialized() {
      game.FS.mkdir('/out');
      game.FS.chdir('/game');
      if (game.inputText !== undefined) game.FS.writeFile('/input.txt', game.inputText);
      result.mainStartMs = performance.now() - loadStart;
    },
  };

  const inputReady = input
    ? fetch(input).then((r) => {
        if (!r.ok) throw new Error('?input=' + input + ': cannot be read (' + r.status + ')');
        return r.text();
      })
    : Promise.resolve(undefined);
  inputReady
    .then((text) => {
      if (text !== undefined) {
        game.inputText = text;
        args.push('--input', '/input.txt');
      }
      return createTwinworlds(game);
    })
    .catch((e) => {
      result.exitLog.push(e.message);
      console.error('twinworlds: ' + e.message);
      say(e.message);
      result.done = true;
    });
})();
