// SPDX-FileCopyrightText: 2026 The Brontix developers
// SPDX-License-Identifier: MIT
// Serves the browser edition's site on 127.0.0.1, for development and the
// tests. Any request gets an answer and the server goes on: a malformed
// address 400, another method than GET or HEAD 405, a file the site does
// not have 404.
//   node serve.mjs [PORT [SITE_DIR]]   (PORT 0, the default, picks a free one;
//                                       SITE_DIR defaults to site/ beside this file)
import { createServer } from 'node:http';
import { readFile } from 'node:fs/promises';
import { dirname, join } from 'node:path';
import { fileURLToPath } from 'node:url';

const types = {
  '.html': 'text/html; charset=utf-8', '.css': 'text/css', '.js': 'text/javascript',
  '.wasm': 'application/wasm', '.svg': 'image/svg+xml', '.png': 'image/png',
  '.webmanifest': 'application/manifest+json',
};
const [portArg = '0', siteArg] = process.argv.slice(2);
const site = siteArg || join(dirname(fileURLToPath(import.meta.url)), 'site');

function stop(why) {
  console.error(`serve: ${why}`);
  process.exit(1);
}
if (!/^\d{1,5}$/.test(portArg) || Number(portArg) > 65535) stop(`not a port number: ${portArg}`);

// The site's file for a request's path, or null: a name of letters, digits,
// dots and dashes at the site's top, of a type it serves.
function fileFor(url) {
  let path;
  try {
    path = decodeURIComponent(new URL(url, 'http://127.0.0.1').pathname);
  } catch {
    return undefined;  // no address at all
  }
  const name = path === '/' ? 'index.html' : path.slice(1);
  if (!/^[A-Za-z0-9][A-Za-z0-9._-]*$/.test(name)) return null;
  const type = types[name.slice(name.lastIndexOf('.'))];
  return type ? { file: join(site, name), type } : null;
}

const server = createServer(async (req, res) => {
  try {
    if (req.method !== 'GET' && req.method !== 'HEAD') {
      res.writeHead(405, { Allow: 'GET, HEAD' }).end();
      return;
    }
    const target = fileFor(req.url);
    if (target === undefined) {
      res.writeHead(400).end();
      return;
    }
    const body = target && (await readFile(target.file).catch(() => null));
    if (!body) {
      res.writeHead(404).end();
      return;
    }
    res.writeHead(200, { 'Content-Type': target.type, 'Content-Length': body.length, 'Cache-Control': 'no-cache' });
    res.end(req.method === 'HEAD' ? undefined : body);
  } catch {
    if (!res.headersSent) res.writeHead(500);
    res.end();
  }
});
// A CONNECT is no request for the site either (node leaves it unanswered).
server.on('connect', (req, socket) => {
  socket.end('HTTP/1.1 405 Method Not Allowed\r\nAllow: GET, HEAD\r\nConnection: close\r\n\r\n');
});
server.on('clientError', (err, socket) => {
  if (socket.writable) socket.end('HTTP/1.1 400 Bad Request\r\nConnection: close\r\n\r\n');
});
server.on('error', (e) => stop(e.code === 'EADDRINUSE' ? `port ${portArg} is in use` : e.message));
server.listen(Number(portArg), '127.0.0.1', () => {
  console.log(`Brontix: http://127.0.0.1:${server.address().port}/`);
});
