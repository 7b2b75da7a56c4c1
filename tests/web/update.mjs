// SPDX-FileCopyrightText: 2026 The Brontix developers
// SPDX-License-Identifier: MIT
// A new build reaches a returning player, once, whatever the server says of
// its files' freshness: on the dev server (no-cache) and on Python's
// http.server (Last-Modified only, which lets the browser's HTTP cache keep
// them). Visit, make a new build, reload once: the page is wholly one
// build, and if it is the old one it offers the new; reloading on the offer
// shows the new build, wholly.
//   node update.mjs WEB_BUILD_DIR OUTPUT_DIR
import { spawn, execFileSync } from 'node:child_process';
import { appendFileSync, cpSync, mkdirSync, readdirSync, rmSync, utimesSync } from 'node:fs';
import { join } from 'node:path';
import { launchChromium, waitUntil } from './harness.mjs';

const [build, out] = process.argv.slice(2);
rmSync(out, { recursive: true, force: true });
mkdirSync(out, { recursive: true });

let step = 'start', page = null, browser = null, server = null, passed = 0;
async function fail(why) {
  console.log(`update: FAILED at ${step}: ${why}`);
  if (page) await page.screenshot({ path: join(out, `failed-${step}.png`) }).catch(() => {});
  await browser?.close().catch(() => {});
  server?.kill();
  process.exit(1);
}
const pass = () => { passed += 1; console.log(`update: ok: ${step}`); };
const waitFor = async (what, seconds, test) =>
  (await waitUntil(seconds, () => test().catch(() => false))) || fail(typeof what === 'function' ? await what() : what);

// The build of every file of the page (its scripts but the worker, the
// markup, the style, the module), or a failure when they differ or one is
// not told.
const pageFiles = readdirSync(join(build, 'site')).filter((f) => /\.(js|html|css|wasm)$/.test(f) && f !== 'sw.js').sort().join(' ');
async function oneBuild(where) {
  const stamps = await page.evaluate(() => window.brontixTest.build());
  const builds = new Set(Object.values(stamps));
  if (Object.keys(stamps).sort().join(' ') !== pageFiles || builds.size !== 1) await fail(`${where}: ${JSON.stringify(stamps)}`);
  return [...builds][0];
}
const ready = () => waitFor('the page did not start', 20, () => page.evaluate(() => document.body.dataset.ready === 'true'));
const offered = () => page.evaluate(() => !document.getElementById('update').hidden);

const servers = {
  'serve.mjs': (dir) => spawn('node', [join(build, 'serve.mjs'), '0', dir]),
  'http.server': (dir) => spawn('python3', ['-u', '-m', 'http.server', '0', '--bind', '127.0.0.1', '--directory', dir]),
};
browser = await launchChromium();
for (const [name, start] of Object.entries(servers)) {
  step = name;
  const live = join(out, name, 'live'), next = join(out, name, 'next-in');
  cpSync(join(build, 'site'), live, { recursive: true });
  server = start(live);
  const address = await new Promise((resolve) => {
    const seen = (d) => { const m = d.toString().match(/http:\/\/[\d.]+:(\d+)/); if (m) resolve(`http://127.0.0.1:${m[1]}/`); };
    server.stdout.on('data', seen);
    server.stderr.on('data', seen);
    setTimeout(() => resolve(null), 10000);
  });
  if (!address) await fail('the server did not start');
  const context = await browser.newContext();
  page = await context.newPage();
  await page.goto(address);
  await ready();
  const first = await oneBuild('the first visit');
  await waitFor('no service worker took the page', 20,
    () => page.evaluate(() => navigator.serviceWorker.ready.then(() => navigator.serviceWorker.controller !== null)) ||
      page.reload().then(() => false));
  if (await offered()) await fail('a new version offered on the first visit');

  // A new build: one file changed, the site stamped anew where it is served.
  cpSync(join(build, 'site-in'), next, { recursive: true });
  appendFileSync(join(next, 'brontix.css'), '\n/* the next build */\n');
  execFileSync('sh', [join(build, 'stamp-site'), next, live]);
  // Deployed later than the first visit, as a real deployment is: a file
  // rewritten within the second it was first served keeps its
  // Last-Modified, and a server that answers If-Modified-Since (Python's)
  // says 304, so the browser would see no new worker at all.
  const later = new Date(Date.now() + 2000);
  const touch = (dir) => {
    for (const e of readdirSync(dir, { withFileTypes: true })) {
      if (e.isDirectory()) touch(join(dir, e.name));
      else utimesSync(join(dir, e.name), later, later);
    }
  };
  touch(live);
  await page.reload();
  await ready();
  const shown = await oneBuild('after one reload');
  if (shown === first) {
    await waitFor('the old build does not offer the new one', 20, offered);
    const text = await page.evaluate(() => document.getElementById('update').textContent);
    if (text !== 'A new version is ready: reload') await fail(`the offer says "${text}"`);
    await page.screenshot({ path: join(out, `${name}-offer.png`) });
    await Promise.all([page.waitForNavigation(), page.click('#update-reload')]);
    await ready();
  }
  const last = await oneBuild('after the offer');
  if (last === first) await fail('still the old build');
  if (await offered()) await fail('the new build offers itself');
  await page.screenshot({ path: join(out, `${name}.png`) });
  await context.close();
  server.kill();
  server = null;
  pass();
}
await browser.close();
console.log(`${passed} passed, 0 failed`);
