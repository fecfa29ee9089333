// SPDX-License-Identifier: MIT
// A static server for the page's folder, as a good static host serves it:
// gzip for whatever compresses, and cache headers (an ETag, revalidated on
// every load, since the files keep their names from one build to the next).
//   node web/serve.mjs DIR [PORT]      serves DIR on 127.0.0.1:PORT (8000)
// The browser test uses the same server, so what it measures is what a
// player of scripts/web.sh serve gets.
import crypto from 'node:crypto';
import fs from 'node:fs';
import http from 'node:http';
import path from 'node:path';
import zlib from 'node:zlib';
import { fileURLToPath } from 'node:url';

export const Types = {
  '.html': 'text/html; charset=utf-8', '.js': 'text/javascript', '.mjs': 'text/javascript',
  '.wasm': 'application/wasm', '.json': 'application/json', '.webmanifest': 'application/manifest+json',
  '.txt': 'text/plain; charset=utf-8', '.png': 'image/png', '.svg': 'image/svg+xml',
  '.data': 'application/octet-stream', '.sf2': 'application/octet-stream',
};
// Already compressed: sent as they are.
const Stored = new Set(['.png', '.ogg', '.sf3', '.gz', '.br']);

// Each file read and compressed once, again when it changes.
const cache = new Map();
function load(file) {
  const stat = fs.statSync(file);
  const key = stat.size + ':' + stat.mtimeMs;
  const known = cache.get(file);
  if (known && known.key === key) return known;
  const body = fs.readFileSync(file);
  const entry = {
    key, body,
    gzip: Stored.has(path.extname(file)) ? null : zlib.gzipSync(body, { level: 9 }),
    etag: '"' + crypto.createHash('sha1').update(body).digest('base64url').slice(0, 20) + '"',
  };
  cache.set(file, entry);
  return entry;
}

// `locate(urlPath)` may map a path elsewhere (the test's recorded games);
// otherwise paths are looked up in `dir`, never outside it.
export function serve(dir, port = 0, locate = () => null) {
  const root = path.resolve(dir);
  // Compressed before the first request, not while a player waits for it.
  for (const name of fs.readdirSync(root)) {
    const file = path.join(root, name);
    if (fs.statSync(file).isFile()) load(file);
  }
  const server = http.createServer((req, res) => {
    let url;
    try {
      url = decodeURIComponent(new URL(req.url, 'http://x').pathname);
    } catch {
      return res.writeHead(400).end();
    }
    const elsewhere = locate(url);
    const file = elsewhere || path.join(root, path.normalize(url.endsWith('/') ? url + 'index.html' : url));
    if (!elsewhere && !file.startsWith(root + path.sep)) return res.writeHead(403).end();
    let entry;
    try {
      entry = load(file);
    } catch {
      return res.writeHead(404, { 'Cache-Control': 'no-store' }).end();
    }
    const headers = {
      'Content-Type': Types[path.extname(file)] || 'application/octet-stream',
      'Cache-Control': 'no-cache', ETag: entry.etag, Vary: 'Accept-Encoding',
    };
    if (req.headers['if-none-match'] === entry.etag) return res.writeHead(304, headers).end();
    let body = entry.body;
    if (entry.gzip && /\bgzip\b/.test(req.headers['accept-encoding'] || '')) {
      body = entry.gzip;
      headers['Content-Encoding'] = 'gzip';
    }
    headers['Content-Length'] = body.length;
    res.writeHead(200, headers);
    res.end(req.method === 'HEAD' ? undefined : body);
  });
  return new Promise((resolve) => server.listen(port, '127.0.0.1', () => resolve(server)));
}

if (process.argv[1] === fileURLToPath(import.meta.url)) {
  const [dir, port = '8000'] = process.argv.slice(2);
  if (!dir) {
    console.error('usage: node web/serve.mjs DIR [PORT]');
    process.exit(2);
  }
  await serve(dir, Number(port));
  console.log(`web: http://127.0.0.1:${port}/`);
}
