// SPDX-FileCopyrightText: 2026 The Brontix developers
// SPDX-License-Identifier: MIT
// The browser edition in Debian's headless Chromium, driven as a player
// would: keys, pointer, clicks, the menu; read through the canvas, the
// caption and the page's status. At the start and at pauses the canvas must
// equal, pixel for pixel, the frame the native replay driver draws from the
// page's own recording. A failing step leaves a screenshot.
//   node browser.mjs SITE_DIR BRONTIX_REPLAY OUTPUT_DIR
import { spawnSync, execFileSync } from 'node:child_process';
import { mkdirSync, readFileSync, rmSync, writeFileSync } from 'node:fs';
import { connect } from 'node:net';
import { join } from 'node:path';
import { launchChromium, serveSite, waitUntil } from './harness.mjs';

const [site, replayTool, out] = process.argv.slice(2);
const CLOCK = '20261208';
rmSync(out, { recursive: true, force: true });
mkdirSync(out, { recursive: true });

let step = 'start', page = null, browser = null, server = null;
const errors = [];
const sleep = (ms) => new Promise((r) => setTimeout(r, ms));
async function fail(why) {
  console.log(`web: FAILED at ${step}: ${why}`);
  if (page) await page.screenshot({ path: join(out, `failed-${step}.png`) }).catch(() => {});
  console.log(`web: screenshot ${join(out, `failed-${step}.png`)}`);
  console.log('0 passed, 1 failed');
  await browser?.close().catch(() => {});
  server?.kill();
  process.exit(1);
}
let passed = 0;
const pass = () => { passed += 1; console.log(`web: ok: ${step}`); };
const waitFor = async (what, seconds, test) => (await waitUntil(seconds, test)) || fail(what);

// The page's pieces, read in one go so that no tick comes between.
const status = () => page.evaluate(() => window.brontixTest.status());
const caption = () => page.evaluate(() => [document.getElementById('caption').textContent, document.title]);
// Canvas pixels as bytes R, G, B, A, carried as base64 (an array of numbers
// would take seconds to cross over).
// The canvas's pixels over a rectangle of the playfield: the canvas has the
// screen's pixels, canvasScale() of them across a playfield pixel.
const canvasScale = () => page.evaluate(() => document.getElementById('playfield').width / 640);
const pixels = async (x, y, w, h) => Buffer.from(await page.evaluate(([x, y, w, h]) => {
  const c = document.getElementById('playfield'), at = (v) => Math.round((v * c.width) / 640);
  const data = c.getContext('2d').getImageData(at(x), at(y), Math.max(1, at(x + w) - at(x)), Math.max(1, at(y + h) - at(y))).data;
  let text = '';
  for (let i = 0; i < data.length; i += 0x8000) text += String.fromCharCode(...data.subarray(i, i + 0x8000));
  return btoa(text);
}, [x, y, w, h]), 'base64');
const score = async () => Number(((await caption())[0].match(/^Brontix \| (-?\d+)/) || [0, 0])[1]);
// The centre of the paddle's light grey fill on row 448.
async function paddleCentre() {
  const s = await canvasScale(), row = await pixels(0, 448, 640, 1), n = Math.round(640 * s);
  let best = -1, from = 0, start = -1;
  for (let x = 0; x <= n; ++x) {
    const grey = x < n && row[4 * x] === 0xC0 && row[4 * x + 1] === 0xC0 && row[4 * x + 2] === 0xC0;
    if (grey && start < 0) start = x;
    if (!grey && start >= 0) {
      if (x - start > best) { best = x - start; from = start; }
      start = -1;
    }
  }
  return (from + (best - 1) / 2) / s;
}
// Alt+N as a keyboard sends it: the key with its character, so that the
// page's access key fires (a synthesized key without text would not).
async function accessKeyN() {
  const cdp = await page.context().newCDPSession(page);
  const key = (type, modifiers, extra) => cdp.send('Input.dispatchKeyEvent', { type, modifiers, ...extra });
  await key('rawKeyDown', 1, { key: 'Alt', code: 'AltLeft', windowsVirtualKeyCode: 18 });
  await key('keyDown', 1, { key: 'n', code: 'KeyN', text: 'n', unmodifiedText: 'n', windowsVirtualKeyCode: 78 });
  await key('keyUp', 1, { key: 'n', code: 'KeyN', windowsVirtualKeyCode: 78 });
  await key('keyUp', 0, { key: 'Alt', code: 'AltLeft', windowsVirtualKeyCode: 18 });
  await cdp.detach();
}
// The frame `brontix-replay --frame - --scale S` draws for a script, as
// canvas bytes.
function replayedFrame(script, scale = 1) {
  const ppm = execFileSync(replayTool, ['--frame', '-', '--scale', String(scale)], { input: script, maxBuffer: 1 << 26 });
  const [, w, h] = ppm.toString('latin1', 0, 32).match(/^P6\n(\d+) (\d+)\n255\n/).map(Number);
  const header = `P6\n${w} ${h}\n255\n`.length;
  const rgba = Buffer.alloc(w * h * 4);
  for (let i = 0; i < w * h; ++i) {
    ppm.copy(rgba, 4 * i, header + 3 * i, header + 3 * i + 3);
    rgba[4 * i + 3] = 255;
  }
  return rgba;
}
// The canvas against the page's recording as it stands.
async function sameAsReplay() {
  const recording = await page.evaluate(() => window.brontixTest.recording());
  const canvas = await pixels(0, 0, 640, 530);
  const n = differing(canvas, replayedFrame(recording, await canvasScale()));
  if (n !== 0) await fail(`${n} pixels of the canvas differ from the frame its recording replays to`);
}
const differing = (a, b) => { let n = 0; for (let i = 0; i < a.length; i += 4) if (a[i] !== b[i] || a[i + 1] !== b[i + 1] || a[i + 2] !== b[i + 2]) ++n; return n; };

// --- the page, served on localhost --------------------------------------------
step = 'serve';
let address;
({ server, address } = await serveSite(site));
if (!address) await fail('the server did not start');
pass();

// --- the dev server answers anything and goes on ---------------------------------
step = 'server';
const { port } = new URL(address);
// The status line of a raw request, however malformed.
const ask = (request) => new Promise((resolve) => {
  const socket = connect(Number(port), '127.0.0.1', () => socket.write(request));
  let reply = '';
  socket.on('data', (d) => { reply += d; });
  socket.on('close', () => resolve(reply.split('\r\n')[0]));
  socket.on('error', () => resolve('no answer'));
  setTimeout(() => socket.destroy(), 3000);
});
for (const [request, status] of [
  ['GET // HTTP/1.1\r\nHost: x\r\nConnection: close\r\n\r\n', 400],
  ['GET /%E0%A4%A HTTP/1.1\r\nHost: x\r\nConnection: close\r\n\r\n', 400],
  ['POST / HTTP/1.1\r\nHost: x\r\nContent-Length: 0\r\nConnection: close\r\n\r\n', 405],
  ['CONNECT example.org:443 HTTP/1.1\r\nHost: example.org:443\r\n\r\n', 405],
  ['GET /../../etc/passwd HTTP/1.1\r\nHost: x\r\nConnection: close\r\n\r\n', 404],
  ['GET /brontix.wasm HTTP/1.1\r\nHost: x\r\nConnection: close\r\n\r\n', 200],
]) {
  const line = await ask(request);
  if (!line.startsWith(`HTTP/1.1 ${status}`)) await fail(`${request.split('\r')[0]} got ${line}, not ${status}`);
}
const wasm = await fetch(`${address}brontix.wasm`);
if (wasm.headers.get('content-type') !== 'application/wasm') await fail(`brontix.wasm served as ${wasm.headers.get('content-type')}`);
for (const [arg, why] of [['abc', 'not a port number'], [port, 'is in use']]) {
  const r = spawnSync('node', [join(site, 'serve.mjs'), arg], { encoding: 'utf8', timeout: 10000 });
  if (r.status !== 1 || !r.stderr.includes(why) || r.stderr.trim().split('\n').length !== 1) {
    await fail(`serve.mjs ${arg}: status ${r.status}, ${r.stderr}`);
  }
}
pass();

step = 'load';
browser = await launchChromium();
page = await browser.newPage({ viewport: { width: 1280, height: 1024 } });
page.on('console', (m) => { if (m.type() === 'error') errors.push(m.text()); });
page.on('pageerror', (e) => errors.push(e.message));
// The game's wake-ups wait until the first frame has been read.
await page.addInitScript(() => {
  const queued = [];
  const real = window.setTimeout.bind(window);
  let held = true;
  window.setTimeout = (f, ms, ...args) => (held ? (queued.push([f, ms, args]), 0) : real(f, ms, ...args));
  window.releaseWakeUps = () => { held = false; for (const [f, ms, args] of queued.splice(0)) real(f, ms, ...args); };
});
await page.goto(`${address}?clock=${CLOCK}`);
await waitFor('the page did not start', 15, () => page.evaluate(() => document.body.dataset.ready === 'true'));
const [title, docTitle] = await caption();
if (title !== 'Brontix' || docTitle !== 'Brontix') await fail(`caption ${title} / ${docTitle}`);
const box = await page.evaluate(() => document.getElementById('playfield').getBoundingClientRect().toJSON());
if (box.width !== 640 || box.height !== 530) await fail(`canvas ${box.width} x ${box.height} CSS pixels`);
pass();

step = 'first-frame';
if ((await status()).ticks !== 0) await fail('ticks ran before the first frame was read');
const canvas = await pixels(0, 0, 640, 530);
const native = replayedFrame(`clock ${CLOCK}\n`);
if (!canvas.equals(native)) await fail(`${differing(canvas, native)} pixels differ from the native frame`);
const begun = await page.evaluate(() => window.brontixTest.recording());
if (!/^# Brontix \d+\.\d+\.\d+ recording, begun \d{4}-\d\d-\d\dT\d\d:\d\d:\d\dZ\n/.test(begun)
    || !begun.endsWith(`\nclock ${CLOCK}\n`)) await fail(`the recording does not start with its heading and the clock: ${begun}`);
await page.evaluate(() => window.releaseWakeUps());
await waitFor('no tick ran', 5, async () => (await status()).ticks > 5);
pass();

// --- New Game by its access key, the paddle under the pointer, the launch ----
step = 'new-game';
// Start-up fills brick 259 with RGB(255, 1, 0); New Game tints it anew.
const brick259 = async () => (await pixels(608, 312, 1, 1)).slice(0, 3).join(',');
if (await brick259() !== '255,1,0') await fail(`brick 259 is ${await brick259()} before New Game`);
await accessKeyN();
await waitFor('Alt+N dealt no new wall', 5, async () => (await brick259()) !== '255,1,0');
pass();

step = 'paddle';
const at = (x, y) => ({ x: box.x + x, y: box.y + y });
for (const x of [200, 420]) {
  await page.mouse.move(at(x, 300).x, at(x, 300).y);
  await waitFor(`paddle centre at ${await paddleCentre()}, not under the pointer at ${x}`, 5,
    async () => Math.abs((await paddleCentre()) - x) <= 1.5);
}
// A flick past the right edge: the last move inside is at 520, and the game
// gets one more where the path crossed the edge, recorded like any move.
await page.mouse.move(at(520, 300).x, at(520, 300).y);
await page.mouse.move(at(720, 340).x, at(720, 340).y);
const flicked = () => page.evaluate(() => window.brontixTest.recording().split('\n').filter((l) => l.startsWith('move')).slice(-2).join(', '));
const flickDeadline = Date.now() + 5000;
while ((await flicked()) !== 'move 520 300, move 639 323.8' && Date.now() < flickDeadline) await sleep(100);
if ((await flicked()) !== 'move 520 300, move 639 323.8') await fail(`the flick ended the recording with ${await flicked()}`);
await page.mouse.move(at(420, 300).x, at(420, 300).y);
pass();

// --- a hidden page pauses the game as p would ---------------------------------------------------------------
step = 'hidden';
const setVisibility = (state) => page.evaluate((state) => {
  Object.defineProperty(document, 'visibilityState', { value: state, configurable: true });
  document.dispatchEvent(new Event('visibilitychange'));
}, state);
await setVisibility('hidden');
await waitFor('hiding the page did not pause the game', 5, async () => !(await status()).timer);
const keysSent = await page.evaluate(() => window.brontixTest.recording().split('\n').filter((l) => l.startsWith('key')));
if (keysSent.join() !== 'key 112') await fail(`the pause was recorded as ${keysSent}`);
await setVisibility('visible');
await page.keyboard.type('p');
await waitFor('p did not resume', 5, async () => (await status()).timer);
pass();

// --- pause, with the ball on the paddle ---------------------------------------------------------------------
step = 'pause';
await page.keyboard.type('p');
await waitFor(`caption ${(await caption())[0]}`, 5, async () => (await caption()).every((c) => c === 'Brontix [Paused]'));
const paused1 = await pixels(0, 0, 640, 530), ticks1 = (await status()).ticks;
await sleep(500);
if (differing(paused1, await pixels(0, 0, 640, 530)) !== 0 || (await status()).ticks !== ticks1) await fail('the picture moved while paused');
await sameAsReplay();
await page.keyboard.type('P');  // only the lower-case p pauses
if ((await status()).timer) await fail('P resumed the game');
await page.keyboard.type('p');
await waitFor(`resume caption ${(await caption())[0]}`, 5, async () => /^Brontix \| -?\d+$/.test((await caption())[0]));
pass();

step = 'launch';
const ballArea = () => pixels(0, 330, 640, 120);
const beforeClick = await ballArea();
await page.mouse.down();
await page.mouse.up();
await waitFor('nothing moved after the click', 5, async () => differing(beforeClick, await ballArea()) > 20);
await page.keyboard.type('p');  // paused, so that this ball cannot end the game meanwhile
pass();

// --- Demo for ten seconds --------------------------------------------------------
step = 'demo';
await page.click('#demo');
await accessKeyN();
await page.mouse.move(at(320, 300).x, at(320, 300).y);
await page.mouse.down();
await page.mouse.up();
await page.mouse.move(1270, 1010);  // the pointer leaves the playfield alone
const startScore = await score(), startTicks = (await status()).ticks;
await sleep(10000);
const endScore = await score(), s10 = await status();
console.log(`web: demo: score ${startScore} -> ${endScore}, ${s10.ticks - startTicks} ticks in 10 s`);
if (s10.box) await fail('a box opened during the demo');
if (!(endScore > startScore)) await fail(`the score did not rise: ${startScore} then ${endScore}`);
pass();

// --- a lost game: the box is modal and no tick runs while it is open ---------------
step = 'lose';
await page.click('#demo');  // the autopilot off
await accessKeyN();
await page.mouse.move(at(320, 300).x, at(320, 300).y);
await page.mouse.down();
await page.mouse.up();
await page.mouse.move(at(2, 300).x, at(2, 300).y);  // the paddle away from the ball
await waitFor('no box in 60 s', 60, async () => (await status()).box);
const text = await page.evaluate(() => document.getElementById('box-text').textContent);
if (text !== 'You lose!') await fail(`the box says ${text}`);
const frozen = await status(), frozenPixels = await pixels(0, 0, 640, 530), frozenCaption = (await caption())[0];
const frozenRecording = await page.evaluate(() => window.brontixTest.recording());
await page.keyboard.type('p');
// A click on the playfield beside the box (over the bricks: the box sits
// in the middle of the page, wherever the game is laid out).
await page.mouse.click(at(320, 40).x, at(320, 40).y);
await page.click('#new-game', { force: true, timeout: 1000 }).catch(() => {});
await sleep(1000);
const during = await status();
if (during.ticks !== frozen.ticks || !during.box) await fail('a tick ran while the box was open');
if (differing(frozenPixels, await pixels(0, 0, 640, 530)) !== 0) await fail('the board changed under the box');
if ((await caption())[0] !== frozenCaption) await fail('the page reacted under the box');
if (await page.evaluate(() => window.brontixTest.recording()) !== frozenRecording) await fail('an event under the box was recorded');
await page.screenshot({ path: join(out, 'lose.png') });
await page.click('#box-ok');
await waitFor('the box did not close', 5, async () => !(await status()).box);
if ((await status()).timer) await fail('the timer runs after the lost game');
await sameAsReplay();
// Kept for the record of real games the golden replays hold.
const lostRecording = await page.evaluate(() => window.brontixTest.recording());
writeFileSync(join(out, 'recording.txt'), lostRecording);
// The page checked the game's state as it ended, as the native driver
// replays it.
const verified = spawnSync(replayTool, ['--verify'], { input: lostRecording, encoding: 'utf8' });
if (verified.status !== 0 || !/^verified: [1-9]\d* checks, \d+ ticks, score \d+, won 0, lost 1\n$/.test(verified.stdout)) {
  await fail(`the page's recording does not verify: ${verified.stdout}${verified.stderr}`);
}
pass();

// --- full screen -----------------------------------------------------------------------
step = 'fullscreen';
await page.click('#full-screen');
await sleep(1000);
const geometry = await page.evaluate(() => ({
  backdrop: document.getElementById('backdrop').getBoundingClientRect().toJSON(),
  hidden: document.getElementById('backdrop').hidden,
  game: document.getElementById('game').getBoundingClientRect().toJSON(),
  visible: getComputedStyle(document.getElementById('game')).visibility,
}));
const { backdrop: b, game: g } = geometry;
if (geometry.hidden || b.width < 1270 || b.height < 1000) await fail(`backdrop ${JSON.stringify(b)}`);
if (geometry.visible !== 'visible') await fail('the game is hidden');
if (Math.abs(g.x + g.width / 2 - (b.x + b.width / 2)) > 1 || Math.abs(g.y + g.height / 2 - (b.y + b.height / 2)) > 1) {
  await fail(`game ${JSON.stringify(g)} not centred on ${JSON.stringify(b)}`);
}
await page.screenshot({ path: join(out, 'fullscreen.png') });
const corner = await page.evaluate(() => getComputedStyle(document.getElementById('backdrop')).backgroundColor);
if (corner !== 'rgb(0, 0, 0)') await fail(`the backdrop is ${corner}`);
// A resize under the backdrop centres the game again, and the player did
// nothing that the recording should hold.
const commands = async () => (await page.evaluate(() => window.brontixTest.recording())).match(/^menu .*$/gm).length;
const commandsBefore = await commands();
await page.setViewportSize({ width: 1100, height: 900 });
await waitFor('the game was not centred again after a resize', 5, () => page.evaluate(() => {
  const r = document.getElementById('game').getBoundingClientRect();
  return Math.abs(r.x + r.width / 2 - innerWidth / 2) <= 1 && Math.abs(r.y + r.height / 2 - innerHeight / 2) <= 1;
}));
if ((await commands()) !== commandsBefore) await fail('a resize under the backdrop was recorded as a menu command');
await page.setViewportSize({ width: 1280, height: 1024 });
// Escape leaves the backdrop, and is not the game's; the close button is
// tried below.
await page.keyboard.press('Escape');
await waitFor('Escape left the backdrop up', 5, () => page.evaluate(() => document.getElementById('backdrop').hidden));
if (/^key 27$/m.test(await page.evaluate(() => window.brontixTest.recording()))) await fail('Escape reached the game');
await page.click('#full-screen');
pass();

// --- the keyboard on the menu bar ----------------------------------------------------
step = 'menu-keys';
await page.click('#backdrop-close');
await page.focus('#new-game');
await page.keyboard.press('ArrowRight');
if (await page.evaluate(() => document.activeElement.id) !== 'demo') await fail('ArrowRight did not reach Demo');
await page.keyboard.press('ArrowLeft');
if ((await status()).timer) await fail('the lost game runs');
await page.keyboard.press('Space');
await waitFor('Space on New Game started no game', 5, async () => (await status()).timer);
pass();

// --- scaled to the screen: one canvas pixel a device pixel, at every fit ------
// The screen, device pixel for device pixel, against the canvas, and the
// canvas against the frame its recording replays to at the canvas's scale.
async function exactOnScreen(label) {
  // Laid out and painted since the last resize.
  await page.evaluate(() => new Promise((r) => requestAnimationFrame(() => requestAnimationFrame(r))));
  const c = await page.evaluate(() => {
    const e = document.getElementById('playfield');
    return { r: e.getBoundingClientRect().toJSON(), w: e.width, h: e.height, dpr: devicePixelRatio };
  });
  const device = (v) => v * c.dpr, whole = (v) => Math.abs(device(v) - Math.round(device(v))) < 0.01;
  if (Math.abs(device(c.r.width) - c.w) > 0.01 || Math.abs(device(c.r.height) - c.h) > 0.01 || !whole(c.r.x) || !whole(c.r.y)) {
    await fail(`${label}: the canvas of ${c.w} x ${c.h} covers ${device(c.r.width)} x ${device(c.r.height)} device pixels at ${device(c.r.x)}, ${device(c.r.y)}`);
  }
  const shot = await page.screenshot({ type: 'png' });
  const screen = Buffer.from(await page.evaluate(async (png) => {
    const img = await createImageBitmap(await (await fetch(`data:image/png;base64,${png}`)).blob());
    const g = new OffscreenCanvas(img.width, img.height).getContext('2d');
    g.drawImage(img, 0, 0);
    const d = g.getImageData(0, 0, img.width, img.height).data;
    let text = String.fromCharCode(img.width >> 8, img.width & 255);
    for (let i = 0; i < d.length; i += 0x8000) text += String.fromCharCode(...d.subarray(i, i + 0x8000));
    return btoa(text);
  }, shot.toString('base64')), 'base64');
  const shotWidth = screen[0] * 256 + screen[1], left = Math.round(device(c.r.x)), top = Math.round(device(c.r.y));
  const canvas = await pixels(0, 0, 640, 530);
  let n = 0;
  for (let y = 0; y < c.h; ++y)
    for (let x = 0; x < c.w; ++x) {
      const a = 2 + 4 * ((top + y) * shotWidth + left + x), b = 4 * (y * c.w + x);
      if (screen[a] !== canvas[b] || screen[a + 1] !== canvas[b + 1] || screen[a + 2] !== canvas[b + 2]) ++n;
    }
  if (n) await fail(`${label}: ${n} device pixels differ from the canvas`);
  await sameAsReplay();
}
step = 'scaled';
await page.keyboard.type('p');
// By whole numbers where there is room, down to fit a small screen.
for (const [width, height, k] of [[1280, 800, 1], [1600, 1300, 2], [560, 600, null]]) {
  await page.setViewportSize({ width, height });
  await waitFor(`at ${width} x ${height} the window is not scaled by ${k ?? 'less than 1'}`, 5, async () => {
    const { scale } = await status();
    if (!(await page.evaluate(([w, h]) => innerWidth === w && innerHeight === h, [width, height]))) return false;
    return (k ? scale === k : scale < 1) && (await canvasScale()) === Math.round(640 * scale) / 640;
  });
  await exactOnScreen(`at ${width} x ${height}`);
}
await page.screenshot({ path: join(out, 'desktop-scaled.png') });
// A laptop at 150 %: a window scaled by 1 is 960 device pixels across.
const laptop = await browser.newContext({ viewport: { width: 1280, height: 800 }, deviceScaleFactor: 1.5 });
const desktopPage = page;
page = await laptop.newPage();
await page.goto(`${address}?clock=${CLOCK}`);
await waitFor('the page did not start at 150 %', 15, () => page.evaluate(() => document.body.dataset.ready === 'true'));
await page.click('#new-game');
await page.mouse.move(400, 400);
await page.keyboard.type('p');  // the recording is whole once paused
await waitFor('the canvas is not 960 pixels across at 150 %, or the game runs', 5,
  async () => (await canvasScale()) === 1.5 && !(await status()).timer);
await exactOnScreen('at 150 %');
await page.screenshot({ path: join(out, 'desktop-150.png') });
await laptop.close();
page = desktopPage;
pass();

step = 'console';
if (errors.length) await fail(`console errors: ${errors.join(' | ')}`);
pass();

// --- a phone, played with a finger ---------------------------------------------------
step = 'phone';
// Upright and sideways, laid out for a thumb: commands a finger can hit,
// the playfield as large as the screen, nothing to scroll, and a finger
// anywhere on or beneath the playfield steering and tapping.
for (const [width, height] of [[390, 844], [844, 390]]) {
  const upright = height > width, where = `at ${width} x ${height}`;
  const phone = await browser.newContext({ viewport: { width, height }, deviceScaleFactor: 3, isMobile: true, hasTouch: true });
  page = await phone.newPage();
  await page.goto(`${address}?clock=${CLOCK}`);
  await waitFor('the page did not start', 15, () => page.evaluate(() => document.body.dataset.ready === 'true'));
  const layout = () => page.evaluate(() => {
    const rect = (id) => document.getElementById(id).getBoundingClientRect().toJSON();
    const e = document.scrollingElement;
    return {
      field: rect('playfield'), game: rect('game'), menu: ['new-game', 'demo', 'full-screen'].map(rect),
      bar: document.querySelector('#backdrop .caption').getBoundingClientRect().bottom,
      scrolls: e.scrollWidth > innerWidth || e.scrollHeight > innerHeight,
    };
  });
  // Pixel for pixel at the phone's 3 device pixels a CSS pixel too.
  await page.keyboard.type('p');
  await waitFor(`${where} p did not pause`, 5, async () => !(await status()).timer);
  await exactOnScreen(where);
  await page.keyboard.type('p');
  const look = await layout(), { field, menu } = look;
  if (look.scrolls) await fail(`${where} the page scrolls`);
  if (menu.some((m) => m.width < 44 || m.height < 44)) await fail(`${where} the menu commands are ${JSON.stringify(menu)}`);
  if (upright ? Math.abs(field.width - width) > 1 : Math.abs(field.height - height) > 1) {
    await fail(`${where} the playfield is ${field.width} x ${field.height}`);
  }
  const cdp = await page.context().newCDPSession(page);
  const touch = (type, points) => cdp.send('Input.dispatchTouchEvent', { type, touchPoints: points });
  const tap = (point) => page.touchscreen.tap(point.x, point.y);
  const recorded = (line) => page.evaluate((l) => window.brontixTest.recording().split('\n').filter((x) => x === l).length, line);
  await tap({ x: menu[0].x + menu[0].width / 2, y: menu[0].y + menu[0].height / 2 });
  await waitFor(`${where} a tap on New Game started no game`, 5, async () => (await recorded('menu new')) === 1);
  const lit = await page.evaluate(() => getComputedStyle(document.getElementById('new-game')).backgroundColor);
  if (lit !== 'rgba(0, 0, 0, 0)') await fail(`${where} the tapped command stays lit (${lit})`);
  // A tap at the foot of a command is the command's, never the playfield's.
  await tap({ x: menu[1].x + menu[1].width / 2, y: menu[1].y + menu[1].height - 3 });
  await waitFor(`${where} a tap on Demo did nothing`, 5, async () => (await recorded('menu demo')) === 1);
  await tap({ x: menu[1].x + menu[1].width / 2, y: menu[1].y + menu[1].height - 3 });
  await waitFor(`${where} a second tap on Demo did nothing`, 5, async () => (await recorded('menu demo')) === 2);
  if ((await recorded('click')) !== 0) await fail(`${where} a tap on the menu reached the playfield`);
  // The finger's x is the playfield's; upright it is well beneath the
  // playfield, sideways on its lowest rows, off the paddle.
  const y = upright ? field.y + field.height + 120 : field.y + field.height - 4;
  const onField = (x) => ({ x: field.x + (x * field.width) / 640, y });
  for (const x of [150, 480]) {
    const from = onField(320), to = onField(x);
    await touch('touchStart', [from]);
    for (let i = 1; i <= 8; ++i) await touch('touchMove', [{ x: from.x + ((to.x - from.x) * i) / 8, y }]);
    await touch('touchEnd', []);
    await waitFor(`${where} the paddle centre is at ${await paddleCentre()}, not under the finger at ${x}`, 5,
      async () => Math.abs((await paddleCentre()) - x) <= 1.5);
  }
  const held = await pixels(0, 330, 640, 120);
  await tap(onField(480));
  await waitFor(`${where} a tap did not launch the ball`, 5, async () => differing(held, await pixels(0, 330, 640, 120)) > 20);
  await page.screenshot({ path: join(out, `phone-${upright ? 'upright' : 'sideways'}.png`) });

  // Full Screen fills the screen with the window, on black, below the
  // backdrop's bar. (Paused first: on a slow machine the launched ball
  // could be lost meanwhile, and the game's box would take the taps.)
  await page.keyboard.type('p');
  await waitFor(`${where} p did not pause`, 5, async () => !(await status()).timer);
  await page.tap('#full-screen');
  await waitFor(`${where} Full Screen did not fill the screen`, 5, async () => {
    const l = await layout();
    return !(await page.evaluate(() => document.getElementById('backdrop').hidden)) && l.game.top >= l.bar - 0.5 &&
      l.game.bottom <= height + 0.5 && (upright ? Math.abs(l.field.width - width) <= 1 : Math.abs(l.field.height - (height - l.bar)) <= 1);
  });
  await page.screenshot({ path: join(out, `phone-${upright ? 'upright' : 'sideways'}-fullscreen.png`) });
  await page.tap('#backdrop-close');

  // The box's OK is on the screen and big enough for a thumb.
  await page.evaluate(() => document.getElementById('box').showModal());
  const ok = await page.evaluate(() => document.getElementById('box-ok').getBoundingClientRect().toJSON());
  if (ok.width < 44 || ok.height < 44 || ok.left < 0 || ok.top < 0 || ok.right > width || ok.bottom > height) {
    await fail(`${where} the box's OK is ${JSON.stringify(ok)}`);
  }
  await page.tap('#box-ok');
  await waitFor(`${where} OK did not close the box`, 5, () => page.evaluate(() => !document.getElementById('box').open));
  await phone.close();
}
pass();

// --- installed, and offline on the second visit -------------------------------------------
step = 'offline';
const visit = await browser.newContext({ viewport: { width: 800, height: 600 } });
page = await visit.newPage();
await page.goto(`${address}?clock=${CLOCK}`);
await waitFor('the page did not start', 15, () => page.evaluate(() => document.body.dataset.ready === 'true'));
const manifest = await (await fetch(`${address}manifest.webmanifest`)).json();
if (!manifest.icons.some((i) => i.sizes === '512x512') || !manifest.start_url || !manifest.display) await fail('manifest');
await waitFor('no service worker took the page', 15,
  () => page.evaluate(() => navigator.serviceWorker.ready.then(() => navigator.serviceWorker.controller !== null)).catch(() => false) ||
    page.reload().then(() => false));
await visit.setOffline(true);
await page.reload();
await waitFor('the page did not start offline', 15, () => page.evaluate(() => document.body.dataset.ready === 'true'));
await page.click('#new-game');
const ticks0 = (await status()).ticks;
await waitFor('no tick ran offline', 5, async () => (await status()).ticks > ticks0 + 10);
await page.screenshot({ path: join(out, 'offline.png') });
await visit.setOffline(false);
pass();

// --- a visit whose recording nears what a link or the viewer takes ----------------------------
// Moves at the page's own pace (each a call into the game, recorded),
// paused so no tick runs between: before the recording reaches 16 MiB, the
// page says the rest will not fit.
step = 'full';
await page.keyboard.type('p');
const fullSays = () => page.evaluate(() => { const f = document.getElementById('visit-full'); return f.hidden ? '' : f.textContent; });
if (await fullSays()) await fail('a short visit is said to be full');
const size = await page.evaluate(() => {
  const canvas = document.getElementById('playfield'), r = canvas.getBoundingClientRect();
  const full = document.getElementById('visit-full');
  for (let i = 0; full.hidden && window.brontixTest.recording().length < 16 << 20; ++i) {
    canvas.dispatchEvent(new MouseEvent('mousemove', { clientX: r.left + 1 + (i % 600) * 0.5, clientY: r.top + 100 }));
  }
  return window.brontixTest.recording().length;
});
const fullSaid = await fullSays();
if (!fullSaid.includes('nearly 16 MiB: what comes after will not fit a link or the viewer') || size < 0.9 * (16 << 20) || size >= 16 << 20) {
  await fail(`at ${size} bytes the page says: ${fullSaid}`);
}
pass();

// --- opened from disk, it says what to do ---------------------------------------------------
step = 'from-disk';
page = await visit.newPage();
await page.goto(`file://${join(site, 'site', 'index.html')}`);
const said = await page.evaluate(() => (document.getElementById('failure').hidden ? 'nothing'
  : document.getElementById('failure').textContent));
if (!said.includes('opened from a file') || !said.includes('make web-run')) await fail(`the page opened from disk says: ${said}`);
pass();

// --- a broken site or address: the page says what is wrong -------------------------------
step = 'broken';
// (No service worker: it would answer before the routes.)
const broken = await browser.newContext({ viewport: { width: 800, height: 600 }, serviceWorkers: 'block' });
const says = async (route, answer) => {
  page = await broken.newPage();
  if (route) await page.route(route, answer);
  await page.goto(`${address}?clock=abc`);
  await waitFor('the page neither started nor failed', 15,
    () => page.evaluate(() => document.body.dataset.ready === 'true' || document.body.dataset.failed === 'true'));
  const text = await page.evaluate(() => (document.body.dataset.failed ? document.getElementById('failure').textContent : 'ready'));
  await page.close();
  return text;
};
// A clock that is no number is ignored.
const ignored = await says(null);
if (ignored !== 'ready') await fail(`?clock=abc: ${ignored}`);
const noScript = await says('**/brontix.js', (r) => r.fulfill({ status: 404 }));
if (!noScript.includes('brontix.js did not load') || !noScript.includes('make web-run')) await fail(`without brontix.js: ${noScript}`);
// A script it imports is as needed as the page's own.
const noLayout = await says('**/layout.js', (r) => r.fulfill({ status: 404 }));
if (!noLayout.includes('did not load')) await fail(`without layout.js: ${noLayout}`);
// A module that compiles and links but is another program.
const other = readFileSync(join(site, 'brontix-replay.wasm'));
const notOurs = await says('**/brontix.wasm', (r) => r.fulfill({ body: other, contentType: 'application/wasm' }));
if (!notOurs.includes('is not the game\'s module')) await fail(`another module: ${notOurs}`);
await broken.close();
pass();

await browser.close();
server.kill();
console.log(`${passed} passed, 0 failed`);
