// The browser build in Debian's Chromium (headless, through puppeteer-core):
// the title shows, Enter starts the game, and recorded games replayed with
// ?headless=1 end in the same state and picture as the native headless run.
// Prints the figures for the closing notes and ends with "N passed, M failed".
//   node web/test/browser_test.mjs [--bench-cpu SECONDS]
import { execFileSync } from 'node:child_process';
import fs from 'node:fs';
import http from 'node:http';
import os from 'node:os';
import path from 'node:path';
import zlib from 'node:zlib';
import { fileURLToPath } from 'node:url';
import puppeteer from 'puppeteer-core';

const root = path.resolve(path.dirname(fileURLToPath(import.meta.url)), '../..');
const page_dir = path.join(root, 'build-web/web');
const game_dir = path.join(root, 'build/game');
const native = path.join(root, 'build/twinworlds');
const work = fs.mkdtempSync(path.join(os.tmpdir(), 'tw-web-'));
const benchCpu = process.argv.includes('--bench-cpu') ? Number(process.argv[process.argv.indexOf('--bench-cpu') + 1]) : 0;

// The page's folder, and the recorded games under /demos/.
const types = { '.html': 'text/html', '.js': 'text/javascript', '.wasm': 'application/wasm', '.txt': 'text/plain' };
function serve() {
  const server = http.createServer((req, res) => {
    const url = decodeURIComponent(new URL(req.url, 'http://x').pathname);
    const file = url.startsWith('/demos/')
      ? path.join(root, 'demos', path.basename(url))
      : path.join(page_dir, path.normalize(url === '/' ? '/index.html' : url));
    fs.readFile(file, (err, data) => {
      if (err) return res.writeHead(404).end();
      res.writeHead(200, { 'Content-Type': types[path.extname(file)] || 'application/octet-stream' }).end(data);
    });
  });
  return new Promise((resolve) => server.listen(0, '127.0.0.1', () => resolve(server)));
}

function runNative(args) {
  const out = execFileSync(native, ['--headless', ...args], { cwd: game_dir, encoding: 'utf8' });
  return out;
}

// 8-bit RGB PNGs, as both builds write them, to rows of bytes.
function decodePng(bytes) {
  let at = 8, width = 0, height = 0;
  const idat = [];
  while (at < bytes.length) {
    const length = bytes.readUInt32BE(at), type = bytes.toString('latin1', at + 4, at + 8);
    const body = bytes.subarray(at + 8, at + 8 + length);
    if (type === 'IHDR') (width = body.readUInt32BE(0)), (height = body.readUInt32BE(4));
    if (type === 'IDAT') idat.push(body);
    at += 12 + length;
  }
  const raw = zlib.inflateSync(Buffer.concat(idat)), stride = width * 3;
  const out = Buffer.alloc(stride * height);
  for (let y = 0; y < height; y++) {
    const filter = raw[y * (stride + 1)], row = raw.subarray(y * (stride + 1) + 1, (y + 1) * (stride + 1));
    for (let x = 0; x < stride; x++) {
      const a = x >= 3 ? out[y * stride + x - 3] : 0, b = y > 0 ? out[(y - 1) * stride + x] : 0;
      const c = x >= 3 && y > 0 ? out[(y - 1) * stride + x - 3] : 0;
      const p = a + b - c, pa = Math.abs(p - a), pb = Math.abs(p - b), pc = Math.abs(p - c);
      const predictor = [0, a, b, (a + b) >> 1, pa <= pb && pa <= pc ? a : pb <= pc ? b : c][filter];
      out[y * stride + x] = (row[x] + predictor) & 255;
    }
  }
  return out;
}

// Processor time of a process and all its descendants, in clock ticks.
function cpuTicks(rootPid) {
  const parent = new Map(), own = new Map();
  for (const name of fs.readdirSync('/proc')) {
    if (!/^\d+$/.test(name)) continue;
    try {
      const stat = fs.readFileSync(`/proc/${name}/stat`, 'utf8');
      const f = stat.slice(stat.lastIndexOf(')') + 2).split(' ');
      parent.set(Number(name), Number(f[1]));
      own.set(Number(name), Number(f[11]) + Number(f[12]));
    } catch {}
  }
  let sum = 0;
  for (const [pid, time] of own) {
    for (let p = pid; p > 1; p = parent.get(p) ?? 0)
      if (p === rootPid) {
        sum += time;
        break;
      }
  }
  return sum;
}

async function canvasRgb(page) {
  const rgba = Buffer.from(await page.evaluate(() => {
    const c = document.getElementById('screen');
    const data = c.getContext('2d').getImageData(0, 0, c.width, c.height).data;
    let text = '';
    for (let i = 0; i < data.length; i += 0x8000) text += String.fromCharCode.apply(null, data.subarray(i, i + 0x8000));
    return btoa(text);
  }), 'base64');
  const rgb = Buffer.alloc((rgba.length / 4) * 3);
  for (let i = 0, j = 0; i < rgba.length; i += 4, j += 3) (rgb[j] = rgba[i]), (rgb[j + 1] = rgba[i + 1]), (rgb[j + 2] = rgba[i + 2]);
  return rgb;
}

async function waitUntil(what, test, seconds, everyMs = 100) {
  const end = Date.now() + seconds * 1000;
  for (;;) {
    if (await test()) return;
    if (Date.now() > end) throw new Error('timed out waiting for ' + what);
    await new Promise((r) => setTimeout(r, everyMs));
  }
}

const results = [];
async function check(name, body) {
  try {
    await body();
    results.push(true);
    console.log('ok    ' + name);
  } catch (e) {
    results.push(false);
    console.log('FAIL  ' + name + ': ' + e.message);
  }
}

function assert(condition, message) {
  if (!condition) throw new Error(message);
}

const server = await serve();
const base = `http://127.0.0.1:${server.address().port}/`;
const browser = await puppeteer.launch({
  executablePath: process.env.CHROMIUM || '/usr/bin/chromium',
  headless: true,
  args: ['--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run', '--disable-background-networking',
    '--disable-component-update', '--disable-sync', '--autoplay-policy=no-user-gesture-required',
    `--user-data-dir=${path.join(work, 'profile')}`],
});

async function openPage(query) {
  const page = await browser.newPage();
  const errors = [];
  page.on('pageerror', (e) => errors.push(e.message));
  page.on('console', (m) => m.type() === 'error' && errors.push(m.text()));
  await page.goto(base + query);
  page.errors = errors;
  return page;
}

async function finished(page, seconds) {
  await waitUntil('the end of the run', () => page.evaluate(() => window.twinworlds.done), seconds);
  return page.evaluate(() => window.twinworlds);
}

// One recorded game, in the browser and natively; both must end alike.
async function replay(name, input, frames, lang) {
  const frameArgs = (frames ? ['--frames', String(frames)] : []).concat(lang ? ['--lang', lang] : []);
  const nativeState = path.join(work, name + '.json'), nativePng = path.join(work, name + '.png');
  const timedemo = runNative(['--timedemo', '--input', path.join(root, 'demos', input), '--dump-state', nativeState,
    '--screenshot', nativePng, ...frameArgs]);
  const nativeRate = Number(/([\d.]+) flips per second/.exec(timedemo)[1]);
  const page = await openPage(`?headless=1&input=demos/${input}` + (frames ? `&frames=${frames}` : '') + (lang ? `&lang=${lang}` : ''));
  const run = await finished(page, 300);
  await page.close();
  assert(run.state, 'no state dump: ' + run.exitLog.join(' | '));
  const flips = JSON.parse(run.state).flips;
  const rate = flips / (run.runMs / 1000);
  console.log(`      ${name}: ${flips} flips; browser ${rate.toFixed(0)} flips/s, native ${nativeRate.toFixed(0)} flips/s` +
    ` (${((100 * rate) / nativeRate).toFixed(0)}%)`);
  assert(run.state === fs.readFileSync(nativeState, 'utf8'), 'the state dump differs from the native run\'s');
  assert(decodePng(Buffer.from(run.png, 'base64')).equals(decodePng(fs.readFileSync(nativePng))),
    'the last picture differs from the native run\'s');
  return JSON.parse(run.state);
}

// The first stage: a picture unlike the title's, full of colour.
async function inStage(page, title) {
  const rgb = await canvasRgb(page);
  let lit = 0;
  for (let i = 0; i < rgb.length; i += 3) lit += rgb[i] + rgb[i + 1] + rgb[i + 2] > 60;
  return !rgb.equals(title) && lit > 640 * 480 * 0.5;
}

try {
  const titlePng = path.join(work, 'title.png');
  runNative(['--frames', '20', '--screenshot', titlePng]);
  const title = decodePng(fs.readFileSync(titlePng));
  let live;
  await check('the page shows the title without a click', async () => {
    live = await openPage('');
    let shown;
    await waitUntil('a picture', () => live.evaluate(() => window.twinworlds.firstPictureMs !== null), 120);
    await waitUntil('the title picture', async () => (shown = await canvasRgb(live)).equals(title), 60, 500).catch(async (e) => {
      let differ = 0;
      for (let i = 0; i < title.length; i++) differ += shown[i] !== title[i];
      const log = await live.evaluate(() => window.twinworlds.exitLog);
      throw new Error(`${e.message}: ${differ} of ${title.length} bytes differ; ${live.errors.concat(log).join(' | ')}`);
    });
    const t = await live.evaluate(() => window.twinworlds);
    console.log(`      the title ${t.firstPictureMs.toFixed(0)} ms after the page began to load` +
      ` (the game's main began at ${t.mainStartMs.toFixed(0)} ms)`);
    assert(live.errors.length === 0, live.errors.join(' | '));
  });
  await check('Enter starts the game; sound and music play', async () => {
    await live.keyboard.press('Enter');
    await waitUntil('the first stage', () => inStage(live, title), 120, 500);
    // The mixer's blocks reach the audio thread, and the music's player runs.
    await waitUntil('sound', () => live.evaluate(() => window.twinworlds.framesPlayed > 44100 && TW.music.voices() > 0), 60, 500);
    assert(live.errors.length === 0, live.errors.join(' | '));
  });
  if (benchCpu > 0) {
    const ticks = () => cpuTicks(browser.process().pid);
    await live.keyboard.down('ArrowRight');
    const t0 = ticks(), w0 = Date.now();
    await new Promise((r) => setTimeout(r, benchCpu * 1000));
    const used = (ticks() - t0) / 100;
    await live.keyboard.up('ArrowRight');
    console.log(`      browser CPU at normal pace: ${((100 * used) / ((Date.now() - w0) / 1000)).toFixed(0)}% of one core over ${benchCpu} s`);
  }
  if (live) await live.close();
  await check('a pad\'s Start starts the game (the Gamepad API, mapped as on the desktop)', async () => {
    const page = await browser.newPage();
    // A pad with the browser's standard layout, its buttons set by the test.
    await page.evaluateOnNewDocument(() => {
      const buttons = Array.from({ length: 17 }, () => ({ pressed: false, value: 0 }));
      window.testPad = { id: 'test pad', index: 0, connected: true, mapping: 'standard', axes: [0, 0, 0, 0], buttons };
      Object.defineProperty(Navigator.prototype, 'getGamepads', { value: () => [window.testPad] });
    });
    await page.goto(base);
    await waitUntil('the title picture', async () => (await canvasRgb(page)).equals(title), 120, 500);
    // The left stick inside its dead zone and B (not heard on the title)
    // do nothing at the title; Start does.
    const before = await page.evaluate(() => ((testPad.axes[0] = 0.3), (testPad.buttons[1].pressed = true),
      window.twinworlds.keySamples));
    await waitUntil('a few flips', () => page.evaluate((n) => window.twinworlds.keySamples >= n + 10, before), 30);
    assert((await canvasRgb(page)).equals(title), 'the title went away without Start');
    // B released a few flips before Start.
    const samples = await page.evaluate(() => ((testPad.axes[0] = 0), (testPad.buttons[1].pressed = false),
      window.twinworlds.keySamples));
    await waitUntil('two flips', () => page.evaluate((n) => window.twinworlds.keySamples >= n + 2, samples), 30);
    await page.evaluate(() => (testPad.buttons[9].pressed = true));
    await waitUntil('the first stage', () => inStage(page, title), 120, 500);
    await page.close();
  });
  await check('the complete demo ends as natively (?headless=1)', async () => {
    const state = await replay('complete', 'complete.txt', 0);
    assert(state.gameMode !== undefined, 'no game mode in the dump');
  });
  await check('the menus recording ends as natively (?headless=1)', async () => {
    await replay('menus', 'menus.txt', 150);
  });
  // Stopped in the skill menu: its Japanese text drawn from code page 932.
  await check('the skill menu\'s text is drawn as natively', async () => {
    await replay('skills', 'menus.txt', 72);
  });
  await check('?lang=en shows the skill menu in English, as natively', async () => {
    await replay('skills-en', 'menus.txt', 72, 'en');
  });
} finally {
  await browser.close();
  server.close();
  fs.rmSync(work, { recursive: true, force: true });
}
const passed = results.filter(Boolean).length;
console.log(`${passed} passed, ${results.length - passed} failed`);
process.exit(passed === results.length ? 0 : 1);
