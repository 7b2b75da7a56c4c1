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
const opening = Date.now();
await page.goto(`${address}#watch=${deflateRawSync(Buffer.from(script)).toString('base64url')}`);
await page.waitForFunction(() => document.body.dataset.watching === 'true', null, { timeout: 60000 });
const opened = Date.now() - opening;
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
console.log(`page viewer: ${last} points, opened (survey included) in ${opened} ms`);
for (const [name, from, to] of [['start to end', 0, last], ['start to middle', 0, last / 2], ['end to middle', last, last / 2]]) {
  const times = [];
  for (let i = 0; i < runs; ++i) times.push(await seek(from, Math.floor(to)));
  console.log(`page viewer seek ${name}: ${median(times).toFixed(1)} ms (median of ${runs}; goal < 150 ms)`);
}
await browser.close();
server.kill();
