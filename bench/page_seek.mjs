// SPDX-FileCopyrightText: 2026 The Brontix developers
// SPDX-License-Identifier: MIT
// Seeking in an hour of play in the page's viewer, in headless Chromium:
// the recording of the native benchmark (Demo on, then 36 times New Game,
// a launch and 6 400 ticks; 230 400 points), opened through a link. Each
// seek is a key the viewer handles at once, the picture put on the canvas
// before the handler returns. Medians of RUNS seeks.
//   node page_seek.mjs WEB_BUILD [RUNS]
import { deflateRawSync } from 'node:zlib';
import { launchChromium, serveSite } from '../tests/web/harness.mjs';

const [site, runsArg = '9'] = process.argv.slice(2);
const runs = Number(runsArg);

let script = 'clock 20261209\nmenu demo\n';
for (let game = 0; game < 36; ++game) script += 'menu new\nclick\ntick 6400\n';

const { server, address } = await serveSite(site);
const browser = await launchChromium();
const page = await browser.newPage();
// Milliseconds to open a script through a link and read it through, and
// the memory the module then holds.
async function open(script) {
  const opening = Date.now();
  await page.goto(`${address}#watch=${deflateRawSync(Buffer.from(script)).toString('base64url')}`);
  await page.waitForFunction(() => document.body.dataset.surveyed === 'true', null, { timeout: 300000 });
  return [Date.now() - opening, await page.evaluate(() => window.brontixTest.moduleBytes() / 2 ** 20)];
}
const [opened, openedMiB] = await open(script);
// Milliseconds one seek takes: from the key to the picture on the canvas.
const seek = (from, to) => page.evaluate(([from, to]) => {
  const range = document.getElementById('watch-timeline');
  const go = (point) => {
    range.value = String(point);
    range.dispatchEvent(new Event('input'));
  };
  go(from);
  const t = performance.now();
  go(to);
  return performance.now() - t;
}, [from, to]);
const last = await page.evaluate(() => Number(document.getElementById('watch-timeline').max));
const median = (v) => v.sort((a, b) => a - b)[Math.floor(v.length / 2)];
console.log(`page viewer: ${last} points, opened (survey included) in ${opened} ms, the module holding ${openedMiB.toFixed(0)} MiB`);
for (const [name, from, to] of [['start to end', 0, last], ['start to middle', 0, last / 2], ['end to middle', last, last / 2]]) {
  const times = [];
  for (let i = 0; i < runs; ++i) times.push(await seek(from, Math.floor(to)));
  console.log(`page viewer seek ${name}: ${median(times).toFixed(1)} ms (median of ${runs}; goal < 150 ms)`);
}
// The most the viewer reads through: a script that runs past its bound of
// play (a day), read up to it. (Last: a module's memory never shrinks.)
const [largest, largestMiB] = await open('clock 1\ntick 100000000\n');
const day = await page.evaluate(() => document.getElementById('watch-timeline').max);
console.log(`page viewer: ${day} points (its bound) opened in ${largest} ms, the module holding ${largestMiB.toFixed(0)} MiB`);
await browser.close();
server.kill();
