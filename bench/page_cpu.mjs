// SPDX-FileCopyrightText: 2026 The Brontix developers
// SPDX-License-Identifier: MIT
// The browser edition's share of one core in headless Chromium, all of
// Chromium's processes counted, in the states that matter for energy:
// paused, running with nothing on screen changing (a ball held on the
// paddle, the pointer still), and Demo playing. Medians of RUNS runs of
// SECONDS each, at 1, 2 and 3 device pixels a CSS pixel (the canvas has
// as many); every run plays the same game (the page's clock is fixed).
//   node page_cpu.mjs WEB_BUILD [RUNS] [SECONDS]
import { spawn } from 'node:child_process';
import { readFileSync, readdirSync } from 'node:fs';
import { join } from 'node:path';
import { createRequire } from 'node:module';

const require = createRequire(join(process.cwd(), 'tests/web/package.json'));
const { chromium } = require('playwright-core');
const [site, runsArg = '3', secondsArg = '10'] = process.argv.slice(2);
const runs = Number(runsArg), seconds = Number(secondsArg);
const sleep = (ms) => new Promise((r) => setTimeout(r, ms));

// CPU time so far, in nanoseconds, of a process and all its descendants.
function treeCpu(root) {
  const children = new Map();
  for (const pid of readdirSync('/proc').filter((d) => /^\d+$/.test(d))) {
    try {
      const ppid = readFileSync(`/proc/${pid}/stat`, 'utf8').split(') ')[1].split(' ')[1];
      if (!children.has(ppid)) children.set(ppid, []);
      children.get(ppid).push(pid);
    } catch { /* gone meanwhile */ }
  }
  let ns = 0;
  const visit = (pid) => {
    try {
      for (const t of readdirSync(`/proc/${pid}/task`)) ns += Number(readFileSync(`/proc/${pid}/task/${t}/schedstat`, 'utf8').split(' ')[0]);
    } catch { /* gone meanwhile */ }
    for (const c of children.get(pid) || []) visit(c);
  };
  visit(String(root));
  return ns;
}
async function share(pid) {
  const c0 = treeCpu(pid), t0 = process.hrtime.bigint();
  await sleep(seconds * 1000);
  const c1 = treeCpu(pid), t1 = process.hrtime.bigint();
  return (100 * (c1 - c0)) / Number(t1 - t0);
}
const median = (v) => [...v].sort((a, b) => a - b)[Math.floor((v.length - 1) / 2)];

const server = spawn('node', [join(site, 'serve.mjs'), '0']);
const address = await new Promise((resolve) => {
  server.stdout.on('data', (d) => { const m = d.toString().match(/http:\/\/\S+/); if (m) resolve(m[0]); });
});
const rows = [];
for (const deviceScaleFactor of [1, 2, 3]) {
  const results = { paused: [], held: [], demo: [] };
  for (let run = 0; run < runs; ++run) {
    const chromiumServer = await chromium.launchServer({
      executablePath: '/usr/bin/chromium',
      args: ['--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run', '--disable-background-networking',
             '--disable-component-update', '--disable-sync', '--disable-dev-shm-usage'],
    });
    const pid = chromiumServer.process().pid;
    const browser = await chromium.connect(chromiumServer.wsEndpoint());
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
    results.held.push(await share(pid));
    await page.keyboard.type('p');
    await sleep(1000);
    results.paused.push(await share(pid));
    await page.keyboard.type('p');
    await page.click('#demo');
    await page.mouse.click(box.x + 320, box.y + 300);
    await page.mouse.move(1270, 1010);
    await sleep(2000);
    results.demo.push(await share(pid));
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
