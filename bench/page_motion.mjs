// SPDX-FileCopyrightText: 2026 The Brontix developers
// SPDX-License-Identifier: MIT
// Motion in the page: during 10 s of Demo, how many animation frames show
// no new tick and how many jump two or more, at 1, 2 and 3 device pixels a
// CSS pixel (the canvas has as many). At 64 ticks a second on a 60 Hz
// screen the floor is none frozen and about 4 jumps a second.
//   node page_motion.mjs WEB_BUILD [SECONDS]
import { launchChromium, serveSite } from '../tests/web/harness.mjs';

const [site, secondsArg = '10'] = process.argv.slice(2);
const seconds = Number(secondsArg);

const { server, address } = await serveSite(site);
if (!address) throw new Error('the server did not start');
const browser = await launchChromium();
console.log(`\nMotion in the page, headless Chromium, ${seconds} s of Demo`);
console.log(`${'scale'.padEnd(8)} ${'frames'.padStart(8)} ${'no tick'.padStart(8)} ${'2+ ticks'.padStart(9)} ${'ticks'.padStart(7)}`);
for (const deviceScaleFactor of [1, 2, 3]) {
  const page = await browser.newPage({ viewport: { width: 1280, height: 1024 }, deviceScaleFactor });
  await page.goto(`${address}?clock=20261209`);
  await page.waitForFunction(() => document.body.dataset.ready === 'true');
  await page.click('#demo');
  // The ticks each animation frame shows: those run before it.
  const counts = await page.evaluate((ms) => new Promise((resolve) => {
    const seen = [];
    let last = window.brontixTest.status().ticks;
    const end = performance.now() + ms;
    const frame = (t) => {
      const ticks = window.brontixTest.status().ticks;
      seen.push(ticks - last);
      last = ticks;
      if (t < end) requestAnimationFrame(frame);
      else resolve(seen);
    };
    requestAnimationFrame(frame);
  }), seconds * 1000);
  const frozen = counts.filter((n) => n === 0).length, jumps = counts.filter((n) => n >= 2).length;
  const ticks = counts.reduce((a, b) => a + b, 0);
  console.log(`${String(deviceScaleFactor).padEnd(8)} ${String(counts.length).padStart(8)} ${String(frozen).padStart(8)} ${String(jumps).padStart(9)} ${String(ticks).padStart(7)}`);
  await page.close();
}
await browser.close();
server.kill();
