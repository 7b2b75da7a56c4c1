// Serves the browser edition's files on localhost.
//   node serve.mjs [PORT]      (0, the default, picks a free port)
import { createServer } from 'node:http';
import { readFile } from 'node:fs/promises';
import { dirname, join } from 'node:path';
import { fileURLToPath } from 'node:url';

const here = dirname(fileURLToPath(import.meta.url));
const types = {
  '/': 'text/html', '/index.html': 'text/html', '/brontix.css': 'text/css',
  '/brontix.js': 'text/javascript', '/wasi.js': 'text/javascript',
  '/brontix.wasm': 'application/wasm', '/brontix.svg': 'image/svg+xml',
};
const server = createServer(async (req, res) => {
  const path = new URL(req.url, 'http://localhost').pathname;
  if (!types[path]) {
    res.writeHead(404).end();
    return;
  }
  try {
    const body = await readFile(join(here, path === '/' ? 'index.html' : path));
    res.writeHead(200, { 'Content-Type': types[path], 'Cache-Control': 'no-cache' }).end(body);
  } catch {
    res.writeHead(404).end();
  }
});
server.listen(Number(process.argv[2] || 0), '127.0.0.1', () => {
  console.log(`Brontix: http://127.0.0.1:${server.address().port}/`);
});
