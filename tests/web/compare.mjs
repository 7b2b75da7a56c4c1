// SPDX-FileCopyrightText: 2026 The Brontix developers
// SPDX-License-Identifier: MIT
// Two games of one wall compared in Debian's headless Chromium: a link with
// &vs= shows the first game's own picture with the second's paddle and
// balls outlined where the native replay driver puts them, both scores in
// words and both sets of marks, and copies back to itself; games of two
// walls are refused; "Compare with..." and two dropped files compare too.
// A failing step leaves a screenshot.
//   node compare.mjs SITE_DIR BRONTIX_REPLAY OUTPUT_DIR
import { execFileSync } from 'node:child_process';
import { mkdirSync, rmSync } from 'node:fs';
import { join } from 'node:path';
import { deflateRawSync } from 'node:zlib';
import { canvasRgb, launchChromium, serveSite, steps } from './harness.mjs';

const [site, replayTool, out] = process.argv.slice(2);
rmSync(out, { recursive: true, force: true });
mkdirSync(out, { recursive: true });

let step = 'start', page = null, browser = null, server = null;
const { fail, pass, waitFor } = steps('compare', out, () => ({ step, page, browser, server }));
const text = (id) => page.evaluate((i) => document.getElementById(i)?.textContent ?? '', id);

// The first game starts 10 ticks before its New Game and is lost 252
// ticks after it; the second, on the same wall, is the shorter.
const FIRST = 'clock 1\ntick 10\nclock 77\nmenu new\nmove 300 400\nclick\ntick 300\n';
const SECOND = 'clock 2\nclock 77\nmenu new\nmove 420 400\nclick\ntick 150\n';
const OTHER = 'clock 2\nclock 78\nmenu new\ntick 5\n';
const data = (script) => deflateRawSync(Buffer.from(script)).toString('base64url');
const cut = (script, ticks) => script.replace(/tick (\d+)\n$/, () => `tick ${ticks}\n`);

// The native driver's frame and dump of a script.
function replayed(script) {
  const ppm = execFileSync(replayTool, ['--frame', '-'], { input: `${script}dump\n`, maxBuffer: 1 << 24 });
  const end = ppm.indexOf('\n');
  return { dump: JSON.parse(ppm.subarray(0, end).toString()), rgb: ppm.subarray(end + 1 + 'P6\n640 530\n255\n'.length) };
}
// At timeline point `t`: the first game's own picture, and every pixel
// that differs is the ghost's white or black, about one of the second
// game's figures, each of which shows.
async function inStep(t) {
  await waitFor(`not at ${t}`, 15, () => page.evaluate((p) => document.getElementById('watch-tick').value === String(p), t));
  const own = replayed(cut(FIRST, t - 10)).rgb;
  const { dump } = replayed(cut(SECOND, Math.min(t - 10, 150)));
  const figures = [dump.paddle, ...dump.balls].filter((f) => f.visible);
  const outlined = figures.map(() => 0);
  const shown = await canvasRgb(page);
  for (let i = 0; i < 640 * 530; ++i) {
    if (shown[3 * i] === own[3 * i] && shown[3 * i + 1] === own[3 * i + 1] && shown[3 * i + 2] === own[3 * i + 2]) continue;
    const v = shown.readUIntBE(3 * i, 3);
    if (v !== 0xffffff && v !== 0) await fail(`pixel ${i % 640},${Math.floor(i / 640)} is #${v.toString(16)}`);
    const x = i % 640, y = Math.floor(i / 640);
    const near = figures.findIndex((f) => x >= f.left - 2 && x <= f.left + f.width + 1 && y >= f.top - 2 && y <= f.top + f.height + 1);
    if (near < 0) await fail(`pixel ${x},${y} is no figure's outline at ${t}`);
    outlined[near] += 1;
  }
  if (outlined.some((n) => n === 0)) await fail(`a figure of the second game has no outline at ${t}: ${outlined}`);
}
const surveyed = () => waitFor('the comparison was not read through', 30, () => page.evaluate(() =>
  document.body.dataset.surveyed === 'true' && document.body.classList.contains('comparing')));

let address;
({ server, address } = await serveSite(site));
if (!address) await fail('the server did not start');
browser = await launchChromium();
const context = await browser.newContext({ viewport: { width: 1000, height: 900 } });

// --- a link with &vs=: in step, both scores, both marks, and back to itself ---
step = 'link';
const link = `${address}#watch=${data(FIRST)}&vs=${data(SECOND)}&t=110`;
page = await context.newPage();
await page.goto(link);
await surveyed();
await inStep(110);
await page.screenshot({ path: join(out, 'compare.png') });
if (await text('watch-in-force') !== 'Sticky paddle: off. Cannons: off. Paddle: 73 pixels wide. Balls: 14 pixels.') {
  await fail(`in force: "${await text('watch-in-force')}"`);
}
if (!/^This game: score \d+\. The ghost: Brontix, score \d+\.$/.test(await text('watch-compared'))) {
  await fail(`the comparison says "${await text('watch-compared')}"`);
}
const ghostMarks = await page.evaluate(() => [...document.querySelectorAll('#watch-ghost-marks .mark')].map((m) => m.title));
if (ghostMarks.join('|') !== 'ghost: New Game at 0:00 (tick 10)') await fail(`the ghost's marks: ${ghostMarks}`);
if (await page.evaluate(() => document.getElementById('watch-copy').href) !== link) await fail('Copy link is another link');
await page.keyboard.press('End');
await inStep(262);
if (!/, ended at 0:02\.$/.test(await text('watch-compared'))) await fail(`at the end: "${await text('watch-compared')}"`);
const copied = await page.evaluate(() => document.getElementById('watch-copy').href);
if (copied !== link.replace('&t=110', '&t=262')) await fail(`Copy link at the end is ${copied}`);
await page.goto('about:blank');
await page.goto(copied);
await surveyed();
await inStep(262);
pass();

// --- two walls: refused, and said ---
step = 'two-walls';
await page.goto('about:blank');
await page.goto(`${address}#watch=${data(FIRST)}&vs=${data(OTHER)}`);
const refusal = 'These recordings cannot be compared: these recordings are not on the same wall: the first is on wall 77, the second on wall 78.';
await waitFor(`not refused: "${await text('watch-said')}"`, 15, async () => (await text('watch-said')) === refusal);
if (await page.evaluate(() => document.body.classList.contains('comparing'))) await fail('compared anyway');
pass();

// --- Compare with...: a file compared with the recording open ---
step = 'file';
await page.setInputFiles('#watch-compare-file', { name: 'second.brontix', mimeType: 'text/plain', buffer: Buffer.from(SECOND) });
await surveyed();
await page.keyboard.press('Home');
await page.keyboard.press('Shift+ArrowRight');
await inStep(64);
if (!/&vs=/.test(await page.evaluate(() => location.hash))) await fail(`the address is ${await page.evaluate(() => location.hash)}`);
pass();

// --- two files dropped at once: the second compared with the first ---
step = 'drop';
await page.goto('about:blank');
await page.goto(`${address}#watch`);
await waitFor('the page is not ready', 30, () => page.evaluate(() => document.body.dataset.ready === 'true'));
await page.evaluate(([first, second]) => {
  const files = new DataTransfer();
  files.items.add(new File([first], 'first.brontix'));
  files.items.add(new File([second], 'second.brontix'));
  document.getElementById('playfield').dispatchEvent(new DragEvent('drop', { dataTransfer: files, bubbles: true, cancelable: true }));
}, [FIRST, SECOND]);
await surveyed();
await page.keyboard.press('End');
await inStep(262);
pass();

await browser.close();
server.kill();
console.log('compare: all steps passed');
