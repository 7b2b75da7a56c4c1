// SPDX-FileCopyrightText: 2026 The Brontix developers
// SPDX-License-Identifier: MIT
// A race through its links in Debian's headless Chromium: a link that names
// no wall starts nothing; a race link deals the wall the native replay
// driver deals for its clock; the race's end offers its result, whose link
// the viewer shows verified as a race on that wall, and out of sync once a
// move in it is changed by hand. A failing step leaves a screenshot.
//   node race.mjs SITE_DIR BRONTIX_REPLAY OUTPUT_DIR
import { execFileSync } from 'node:child_process';
import { mkdirSync, rmSync } from 'node:fs';
import { join } from 'node:path';
import { launchChromium, serveSite, steps } from './harness.mjs';

const [site, replayTool, out] = process.argv.slice(2);
const WALL = '18446744073709551557';
rmSync(out, { recursive: true, force: true });
mkdirSync(out, { recursive: true });

let step = 'start', page = null, browser = null, server = null;
const { fail, pass, waitFor } = steps('race', out, () => ({ step, page, browser, server }));
const text = (id) => page.evaluate((i) => document.getElementById(i).textContent, id);
const shown = (id) => page.evaluate((i) => !document.getElementById(i).hidden, id);
const ready = () => waitFor('the page is not ready', 30, () => page.evaluate(() => document.body.dataset.ready === 'true'));
// The canvas's rows [0, rows) as RGB bytes, and the native driver's frame
// of a script, the same rows.
const canvasRows = async (rows) => Buffer.from(await page.evaluate((h) => {
  const d = document.getElementById('playfield').getContext('2d').getImageData(0, 0, 640, h).data;
  const rgb = [];
  for (let i = 0; i < d.length; i += 4) rgb.push(d[i], d[i + 1], d[i + 2]);
  return rgb;
}, rows));
const replayedRows = (script, rows) =>
  execFileSync(replayTool, ['--frame', '-'], { input: script, maxBuffer: 1 << 24 })
    .subarray('P6\n640 530\n255\n'.length).subarray(0, 640 * 3 * rows);

let address;
({ server, address } = await serveSite(site));
if (!address) await fail('the server did not start');
browser = await launchChromium();
const context = await browser.newContext({ viewport: { width: 1000, height: 900 } });
await context.grantPermissions(['clipboard-read', 'clipboard-write'], { origin: address });

// --- a race link that names no wall: said, and no game ---------------------------------------
step = 'refused';
for (const bad of ['18446744073709551616', '12x', '', '-1', '%31']) {
  page = await context.newPage();
  await page.goto(`${address}#race=${bad}`);
  await waitFor(`#race=${bad} is not refused`, 30, () => page.evaluate(() => document.body.dataset.failed === 'true'));
  if (!/^The game could not start: this race link names no wall/.test(await text('failure-why'))) await fail(await text('failure-why'));
  if (await page.evaluate(() => window.brontixTest.status !== undefined)) await fail(`#race=${bad} started a game`);
  await page.close();
}
pass();

// --- the race's wall: New Game once, on the wall the driver deals for it ----------------------
step = 'wall';
page = await context.newPage();
await page.goto(`${address}?clock=7#race=${WALL}`);
await ready();
const recording = () => page.evaluate(() => window.brontixTest.recording());
const begun = (await recording()).split('\n').slice(1, 5).join(' ');
if (begun !== `format 1 clock 7 clock ${WALL} menu new`) await fail(`the recording begins ${begun}`);
if (await text('race-said') !== `race on wall ${WALL}`) await fail(`the page says "${await text('race-said')}"`);
await page.keyboard.press('p');
await waitFor('no pause', 10, async () => (await text('caption')) === 'Brontix [Paused]');
// The wall, above the paddle: what the driver deals for that clock.
if (!(await canvasRows(400)).equals(replayedRows(`clock 1\nclock ${WALL}\nmenu new\n`, 400))) await fail('another wall');
if (await page.evaluate(() => document.getElementById('race-this-link').href) !== `${address}#race=${WALL}`) {
  await fail(`"Race this wall" is ${await page.evaluate(() => document.getElementById('race-this-link').href)}`);
}
await page.screenshot({ path: join(out, 'race.png') });
// The capsules' panel beside the game opens from the keyboard, a colour's
// swatch, name and effect a line.
await page.focus('#capsules summary');
await page.keyboard.press('Enter');
await waitFor('the capsules\' panel did not open', 10, () => page.evaluate(() => document.getElementById('capsules').open));
const capsules = await page.evaluate(() => [...document.querySelectorAll('#capsule-list li')]
  .map((li) => `${li.querySelector('.swatch').style.background} ${li.textContent}`));
if (capsules.length !== 10 || capsules[9] !== 'rgb(0, 0, 255) light blue smaller balls: makes every ball 4 pixels smaller, never below 6') {
  await fail(`the capsules' panel lists ${capsules.length}: ${capsules.join(' / ')}`);
}
await page.screenshot({ path: join(out, 'capsules.png') });
await page.keyboard.press('Enter');
pass();

// --- the race lost: its result, and its links -----------------------------------------------
step = 'result';
await page.keyboard.press('p');
const field = await page.locator('#playfield').boundingBox();
await page.mouse.move(field.x + field.width / 2, field.y + field.height * 0.6);
await page.mouse.down();
await page.mouse.up();
await page.mouse.move(field.x + field.width * 0.95, field.y + field.height * 0.6);
await waitFor('the race did not end', 120, () => shown('race-over'));
const said = await text('race-said');
const result = new RegExp(`^race on wall ${WALL}: You lose!, score (-?\\d+), play time 0:\\d\\d$`).exec(said);
if (!result) await fail(`the result says "${said}"`);
await waitFor('no box', 10, () => page.evaluate(() => document.getElementById('box').open));
if (await text('box-text') !== 'You lose!') await fail(`the box says ${await text('box-text')}`);
await page.click('#box-ok');
await page.click('#race-copy');
await waitFor('the race link was not copied', 10, async () => (await text('race-copied')) === 'Copied.');
const clipboard = () => page.evaluate(() => navigator.clipboard.readText());
if (await clipboard() !== `${address}#race=${WALL}`) await fail(`copied ${await clipboard()}`);
await page.evaluate(() => { document.getElementById('race-copied').textContent = ''; });
await page.click('#race-result');
await waitFor('the result was not copied', 10, async () => (await text('race-copied')) === 'Copied.');
const resultLink = await clipboard();
if (resultLink !== await page.evaluate(() => window.brontixTest.raceResult())) await fail('the copied result is not the race\'s');
await page.screenshot({ path: join(out, 'result.png') });
pass();

// --- the result watched: verified, a race on its wall, with its score; edited, out of sync ------
step = 'watched';
const verdictOf = async (link) => {
  const viewer = await context.newPage();
  await viewer.goto(link);
  const verdict = () => viewer.evaluate(() => document.getElementById('watch-verdict')?.textContent ?? '');
  await waitFor('no verdict', 60, async () => /^A race on wall \d+\. (Verified|Out of sync)/.test(await verdict()));
  const v = await verdict();
  await viewer.close();
  return v;
};
const verified = await verdictOf(resultLink);
if (!verified.startsWith(`A race on wall ${WALL}. Verified: replays to its end on this version of the game, score ${result[1]} (`)) {
  await fail(verified);
}
const script = await page.evaluate(() => window.brontixTest.recording());
const moves = script.split('\n');
const at = moves.findIndex((line) => line.startsWith('move '));
moves[at] = 'move 100 300';
const edited = await page.evaluate((s) => window.brontixTest.watchLink(s), moves.join('\n'));
const outOfSync = await verdictOf(edited);
if (!outOfSync.startsWith(`A race on wall ${WALL}. Out of sync at `)) await fail(outOfSync);
pass();

await browser.close();
server.kill();
console.log('race: all steps passed');
