// SPDX-FileCopyrightText: 2026 The Brontix developers
// SPDX-License-Identifier: MIT
// The browser edition's share of one core in headless Chromium, all of
// Chromium's processes counted, in the states that matter for energy:
// paused, running with nothing on screen changing (a ball held on the
// paddle, the pointer still), and Demo playing. Medians of RUNS runs of
// SECONDS each, at 1, 2 and 3 device pixels a CSS pixel (the canvas has
// as many); every run plays the same game (the page's clock is fixed).
//   node page_cpu.mjs WEB_BUILD [RUNS] [SECONDS]
import { chromium, median, serveSite, share, sleep } from './page_share.mjs';

const [site, runsArg = '3', secondsArg = '10'] = process.argv.slice(2);
const runs = Number(runsArg), seconds = Number(secondsArg);

const { server, address } = await serveSite(site);
const rows = [];
for (const deviceScaleFactor of [1, 2, 3]) {
  const results = { paused: [], held: [], demo: [] };
  for (let run = 0; run < runs; ++run) {
    const { chromiumServer, pid, browser } = await chromium();
    const page = await browser.newPage({ viewport: { width: 1280, height: 1024 }, deviceScaleFactor });
    await page.goto(`${address}?clock=20261209`);
    await page.waitForFunction(() => document.body.dataset.ready === 'true');
    // A first visit installs the service worker, which fetches the whole site
    // again; that is not the game's cost, so the measuring starts after it.
    await page.evaluate(() => navigator.serviceWorker.ready);
    const box = await page.evaluate(() => document.getElementById('playfield').getBoundingClientRect().toJSON());
    await page.click('#new-game');
    await page.mouse.move(box.x + 320, box.y + 300);
    await sleep(2000);
    results.held.push(await share(pid, seconds));
    await page.keyboard.type('p');
    await sleep(1000);
    results.paused.push(await share(pid, seconds));
    await page.keyboard.type('p');
    await page.click('#demo');
    await page.mouse.click(box.x + 320, box.y + 300);
    await page.mouse.move(1270, 1010);
    await sleep(2000);
    results.demo.push(await share(pid, seconds));
    await browser.close();
    await chromiumServer.close();
  }
  const scaled = (state) => `${state}, scale ${deviceScaleFactor}`;
  rows.push([scaled('paused (p)'), results.paused, ''], [scaled('running, nothing changes'), results.held, '< 2'],
    [scaled('Demo playing'), results.demo, '< 7']);
}
server.kill();

console.log(`\nThe browser edition in headless Chromium, all its processes: % of one core, median of ${runs} runs of ${seconds} s`);
console.log(`${'state (the goals hold at scale 1)'.padEnd(58)} ${'CPU %'.padStart(8)} ${'goal'.padStart(8)}`);
for (const [state, values, goal] of rows) console.log(`${state.padEnd(58)} ${median(values).toFixed(3).padStart(8)} ${goal.padStart(8)}`);
