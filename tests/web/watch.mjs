// SPDX-FileCopyrightText: 2026 The Brontix developers
// SPDX-License-Identifier: MIT
// Watching a recording in Debian's headless Chromium: links made here from
// the format's definition open at their point, and every control and key
// of the viewer does what it says; the picture at each point equals the
// native replay driver's frame of the script cut there. Then the game's
// own links to its recording, and the viewer offline. A failing step
// leaves a screenshot.
//   node watch.mjs SITE_DIR BRONTIX_REPLAY OUTPUT_DIR
import { execFileSync, spawnSync } from 'node:child_process';
import { mkdirSync, readFileSync, rmSync, writeFileSync } from 'node:fs';
import { join } from 'node:path';
import { deflateRawSync, inflateRawSync } from 'node:zlib';
import { canvasRgb, launchChromium, serveSite, waitUntil } from './harness.mjs';

const [site, replayTool, out] = process.argv.slice(2);
rmSync(out, { recursive: true, force: true });
mkdirSync(out, { recursive: true });

let step = 'start', page = null, browser = null, server = null, passed = 0;
const sleep = (ms) => new Promise((r) => setTimeout(r, ms));
async function fail(why) {
  console.log(`watch: FAILED at ${step}: ${why}`);
  if (page) await page.screenshot({ path: join(out, `failed-${step}.png`) }).catch(() => {});
  console.log(`${passed} passed, 1 failed`);
  await browser?.close().catch(() => {});
  server?.kill();
  process.exit(1);
}
const pass = () => { passed += 1; console.log(`watch: ok: ${step}`); };
const waitFor = async (what, seconds, test) =>
  (await waitUntil(seconds, test, 50)) || fail(typeof what === 'function' ? await what() : what);

// A link to a script, made from the format's definition.
const link = (address, script, t) => `${address}#watch=${deflateRawSync(Buffer.from(script)).toString('base64url')}${t === undefined ? '' : `&t=${t}`}`;
// The native replay driver's frame and caption of a script.
function replayed(script) {
  const ppm = execFileSync(replayTool, ['--frame', '-'], { input: `${script}dump\n`, maxBuffer: 1 << 24 });
  const end = ppm.indexOf('\n');
  const dump = JSON.parse(ppm.subarray(0, end).toString());
  const header = end + 1 + 'P6\n640 530\n255\n'.length;
  const rgb = ppm.subarray(header);
  return { caption: dump.caption, rgb };
}
// The viewer's point; -1 while the page is still loading.
const tick = () => page.evaluate(() => Number(document.getElementById('watch-tick')?.value ?? -1));
// The viewer is at `point` and shows the frame and caption of `cut`.
async function shows(point, cut) {
  await waitFor(async () => `the viewer is at ${await tick()}, not ${point}`, 10, async () => (await tick()) === point);
  const want = replayed(cut);
  if (!(await canvasRgb(page)).equals(want.rgb)) await fail(`the picture at ${point} is not the frame of:\n${cut}`);
  const shown = await page.evaluate(() => document.getElementById('caption').textContent);
  if (shown !== want.caption) await fail(`caption ${shown}, not ${want.caption}`);
}
const ready = () => waitFor('the viewer did not open', 15, () => page.evaluate(() => document.body.dataset.watching === 'true'));
const surveyed = () => waitFor('the viewer did not read the recording through', 15, () => page.evaluate(() => document.body.dataset.surveyed === 'true'));

const DEMO = 'clock 4242\nmenu new\nmenu demo\nclick\n';
const LONG = `${DEMO}tick 6000\n`;
const cut = (n) => `${DEMO}${n ? `tick ${n}\n` : ''}`;

step = 'serve';
let address;
({ server, address } = await serveSite(site));
if (!address) await fail('the server did not start');
browser = await launchChromium();
const context = await browser.newContext({ viewport: { width: 1000, height: 900 } });
page = await context.newPage();
pass();

// --- a link opens at its point, and a changed t moves it --------------------------------
step = 'link';
await page.goto(link(address, LONG, 100));
await ready();
await shows(100, cut(100));
if (await page.evaluate(() => window.brontixTest.status !== undefined)) await fail('the viewer\'s page runs a game');
await page.evaluate(() => { location.hash = location.hash.replace(/&t=\d+$/, '&t=300'); });
await shows(300, cut(300));
await page.screenshot({ path: join(out, 'viewer.png') });
pass();

// --- what a replay proves: verified, out of sync where a check fails, or no checks ----------
step = 'checks';
const verdict = () => page.evaluate(() => document.getElementById('watch-verdict').textContent);
if (await verdict() !== 'Not verified: this recording has no checks.') await fail(`without checks: ${await verdict()}`);
const wrong = `format 1\n${DEMO}tick 500\ncheck 0000000000000000\ntick 100\n`;
const driver = spawnSync(replayTool, [], { input: wrong });
const hash = /replayed ([0-9a-f]{16})\)/.exec(driver.stderr.toString())?.[1];
if (driver.status !== 3 || !hash) await fail(`the driver on a wrong check: ${driver.status} ${driver.stderr}`);
for (const [script, says, last] of [[wrong.replace('0000000000000000', hash), /^Verified: .* score \d+ \(/, 600],
  [wrong, /^Out of sync at 0:07 \(line 7: out of sync \(recorded 0000000000000000, replayed /, 500]]) {
  await page.goto(link(address, script, 99999));
  await ready();
  await shows(last, `format 1\n${cut(last)}`);
  if (!says.test(await verdict())) await fail(`${script}: ${await verdict()}`);
}
await page.goto(link(address, LONG, 300));
await ready();
pass();

// --- a broken link says so and starts no game; a point past every end is the last ---------
step = 'malformed';
const longData = link(address, LONG).split('#watch=')[1];
for (const hash of [`#watch=${longData}&t=-5`, `#watch=${longData}&t=abc`, `#watch=${longData}=`, '#watch=A', `#watch=${longData}&x=1`]) {
  const fresh = await context.newPage();
  await fresh.goto(`${address}${hash}`);
  await waitFor(`${hash} said nothing`, 10, () => fresh.evaluate(() => document.getElementById('watch-said')?.textContent.startsWith('This link is malformed')));
  if (await fresh.evaluate(() => window.brontixTest.status !== undefined)) await fail(`${hash} started a game`);
  await fresh.close();
}
await page.goto(link(address, LONG, '18446744073709551616'));
await shows(6000, cut(6000));
pass();

// --- what a stranger may send: a bomb, an empty file, bytes the driver refuses --------------
step = 'hostile';
const said = () => page.evaluate(() => document.getElementById('watch-said').textContent);
// 20 MiB of comments from a link of a few kB: read up to the limit, no further.
const bomb = `${DEMO}tick 64\n${'#\n'.repeat(10 << 20)}`;
await page.goto(link(address, bomb, 64));
await shows(64, cut(64));
if (!(await said()).startsWith('This recording is longer than the viewer takes (16 MiB)')) await fail(`a bomb: ${await said()}`);
const dropped = (bytes) => page.evaluate((b) => {
  const transfer = new DataTransfer();
  transfer.items.add(new File([new Uint8Array(b)], 'dropped.brontix'));
  document.body.dispatchEvent(new DragEvent('drop', { dataTransfer: transfer, bubbles: true }));
}, [...bytes]);
await dropped([]);
await waitFor(async () => `an empty file: ${await said()}`, 10, async () => (await said()) === 'This recording is empty.');
for (const bytes of [Buffer.from('\uFEFFclock 1\n'), Buffer.from([0x6b, 0x65, 0x79, 0x20, 0xff, 0x0a])]) {
  const driverSays = spawnSync(replayTool, [], { input: bytes, encoding: 'utf8' }).stderr.replace('brontix-replay: ', '').trim();
  await dropped(bytes);
  await waitFor(async () => `${driverSays}: ${await said()}`, 10, async () => (await said()) === `This recording cannot be watched: ${driverSays}.`);
}
// Forty lines of a few characters each that would run for days: the page
// reads them through a slice at a time, answering meanwhile, and Cancel
// keeps what it has read.
await page.goto(link(address, `clock 1\nmenu new\n${'tick 100000000\n'.repeat(40)}`));
await waitFor(async () => `no progress: ${await said()}`, 10, async () => (await said()).startsWith('Reading the recording through: '));
await page.click('#watch-stop');
await waitFor(async () => `after Cancel: ${await said()}`, 10, async () => /^Watched up to [\d:]+: the viewer stopped at the player's word\.$/.test(await said()));
if (Number(await page.evaluate(() => document.getElementById('watch-timeline').max)) === 0) await fail('nothing was read before Cancel');
// The module, given 64 MiB at most here, runs out of memory on a few kB of
// link that hold 16 MiB of clicks: the viewer says so, as natively.
const small = await browser.newContext({ serviceWorkers: 'block' });
const starved = await small.newPage();
await starved.route('**/brontix.wasm', (r) => r.fulfill({ body: readFileSync(join(site, 'brontix-web-small.wasm')), contentType: 'application/wasm' }));
await starved.goto(link(address, 'click\n'.repeat(Math.floor((16 << 20) / 6))));
const starvedSays = () => starved.evaluate(() => document.getElementById('watch-said')?.textContent);
await waitFor(async () => `memory ran out: ${await starvedSays()}`, 20,
  async () => (await starvedSays()) === 'This recording cannot be watched: the viewer ran out of memory.');
await small.close();
await page.goto(link(address, LONG, 300));
await shows(300, cut(300));
pass();

// --- keys, buttons and the timeline ----------------------------------------------------------
step = 'keys';
for (const [key, point] of [['Home', 0], ['End', 6000], ['ArrowLeft', 5999], ['Shift+ArrowLeft', 5935],
  ['ArrowRight', 5936], ['Shift+ArrowRight', 6000], ['Home', 0], ['ArrowRight', 1]]) {
  await page.keyboard.press(key);
  await shows(point, cut(point));
}
for (const [button, point] of [['#watch-on-second', 65], ['#watch-on', 66], ['#watch-back', 65],
  ['#watch-back-second', 1], ['#watch-end', 6000], ['#watch-start', 0]]) {
  await page.click(button);
  await shows(point, cut(point));
}
await page.evaluate(() => {
  const range = document.getElementById('watch-timeline');
  range.value = '4321';
  range.dispatchEvent(new Event('input'));
});
await shows(4321, cut(4321));
pass();

// --- play at each speed: the point moves at that rate, and Space pauses -------------------------
step = 'play';
for (const [speed, rate] of [[0, 16], [1, 32], [2, 64], [3, 128], [4, 256], [5, 512]]) {
  await page.keyboard.press('Home');
  await page.selectOption('#watch-speed', String(speed));
  await page.keyboard.press(' ');
  const sample = () => page.evaluate(() => [performance.now(), Number(document.getElementById('watch-tick').value)]);
  await waitFor('playing did not start', 5, async () => (await tick()) > 0);
  const [t0, p0] = await sample();
  await sleep(1500);
  const [t1, p1] = await sample();
  const measured = (p1 - p0) / ((t1 - t0) / 1000);
  if (Math.abs(measured - rate) > rate * 0.1 + 3) await fail(`at speed ${speed} the point moved ${measured.toFixed(1)} a second, not ${rate}`);
  await page.keyboard.press(' ');
  const paused = await tick();
  await sleep(300);
  if ((await tick()) !== paused) await fail('Space did not pause');
}
await page.selectOption('#watch-speed', '2');
// Hidden, the viewer pauses.
await page.keyboard.press(' ');
await waitFor('playing did not start', 5, () => page.evaluate(() => document.getElementById('watch-play').textContent === '⏸'));
await page.evaluate(() => {
  Object.defineProperty(document, 'visibilityState', { value: 'hidden', configurable: true });
  document.dispatchEvent(new Event('visibilitychange'));
});
await waitFor('hiding the page did not pause the viewer', 5, () => page.evaluate(() => document.getElementById('watch-play').textContent === '▶'));
await page.evaluate(() => {
  Object.defineProperty(document, 'visibilityState', { value: 'visible', configurable: true });
  document.dispatchEvent(new Event('visibilitychange'));
});
pass();

// --- a clip: a WebM of the asked stretch that a video element plays -------------------------------
step = 'clip';
await page.keyboard.press('End');
await page.fill('#clip-from', '1000');
await page.fill('#clip-to', '1128');  // two seconds
await page.click('#clip-save');
await waitFor('no clip was made', 30, () => page.evaluate(() => !document.getElementById('clip-download').hidden));
const clip = await page.evaluate(async () => {
  const href = document.getElementById('clip-download').href;
  const bytes = new Uint8Array(await (await fetch(href)).arrayBuffer());
  const video = document.createElement('video');
  video.muted = true;
  video.src = href;
  await new Promise((resolve, reject) => { video.onloadedmetadata = resolve; video.onerror = () => reject(video.error); });
  const declared = video.duration;
  video.currentTime = 0;
  await video.play();
  return { magic: [...bytes.subarray(0, 4)], duration: declared, size: bytes.length };
});
if (clip.magic.join() !== '26,69,223,163') await fail(`the clip is no WebM: ${clip.magic}`);
// The browser's recorder films in real time: the first and last pictures
// stand a moment while its encoder starts and catches up, and the whole
// stretch is in it however busy the machine. Its file says how long it is
// (a live WebM does not: its duration reads as infinite). On a busy machine
// the encoder may stand seconds longer at either end; the recording itself
// lasts a minute and a half.
if (!(clip.duration >= 2 && clip.duration < 8)) await fail(`the clip lasts ${clip.duration} s, not 2`);
console.log(`watch: a clip of two seconds lasts ${clip.duration.toFixed(2)} s`);
if ((await tick()) !== 1128) await fail(`after the clip the viewer is at ${await tick()}, not its end`);
// The clip was of that recording: another one opened takes its link away.
await page.goto(link(address, cut(50), 50));
await shows(50, cut(50));
if (await page.evaluate(() => !document.getElementById('clip-download').hidden)) await fail('the clip stays with another recording');
pass();

// --- marks, the box over the picture, and a broken script ---------------------------------------
step = 'marks';
const LOST = 'clock 7\nrandom 0.5\nmenu new\ntick 30\nkey 112\ntick 5\nkey 112\ntick 3\nclick\ntick 900\n';
page = await context.newPage();  // a page of its own: one already watching would only change its hash
await page.goto(link(address, LOST));
await ready();
await surveyed();
const marks = await page.evaluate(() => [...document.querySelectorAll('#watch-marks .mark')]
  .map((m) => [m.classList[1], m.dataset.point ? Number(m.dataset.point) : m.textContent]));
const last = await page.evaluate(() => Number(document.getElementById('watch-timeline').max));
// The ball lost a tick before "You lose!" is in one group with it, which
// says how many it holds and opens as a list of both.
if (JSON.stringify(marks) !== JSON.stringify([['new-game', 0], ['pause', 30], ['group', '2']])) await fail(`marks ${JSON.stringify(marks)}`);
await page.click('#watch-marks .pause');
await shows(30, 'clock 7\nrandom 0.5\nmenu new\ntick 30\n');
await page.click('#watch-marks .group');
const listed = await page.evaluate(() => [...document.querySelectorAll('#watch-group .mark')].map((m) => m.textContent));
if (JSON.stringify(listed) !== JSON.stringify([`ball lost at 0:02 (tick ${last - 1})`, `You lose! at 0:02 (tick ${last})`])) await fail(`the group lists ${JSON.stringify(listed)}`);
await page.click('#watch-group .lost');
await waitFor('no box over the picture at the loss', 5, () => page.evaluate(() =>
  !document.getElementById('watch-box').hidden && document.getElementById('watch-box').textContent === 'You lose!'));
await page.screenshot({ path: join(out, 'lost.png') });
await page.keyboard.press('ArrowLeft');
await waitFor('the box stays up a tick before the loss', 5, () => page.evaluate(() => document.getElementById('watch-box').hidden));
const broken = 'clock 1\nfly away\n';
const why = spawnSync(replayTool, [], { input: broken, encoding: 'utf8' }).stderr.replace('brontix-replay: ', '').trim();
await page.goto(link(address, broken));
await waitFor(async () => `the page says ${await page.evaluate(() => document.getElementById('watch-said').textContent)}`, 10,
  () => page.evaluate((why) => document.getElementById('watch-said').textContent.includes(why), why));
pass();

// --- Copy link, a dropped file, and the manifest's file handler ---------------------------------
step = 'copy-and-drop';
await page.goto(link(address, LONG, 777));
await shows(777, cut(777));
const copied = await page.evaluate(() => document.getElementById('watch-copy').href);
const data = new URL(copied).hash.match(/^#watch=([A-Za-z0-9_-]+)&t=777$/);
if (!data || inflateRawSync(Buffer.from(data[1], 'base64url')).toString() !== LONG) await fail(`copied link ${copied}`);
page = await context.newPage();
await page.goto(copied);
await shows(777, cut(777));
await page.evaluate((script) => {
  const transfer = new DataTransfer();
  transfer.items.add(new File([script], 'dropped.brontix', { type: 'application/x-brontix-recording' }));
  document.body.dispatchEvent(new DragEvent('drop', { dataTransfer: transfer, bubbles: true }));
}, cut(50));
await shows(0, cut(0));
await page.keyboard.press('End');
await shows(50, cut(50));
// The address is the dropped recording's now: a reload shows it.
const dropped50 = await page.evaluate(() => location.hash);
if (inflateRawSync(Buffer.from(dropped50.slice(7), 'base64url')).toString() !== cut(50)) await fail(`the address after a drop: ${dropped50}`);
// Keys typed into a field are the field's.
await page.click('#clip-from');
await page.keyboard.press('Home');
await page.keyboard.type('12');
await shows(50, cut(50));
// A recording too long for a chat's link: the link says how long, the
// file is offered, and the address holds no other recording.
let moves = DEMO;
for (let i = 0; i < 12000; ++i) moves += `move ${(i * 7919) % 640}.${(i * 31) % 997} ${(i * 104729) % 530}.${(i * 17) % 89}\ntick 1\n`;
await page.evaluate((script) => {
  const transfer = new DataTransfer();
  transfer.items.add(new File([script], 'moves.brontix'));
  document.body.dispatchEvent(new DragEvent('drop', { dataTransfer: transfer, bubbles: true }));
}, moves);
const movesLast = String(JSON.parse(spawnSync(replayTool, [], { input: `${moves}dump\n` }).stdout).tick);
await waitFor('the long recording did not open', 10, () => page.evaluate((last) => document.getElementById('watch-timeline').max === last, movesLast));
if ((await page.evaluate(() => location.hash)) !== '#watch') await fail(`the address after a long drop: ${await page.evaluate(() => location.hash.slice(0, 40))}`);
await page.click('#watch-copy');
await waitFor(async () => `copying a long link said: ${await said()}`, 5, async () => / It is \d+ characters long, and chat programs cut links past about 2000: share the recording's file instead/.test(await said()));
const saved = await page.evaluate(async () => (await fetch(document.getElementById('watch-save').href)).text());
if (saved !== moves) await fail('Save the recording does not hold the recording');
const manifest = await (await fetch(`${address}manifest.webmanifest`)).json();
const handler = (manifest.file_handlers || []).find((h) => (h.accept['application/x-brontix-recording'] || []).includes('.brontix'));
if (!handler) await fail('the manifest declares no handler of .brontix files');
pass();

// --- the game's page: its recording downloaded and watched ------------------------------------------
step = 'watch-this-visit';
page = await context.newPage();
await page.goto(`${address}?clock=5`);
await waitFor('the game did not start', 15, () => page.evaluate(() => document.body.dataset.ready === 'true'));
await page.click('#new-game');
await page.click('#demo');
await waitFor('no ticks ran', 10, async () => (await page.evaluate(() => window.brontixTest.status().ticks)) > 200);
const download = await page.evaluate(() => [document.getElementById('recording').href, document.getElementById('recording').download]);
if (!download[0].startsWith('blob:') || !/^brontix-\d{8}-\d{6}\.brontix$/.test(download[1])) await fail(`download link ${download}`);
const fromLink = (href) => inflateRawSync(Buffer.from(new URL(href).hash.slice('#watch='.length), 'base64url')).toString();
const ticksIn = (script) => script.split('\n').filter((l) => l.startsWith('tick'))
  .reduce((sum, l) => sum + Number(l.split(' ')[1] ?? 1), 0);
const ticksNow = () => page.evaluate(() => window.brontixTest.status().ticks);
// While the game runs, the link is never more than 64 ticks behind it.
for (let i = 0; i < 5; ++i) {
  const [ticks, href] = await page.evaluate(() => [window.brontixTest.status().ticks, document.getElementById('watch-visit').href]);
  if (ticksIn(fromLink(href)) < ticks - 64) await fail(`the link has ${ticksIn(fromLink(href))} ticks of ${ticks}`);
  await page.waitForTimeout(170);
}
const before = await ticksNow();
const [popup] = await Promise.all([context.waitForEvent('page'), page.click('#watch-visit')]);
await popup.waitForURL(/#watch=/);
const after = await ticksNow();
const recording = await page.evaluate(() => window.brontixTest.recording());
const visit = fromLink(popup.url());
// The game plays on after the click: its recording only grows.
if (!visit.includes('\nmenu demo\n') || !recording.startsWith(visit)) await fail('the visit\'s link does not hold its recording');
// It holds every tick up to the click.
if (ticksIn(visit) < before || ticksIn(visit) > after) await fail(`the visit's link has ${ticksIn(visit)} ticks, clicked between ${before} and ${after}`);
page = popup;
await ready();
await page.keyboard.press('End');
const end = await page.evaluate(() => Number(document.getElementById('watch-timeline').max));
await shows(end, visit);
pass();

// --- offline, the viewer works as the game does -------------------------------------------------
step = 'offline';
await waitFor('no service worker took the page', 15,
  () => page.evaluate(() => navigator.serviceWorker.ready.then(() => navigator.serviceWorker.controller !== null)).catch(() => false) ||
    page.reload().then(() => false));
await context.setOffline(true);
await page.goto(link(address, LONG, 64));
await ready();
await shows(64, cut(64));
await context.setOffline(false);
pass();

writeFileSync(join(out, 'links.txt'), `${copied}\n`);
await browser.close();
server.kill();
console.log(`${passed} passed, 0 failed`);
