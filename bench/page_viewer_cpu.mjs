// SPDX-FileCopyrightText: 2026 The Brontix developers
// SPDX-License-Identifier: MIT
// The page's viewer of recordings playing at the game's own speed, beside
// the page's game playing Demo, in headless Chromium, all of Chromium's
// processes counted: PAIRS pairs of SECONDS each, back to back, medians.
// The viewer plays the recording of that very Demo game (the page's clock
// is fixed, so every run deals the same walls).
//   node page_viewer_cpu.mjs WEB_BUILD [PAIRS] [SECONDS]
import { chromium, median, serveSite, share, sleep } from './page_share.mjs';

const [site, pairsArg = '3', secondsArg = '10'] = process.argv.slice(2);
const pairs = Number(pairsArg), seconds = Number(secondsArg);
const { server, address } = await serveSite(site);

// A fresh Chromium at `url`, the page ready and its service worker too
// (whose first fetch of the site is not the page's cost).
async function visit(url) {
  const chrome = await chromium();
  const page = await chrome.browser.newPage({ viewport: { width: 1280, height: 1024 } });
  await page.goto(url);
  await page.waitForFunction(() => document.body.dataset.ready === 'true');
  await page.evaluate(() => navigator.serviceWorker.ready);
  return { ...chrome, page };
}
async function close({ browser, chromiumServer }) {
  await browser.close();
  await chromiumServer.close();
}
async function demo() {
  const v = await visit(`${address}?clock=20261209`);
  const box = await v.page.evaluate(() => document.getElementById('playfield').getBoundingClientRect().toJSON());
  await v.page.click('#new-game');
  await v.page.click('#demo');
  await v.page.mouse.click(box.x + 320, box.y + 300);
  await v.page.mouse.move(1270, 1010);
  return v;
}

// The recording, long enough for every pair's viewer to play it at 1x.
const recorded = await demo();
await sleep((seconds + 10) * 1000);
const link = await recorded.page.evaluate(() => window.brontixTest.watchLink(window.brontixTest.recording()));
await close(recorded);

const game = [], viewer = [];
for (let pair = 0; pair < pairs; ++pair) {
  const g = await demo();
  await sleep(2000);
  game.push(await share(g.pid, seconds));
  await close(g);
  const v = await visit(link);
  await v.page.waitForFunction(() => document.body.dataset.watching === 'true');
  await v.page.click('#watch-play');
  await v.page.mouse.move(1270, 1010);
  await sleep(1000);
  if (await v.page.evaluate(() => document.getElementById('watch-play').getAttribute('aria-label')) !== 'Pause') {
    throw new Error('the viewer does not play');
  }
  viewer.push(await share(v.pid, seconds));
  await close(v);
}
server.kill();

const g = median(game), v = median(viewer);
console.log(`\nThe page's viewer at 1x beside its game in Demo, headless Chromium, all its processes: % of one core, median of ${pairs} pairs of ${seconds} s`);
console.log(`${'state'.padEnd(58)} ${'CPU %'.padStart(8)} ${'goal'.padStart(8)}`);
console.log(`${'the game, Demo playing'.padEnd(58)} ${g.toFixed(3).padStart(8)}`);
console.log(`${'the viewer, playing its recording at 1x'.padEnd(58)} ${v.toFixed(3).padStart(8)} ${`< ${Math.max(1.5 * g, g + 0.5).toFixed(3)}`.padStart(8)}`);
