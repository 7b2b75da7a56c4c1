// SPDX-FileCopyrightText: 2026 The Brontix developers
// SPDX-License-Identifier: MIT
// What the page's tests and benchmarks share: the site served on a free
// port of localhost, and Debian's Chromium, headless, without a GPU.
import { spawn } from 'node:child_process';
import { join } from 'node:path';
import { chromium } from 'playwright-core';

// The dev server of a web build, and the address it serves on (null when
// it did not start within ten seconds).
export async function serveSite(site) {
  const server = spawn('node', [join(site, 'serve.mjs'), '0']);
  const address = await new Promise((resolve) => {
    server.stdout.on('data', (d) => { const m = d.toString().match(/http:\/\/\S+/); if (m) resolve(m[0]); });
    setTimeout(() => resolve(null), 10000);
  });
  return { server, address };
}

// What `test` resolves to once it is something, tried every `every` ms;
// null after `seconds`.
export async function waitUntil(seconds, test, every = 100) {
  const deadline = Date.now() + seconds * 1000;
  for (;;) {
    const v = await test();
    if (v) return v;
    if (Date.now() > deadline) return null;
    await new Promise((r) => setTimeout(r, every));
  }
}

// How the tests and benchmarks start it; a benchmark launches it as a
// server of its own, to count its processes.
export const chromiumOptions = {
  executablePath: '/usr/bin/chromium',
  args: ['--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run', '--disable-background-networking',
         '--disable-component-update', '--disable-sync', '--disable-dev-shm-usage'],
};
export const launchChromium = () => chromium.launch(chromiumOptions);
// Playwright's Chromium, for what the above does not cover.
export const playwright = chromium;

// The page's 640 x 530 canvas as RGB bytes, as a PPM's pixels are.
export async function canvasRgb(page) {
  const rgba = Buffer.from(await page.evaluate(() => {
    const d = document.getElementById('playfield').getContext('2d').getImageData(0, 0, 640, 530).data;
    let s = '';
    for (let i = 0; i < d.length; i += 0x8000) s += String.fromCharCode(...d.subarray(i, i + 0x8000));
    return btoa(s);
  }), 'base64');
  const rgb = Buffer.alloc(640 * 530 * 3);
  for (let i = 0; i < 640 * 530; ++i) rgba.copy(rgb, 3 * i, 4 * i, 4 * i + 3);
  return rgb;
}

// A test's steps, named `name` in what it prints: fail(why) says which step
// failed, leaves a screenshot of the page in `out` and ends the run,
// closing the browser and the server; pass() says the step passed;
// waitFor(what, seconds, test) fails with `what` when `test` never holds.
// `now` gives the test's step, page, browser and server as they stand.
//   const { fail, pass, waitFor } = steps('race', out, () => ({ step, page, browser, server }));
export function steps(name, out, now) {
  const fail = async (why) => {
    const { step, page, browser, server } = now();
    console.log(`${name}: FAILED at ${step}: ${why}`);
    if (page) await page.screenshot({ path: join(out, `failed-${step}.png`) }).catch(() => {});
    await browser?.close().catch(() => {});
    server?.kill();
    process.exit(1);
  };
  const pass = () => console.log(`${name}: ok: ${now().step}`);
  const waitFor = async (what, seconds, test) => (await waitUntil(seconds, test, 50)) || fail(what);
  return { fail, pass, waitFor };
}
