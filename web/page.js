// The page around the browser build: the canvas, the keys, the sound and
// the music, and the URL parameters (?input=URL, ?frames=N, ?headless=1,
// ?lang=ja|en), or a run shared as a link (#run=...).
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
  const loadStart = performance.now();

  const result = (window.twinworlds = {
    done: false, exitLog: [], state: null, png: null, framesPlayed: 0,
    firstPictureMs: null, mainStartMs: null, runMs: null, keySamples: 0,
    status: 'loading', error: null, loaded: {},
    // For the load's measurement: milliseconds since the page's navigation.
    pageScriptAt: loadStart, firstKeyAt: null, musicReadyAt: null, musicSoundsAt: null, longTasks: [],
  });
  watchLongTasks();

  // ---- The player's language: ?lang, else the browser's, as the desktop
  // follows the locale.
  function browserLanguage() {
    for (const l of navigator.languages || [navigator.language || '']) {
      if (/^ja\b/i.test(l)) return 'ja';
      if (/^en\b/i.test(l)) return 'en';
    }
    return 'en';
  }
  const Texts = {
    en: {
      loading: 'loading', ready: 'ready', sound: 'sound: press a key or tap', ended: 'the game has ended',
      replaying: 'replaying a shared run', game: 'game', data: 'data', music: 'music',
      fullscreen: 'Full screen', sharp: 'Sharp pixels', share: 'Share this run', copy: 'Copy', close: 'Close',
      shareText: 'A link that replays this run:', copied: 'copied', playAgain: 'Play from the title',
      badFrames: (v) => `?frames=${v}: not a whole number of flips`,
      badLang: (v) => `?lang=${v}: the game speaks ja or en`,
      badHeadless: (v) => `?headless=${v}: only ?headless=1`,
      unknown: (k) => `?${k}: not a parameter of this page (input, frames, lang, headless)`,
      badInput: (v, why) => `?input=${v}: ${why}`,
      unreadable: (status) => `cannot be read (${status})`,
      notInput: (why) => `not a recorded run (${why})`,
      badLink: 'the shared run in this link is cut short or changed',
      failed: (what) => `the game could not be loaded: ${what}`,
      noMusic: (why) => `no music (${why})`,
      stopped: (what) => `the game stopped: ${what}`,
      keys: '<b>Arrows</b> run · <b>Z</b> jump · <b>X</b>, <b>C</b> slash · <b>Space</b> switch worlds · ' +
        '<b>Ctrl</b> skills · <b>Esc</b> pause · <b>F3</b> options · <b>Enter</b> start, choose',
    },
    ja: {
      loading: '読み込み中', ready: '準備完了', sound: '音: キーを押すかタップ', ended: 'ゲームは終了しました',
      replaying: '共有されたプレイを再生中', game: 'ゲーム', data: 'データ', music: '音楽',
      fullscreen: '全画面', sharp: 'くっきり表示', share: 'このプレイを共有', copy: 'コピー', close: '閉じる',
      shareText: 'このプレイを再生するリンク:', copied: 'コピーしました', playAgain: 'タイトルから遊ぶ',
      badFrames: (v) => `?frames=${v}: フリップ数は整数で指定してください`,
      badLang: (v) => `?lang=${v}: 言語は ja か en です`,
      badHeadless: (v) => `?headless=${v}: 指定できるのは ?headless=1 だけです`,
      unknown: (k) => `?${k}: このページにないパラメータです (input, frames, lang, headless)`,
      badInput: (v, why) => `?input=${v}: ${why}`,
      unreadable: (status) => `読み込めません (${status})`,
      notInput: (why) => `記録されたプレイではありません (${why})`,
      badLink: 'このリンクのプレイは途中で切れているか、書き換えられています',
      failed: (what) => `ゲームを読み込めませんでした: ${what}`,
      noMusic: (why) => `音楽なし (${why})`,
      stopped: (what) => `ゲームが止まりました: ${what}`,
      keys: '<b>矢印</b> 走る · <b>Z</b> ジャンプ · <b>X</b>, <b>C</b> 斬る · <b>Space</b> 世界切替 · ' +
        '<b>Ctrl</b> スキル · <b>Esc</b> ポーズ · <b>F3</b> オプション · <b>Enter</b> 開始, 決定',
    },
  };
  const langParam = params.get('lang');
  const language = langParam === 'ja' || langParam === 'en' ? langParam : browserLanguage();
  const T = Texts[language];
  document.documentElement.lang = language;
  document.getElementById('keys').innerHTML = T.keys;
  document.getElementById('fullscreen').textContent = T.fullscreen;
  document.getElementById('sharp').textContent = T.sharp;
  document.getElementById('share-run').textContent = T.share;
  if (window.TwTouch) TwTouch.setLanguage(language);

  // ---- The status line: one truthful word at every moment (loading with
  // the bytes of each part, ready, press for sound, ended, error).
  const statusLine = document.getElementById('status');
  const parts = {};  // name -> { loaded, total }
  let statusKind = 'loading', musicNote = '';

  function megabytes(n) {
    return (n / 1048576).toFixed(n < 1048576 ? 2 : 1);
  }
  function progress(part, loaded, total) {
    parts[part] = { loaded, total: total || 0, done: !!(parts[part] && parts[part].done) || (total > 0 && loaded >= total) };
    result.loaded[part] = parts[part];
    if (statusKind !== 'error' && statusKind !== 'ended') showStatus(statusKind);
  }
  function partsText(names) {
    return names
      .filter((n) => parts[n] && (!parts[n].done || statusKind === 'loading'))
      .map((n) => `${T[n]} ${megabytes(parts[n].loaded)}${parts[n].total ? ' / ' + megabytes(parts[n].total) : ''} MB`)
      .join(' · ');
  }
  // kind: loading, ready, sound, replaying, ended, error.
  function showStatus(kind, text) {
    if (statusKind === 'error') return;
    statusKind = kind;
    result.status = kind;
    statusLine.classList.toggle('error', kind === 'error');
    let line = text || T[kind] || '';
    if (kind === 'loading') line = T.loading + (Object.keys(parts).length ? ': ' + partsText(['game', 'data']) : '');
    const music = kind !== 'loading' && kind !== 'error' && kind !== 'ended' ? musicNote || partsText(['music']) : '';
    statusLine.textContent = line + (music ? ' · ' + music : '');
  }
  // The sound's word, once the game is running.
  function soundStatus() {
    if (statusKind === 'error' || statusKind === 'ended' || statusKind === 'loading') return;
    if (replayingLink) return showStatus('replaying');
    showStatus(audio.context && audio.context.state !== 'running' ? 'sound' : 'ready');
  }
  // A fetch that tells the status line how far it has come.
  function fetchWithProgress(url, part) {
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
            progress(part, loaded, loaded);
            parts[part].done = true;
            if (statusKind !== 'error' && statusKind !== 'ended') showStatus(statusKind);
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

  // ---- Errors: in the page, in the player's language, and the harness
  // told the run is done.
  const messageBox = document.getElementById('message');
  function fail(text) {
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
  addEventListener('error', (e) => {
    if (result.done) return;
    if (e.error instanceof WebAssembly.RuntimeError) fail(T.stopped(e.message));
    else if (statusKind === 'loading') fail(T.failed((e.error && e.error.message) || e.message));
  });
  addEventListener('unhandledrejection', (e) => statusKind === 'loading' && fail(T.failed(String(e.reason && e.reason.message || e.reason))));

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
    if (result.firstKeyAt === null) result.firstKeyAt = performance.now();
    startSound();
    if (window.TwTouch) TwTouch.hide();
    // Tab, then Enter or Space on the page's own buttons: theirs, not the game's.
    if (e.target instanceof HTMLButtonElement && (e.code === 'Enter' || e.code === 'Space')) return;
    if (e.target instanceof HTMLInputElement) return;
    if (e.key === 'F11') {
      e.preventDefault();
      return toggleFullscreen();
    }
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
      if (bits && window.TwTouch) TwTouch.hide();
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

  // ---- Layout: the picture fills the room the page leaves it, nearest
  // neighbour; whole steps when one nearly fills it, else the scale that
  // fits (never a small picture in a big window). "Sharp pixels" keeps to
  // whole steps wherever 1x fits.
  const sharpButton = document.getElementById('sharp');
  const stored = (() => {
    try {
      return window.localStorage;
    } catch (e) {
      return null;
    }
  })();
  let sharp = !!stored && stored.getItem('twinworlds.sharp') === '1';
  // The room the portrait on-screen controls need under the picture.
  const TouchRoom = 240;
  function fit() {
    const ratio = devicePixelRatio || 1;
    const portrait = innerHeight > innerWidth;
    document.body.classList.toggle('portrait', portrait);
    let w = stage.clientWidth, h = stage.clientHeight;
    if (window.TwTouch && TwTouch.shown && portrait) h = Math.max(h - TouchRoom, h / 2);
    const fits = Math.min((w * ratio) / Width, (h * ratio) / Height);
    const whole = Math.floor(fits);
    const scale = whole >= 1 && (sharp || whole / fits >= 0.9) ? whole : fits;
    canvas.style.width = (Width * scale) / ratio + 'px';
    canvas.style.height = (Height * scale) / ratio + 'px';
    sharpButton.setAttribute('aria-pressed', String(sharp));
  }
  sharpButton.addEventListener('click', (e) => {
    sharp = !sharp;
    if (stored) stored.setItem('twinworlds.sharp', sharp ? '1' : '0');
    fit();
    // Enter and Space go back to the game, however the button was pressed.
    sharpButton.blur();
  });

  // ---- Full screen: the whole page, so the bar and the on-screen controls
  // come along. Escape there is the game's pause (the keyboard lock keeps it
  // from the browser where it can); the button or F11 leaves.
  let leavingOnPurpose = false;
  function toggleFullscreen() {
    if (document.fullscreenElement) {
      leavingOnPurpose = true;
      document.exitFullscreen().catch(() => {});
    } else if (document.documentElement.requestFullscreen) {
      document.documentElement
        .requestFullscreen({ navigationUI: 'hide' })
        .then(() => navigator.keyboard && navigator.keyboard.lock && navigator.keyboard.lock(['Escape']))
        .catch(() => {});
    }
  }
  document.addEventListener('fullscreenchange', () => {
    if (!document.fullscreenElement) {
      if (navigator.keyboard && navigator.keyboard.unlock) navigator.keyboard.unlock();
      // A browser without the lock took Escape to leave: the game pauses all the same.
      if (!leavingOnPurpose) pressed[0x1b] = 1;
      leavingOnPurpose = false;
    }
    fit();
  });
  addEventListener('resize', fit);
  const fullscreenButton = document.getElementById('fullscreen');
  fullscreenButton.addEventListener('click', () => {
    toggleFullscreen();
    // Clicked or pressed from Tab: the next Enter is the game's again.
    fullscreenButton.blur();
  });
  // Where the page cannot go full screen (an iPhone), the installed app can.
  if (!document.fullscreenEnabled) fullscreenButton.hidden = true;
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
      // Fetched side by side, run in the order asked.
      s.async = false;
      s.onload = resolve;
      s.onerror = () => reject(new Error(src + ' cannot be loaded'));
      document.head.appendChild(s);
    });
  }

  let offlineAfterLoad = null;
  const music = { ready: null, synth: null, player: 0, failed: false, pending: null, left: null, right: null };

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

  // Main-thread tasks over 50 ms, for the load's measurement.
  function watchLongTasks() {
    try {
      new PerformanceObserver((list) => {
        for (const e of list.getEntries()) result.longTasks.push({ at: e.startTime, ms: e.duration });
      }).observe({ type: 'longtask', buffered: true });
    } catch (e) {
      // Not every browser reports them.
    }
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
    musicNote = T.noMusic(why);
    if (statusKind !== 'loading') showStatus(statusKind);
  }

  const TW = (window.TW = {
    ticks: () => Math.floor(performance.now() - loadStart) >>> 0,
    showPicture(rgba) {
      picture.data.set(rgba);
      context.putImageData(picture, 0, 0);
      if (result.firstPictureMs === null) {
        result.firstPictureMs = performance.now() - loadStart;
        if (statusKind === 'loading') statusKind = 'ready';
        soundStatus();
        if (offlineAfterLoad) offlineAfterLoad();
      }
    },
    sampleKeys(down) {
      const touch = window.TwTouch;
      for (let vk = 0; vk < 256; vk++) down[vk] = live[vk] | pressed[vk] | (touch ? touch.held[vk] | touch.pressed[vk] : 0);
      pressed.fill(0);
      if (touch) touch.pressed.fill(0);
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
      fail(caption + ': ' + text);
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
    music: {
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
        if (result.musicSoundsAt === null && TW.music.voices() > 0) result.musicSoundsAt = performance.now();
        for (let i = 0; i < frames; i++) {
          mix[2 * i] += Math.round(Math.max(-1, Math.min(1, music.left[i])) * 32767);
          mix[2 * i + 1] += Math.round(Math.max(-1, Math.min(1, music.right[i])) * 32767);
        }
      },
    },
    // The game refused to start: its line, with the page's names for things.
    startFault(line) {
      const m = /^--input \/input\.txt: (.*)$/.exec(line);
      if (m) return fail(input ? T.badInput(input, T.notInput(m[1])) : T.badLink);
      fail(T.stopped(line));
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
      if (result.status !== 'error') showStatus('ended');
      result.done = true;
      runEnded();
    },
  });

  // ---- Runs shared as links: the game records itself (--record /run.txt);
  // the link is made by the wasm's own encoder, the one the desktop's
  // --share uses, so the same run always makes the same link. Opening one
  // replays it (#run=...), and the keyboard plays on where it ends.
  const share = { module: null, panel: document.getElementById('share') };
  function linkBase() {
    return location.origin + location.pathname + (langParam ? '?lang=' + encodeURIComponent(langParam) : '');
  }
  function runLink(text, base) {
    const M = game, bytes = new TextEncoder().encode(text + '\0'), baseBytes = new TextEncoder().encode(base + '\0');
    const p = M._malloc(bytes.length), q = M._malloc(baseBytes.length);
    M.HEAPU8.set(bytes, p);
    M.HEAPU8.set(baseBytes, q);
    const at = M._TwRunLink(p, q);
    M._free(p);
    M._free(q);
    return new TextDecoder().decode(M.HEAPU8.subarray(at, M.HEAPU8.indexOf(0, at)));
  }
  function recordedRun() {
    try {
      return game.FS.readFile('/run.txt', { encoding: 'utf8' });
    } catch (e) {
      return null;
    }
  }
  function openShare() {
    const text = share.module && recordedRun();
    if (!text) return;
    const link = runLink(text, linkBase());
    result.shareLink = link;
    document.getElementById('share-text').textContent = T.shareText + ' (' + link.length + ')';
    const field = document.getElementById('share-link');
    field.value = link;
    share.panel.classList.add('shown');
    field.focus();
    field.select();
  }
  document.getElementById('share-copy').textContent = T.copy;
  document.getElementById('share-close').textContent = T.close;
  document.getElementById('share-copy').addEventListener('click', () => {
    const link = document.getElementById('share-link').value;
    const done = () => (document.getElementById('share-text').textContent = T.copied);
    if (navigator.share && matchMedia('(pointer: coarse)').matches) navigator.share({ url: link }).catch(() => {});
    else if (navigator.clipboard) navigator.clipboard.writeText(link).then(done, () => {});
  });
  document.getElementById('share-close').addEventListener('click', () => share.panel.classList.remove('shown'));
  document.getElementById('share-run').addEventListener('click', (e) => {
    e.currentTarget.blur();
    openShare();
  });
  // For the browser test: the link the page makes of any recording.
  result.runLink = (text, base) => runLink(text, base === undefined ? linkBase() : base);
  result.recording = recordedRun;

  function base64UrlBytes(text) {
    if (!/^[A-Za-z0-9_-]*$/.test(text)) throw new Error('not base64url');
    const b = atob(text.replace(/-/g, '+').replace(/_/g, '/') + '==='.slice((text.length + 3) % 4));
    return Uint8Array.from(b, (c) => c.charCodeAt(0));
  }
  function runFromLink(data) {
    const bytes = base64UrlBytes(data.replace(/[^A-Za-z0-9_-].*$/, ''));
    const stream = new Blob([bytes]).stream().pipeThrough(new DecompressionStream('deflate-raw'));
    return new Response(stream).text();
  }

  // The game has ended: a played game offers its link; a replayed one, the title.
  function runEnded() {
    if (headless) return;
    if (replayingLink) {
      const b = document.getElementById('share-run');
      b.textContent = T.playAgain;
      b.replaceWith(b.cloneNode(true));
      document.getElementById('share-run').addEventListener('click', () => location.assign(linkBase()));
      return;
    }
    openShare();
  }

  // ---- Offline: the service worker keeps this build's files; a new build
  // brings its own list and drops the old.
  // The worker fills its copy once the title shows and the music's part is
  // in (or has failed): then its requests neither slow the first load nor
  // fetch the bundle twice (the browser's cache answers them).
  function startOffline() {
    if (!('serviceWorker' in navigator) || !/^https?:$/.test(location.protocol)) return;
    const register = () =>
      navigator.serviceWorker.register('service_worker.js').catch((e) => console.warn('twinworlds: no offline copy: ' + e.message));
    offlineAfterLoad = () => Promise.resolve(music.ready).finally(register);
  }

  // ---- Starting: the parameters checked first, each fault said in the page.
  const args = ['--dump-state', '/out/state.json', '--screenshot', '/out/last.png', '--lang', language];
  function checkParameters() {
    for (const [k, v] of params) {
      if (k === 'frames' && !/^\d{1,10}$/.test(v)) return T.badFrames(v);
      if (k === 'lang' && v !== 'ja' && v !== 'en') return T.badLang(v);
      if (k === 'headless' && v !== '1') return T.badHeadless(v);
      if (!['frames', 'lang', 'headless', 'input'].includes(k)) return T.unknown(k);
    }
    return null;
  }
  if (headless) args.push('--headless');
  if (params.has('frames')) args.push('--frames', params.get('frames'));
  const input = params.get('input');
  const sharedRun = location.hash.startsWith('#run=') ? location.hash.slice(5) : null;
  const replayingLink = sharedRun !== null && !input;

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
    // The emscripten loader's own word on the game data: "(loaded/total)".
    setStatus(text) {
      const m = /\((\d+)\/(\d+)\)/.exec(text || '');
      if (m) progress('data', Number(m[1]), Number(m[2]));
    },
    // The wasm, fetched so its bytes can be counted, compiled as it comes.
    instantiateWasm(imports, done) {
      fetchWithProgress('twinworlds.wasm', 'game')
        .then((r) => {
          if (!r.ok) throw new Error('twinworlds.wasm (' + r.status + ')');
          return WebAssembly.instantiateStreaming
            ? WebAssembly.instantiateStreaming(r, imports)
            : r.arrayBuffer().then((b) => WebAssembly.instantiate(b, imports));
        })
        .then((out) => done(out.instance, out.module))
        .catch((e) => fail(T.failed(e.message)));
      return {};
    },
    // An abort ends the run: a load that failed, or a trap before the game
    // first waits.
    onAbort: (what) => fail((result.mainStartMs === null ? T.failed : T.stopped)(String(what))),
  };

  holdForHarness(game);

  // A harness that measures the run (the browser test) may hold the game
  // once everything is loaded and compiled, until it has taken its first
  // reading: it sets window.twinworldsHold to a promise before the page loads.
  function holdForHarness(game) {
    const hold = window.twinworldsHold;
    if (!hold) return;
    game.preRun = [
      () => {
        game.addRunDependency('harness');
        result.held = true;
        hold.then(() => game.removeRunDependency('harness'));
      },
    ];
  }

  // The input file: from ?input, or the run a link carries.
  function inputText() {
    if (input)
      return fetch(input)
        .catch(() => ({ ok: false, status: 'network' }))
        .then((r) => {
          if (!r.ok) throw new Error(T.badInput(input, T.unreadable(r.status)));
          return r.text();
        });
    if (sharedRun !== null) return runFromLink(sharedRun).catch(() => Promise.reject(new Error(T.badLink)));
    return Promise.resolve(undefined);
  }

  const fault = checkParameters();
  if (fault) fail(fault);
  else
    inputText()
      .then((text) => {
        if (text !== undefined) {
          game.inputText = text;
          args.push('--input', '/input.txt');
        }
        if (replayingLink && !headless) args.push('--then-play');
        // The page keeps the recording of the game being played, for its link.
        if (!headless) args.push('--record', '/run.txt');
        return loadScript('twinworlds.js')
          .catch((e) => Promise.reject(new Error(T.failed(e.message))))
          .then(() => createTwinworlds(game));
      })
      .then((module) => (share.module = module))
      .catch((e) => fail(e.message));

  if (!headless) startOffline();
})();
