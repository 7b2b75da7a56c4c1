// SPDX-FileCopyrightText: 2026 The Brontix developers
// SPDX-License-Identifier: MIT
// The page as a screen reader and a keyboard meet it, in Debian's headless
// Chromium: every control of the game's page and the viewer has a name in
// Chromium's accessibility tree; what is announced is a new game, a pause,
// playing on, a lost ball and the end with its score, never a knock-out;
// the keyboard's focus shows and goes down the page in order; with less
// motion asked for, nothing on the page moves. A failing step leaves a
// screenshot.
//   node access.mjs SITE_DIR OUTPUT_DIR
import { mkdirSync, rmSync } from 'node:fs';
import { join } from 'node:path';
import { deflateRawSync } from 'node:zlib';
import { launchChromium, serveSite, steps } from './harness.mjs';

const [site, out] = process.argv.slice(2);
rmSync(out, { recursive: true, force: true });
mkdirSync(out, { recursive: true });

let step = 'start', page = null, browser = null, server = null;
const { fail, pass, waitFor } = steps('access', out, () => ({ step, page, browser, server }));
const ready = () => waitFor('the page is not ready', 30, () => page.evaluate(() => document.body.dataset.ready === 'true'));

// The controls in Chromium's accessibility tree that have no name.
const CONTROLS = new Set(['button', 'link', 'menuitem', 'combobox', 'slider', 'textbox', 'spinbutton',
  'checkbox', 'DisclosureTriangle', 'ListBox']);
async function unnamed() {
  const cdp = await page.context().newCDPSession(page);
  const { nodes } = await cdp.send('Accessibility.getFullAXTree');
  await cdp.detach();
  const controls = nodes.filter((n) => !n.ignored && CONTROLS.has(n.role?.value));
  if (controls.length < 3) await fail(`only ${controls.length} controls in the tree`);
  return controls.filter((n) => !(n.name?.value ?? '').trim()).map((n) => `${n.role.value} ${n.backendDOMNodeId}`);
}

let address;
({ server, address } = await serveSite(site));
if (!address) await fail('the server did not start');
browser = await launchChromium();
const context = await browser.newContext({ viewport: { width: 1000, height: 900 } });

// --- the game: names, what is announced ---
step = 'announced';
page = await context.newPage();
await page.goto(`${address}?clock=7`);
await ready();
if (await page.evaluate(() => document.getElementById('caption').hasAttribute('aria-live'))) await fail('the caption is a live region');
const missing = await unnamed();
if (missing.length) await fail(`controls without a name: ${missing.join(', ')}`);
// Everything the live region says, in order.
await page.evaluate(() => {
  window.said = [];
  new MutationObserver(() => window.said.push(document.getElementById('announce').textContent.trim()))
    .observe(document.getElementById('announce'), { childList: true, characterData: true, subtree: true });
});
const said = () => page.evaluate(() => window.said);
const caption = () => page.evaluate(() => document.getElementById('caption').textContent);
// (Start-up's balls fall out of play meanwhile: lost balls are said.)
await page.click('#new-game');
await waitFor('New Game is not announced', 10, async () => (await said()).includes('New game.'));
await page.keyboard.press('p');
await waitFor('the pause is not announced', 10, async () => (await said()).at(-1) === 'Paused.');
await page.keyboard.press('p');
await waitFor('playing on is not announced', 10, async () => (await said()).at(-1) === 'Playing.');
// Demo knocks bricks out (the caption changes at every one), then the
// paddle steps aside and the game is lost.
await page.click('#demo');
const field = await page.locator('#playfield').boundingBox();
await page.mouse.click(field.x + field.width / 2, field.y + field.height * 0.6);
await waitFor('no brick knocked out', 60, async () => /^Brontix \| [1-9]\d* /.test(await caption()));
await page.click('#demo');
await page.mouse.move(field.x + 2, field.y + field.height * 0.6);
await waitFor('the game was not lost', 60, () => page.evaluate(() => document.getElementById('box').open));
const score = /^Brontix \| (\d+)/.exec(await caption())?.[1];
const all = await said();
const begun = all.indexOf('New game.');
if (!all.slice(0, begun).every((s) => s === 'Ball lost.') || all.slice(begun + 1, begun + 3).join('|') !== 'Paused.|Playing.') {
  await fail(`announced first: ${all}`);
}
if (!all.slice(begun + 3).every((s) => /^(Ball lost\. ?)+(You lose! Score \d+\.)?$/.test(s))) await fail(`announced then: ${all}`);
if (!all.at(-1).endsWith(`You lose! Score ${score}.`)) await fail(`the end announced as "${all.at(-1)}", the score is ${score}`);
await page.click('#box-ok');
pass();

// --- the keyboard: focus shows, and goes down the page ---
step = 'focus';
// From the top of the page, as a new visitor's Tab goes.
await page.reload();
await ready();
const seen = [];
// Down to the last control, the Capsules panel (after it the browser's own).
while (seen.length < 10 && seen.at(-1)?.what !== 'summary#') {
  await page.keyboard.press('Tab');
  seen.push(await page.evaluate(() => {
    const e = document.activeElement, style = getComputedStyle(e), box = e.getBoundingClientRect();
    const shows = style.outlineStyle !== 'none' && parseFloat(style.outlineWidth) >= 2
      || style.backgroundColor === 'rgb(10, 36, 106)';
    return { what: `${e.tagName.toLowerCase()}#${e.id}`, top: box.top, left: box.left, shows };
  }));
}
for (const [i, s] of seen.entries()) {
  if (!s.shows) await fail(`the focus on ${s.what} does not show`);
  const before = seen[i - 1];
  if (before && (s.top < before.top - 2 || (Math.abs(s.top - before.top) <= 2 && s.left < before.left))) {
    await fail(`the focus goes back up the page: ${seen.map((x) => x.what).join(' → ')}`);
  }
}
if (seen[0].what !== 'button#new-game' || !seen.some((s) => s.what === 'summary#')) {
  await fail(`the focus goes ${seen.map((x) => x.what).join(' → ')}`);
}
// Space on the Capsules panel opens it, as the game does not take it.
await page.focus('#capsules summary');
await page.keyboard.press(' ');
await waitFor('Space did not open the Capsules panel', 5, () => page.evaluate(() => document.getElementById('capsules').open));
pass();

// --- less motion asked for: nothing moves ---
step = 'reduced-motion';
await page.emulateMedia({ reducedMotion: 'reduce' });
const moving = await page.evaluate(() => [...document.querySelectorAll('*')]
  .filter((e) => getComputedStyle(e).transitionDuration.split(',').some((d) => parseFloat(d) > 0)
    || getComputedStyle(e).animationName !== 'none').map((e) => e.id || e.tagName));
if (moving.length || await page.evaluate(() => document.getAnimations().length)) await fail(`moving: ${moving}`);
pass();

// --- the viewer: every control named ---
step = 'viewer';
const script = 'clock 7\nmenu new\nclick\ntick 400\nkey 112\nkey 112\ntick 100\n';
await page.goto(`${address}#watch=${deflateRawSync(Buffer.from(script)).toString('base64url')}`);
await waitFor('the viewer did not read the recording', 30, () => page.evaluate(() => document.body.dataset.surveyed === 'true'));
const missingInViewer = await unnamed();
if (missingInViewer.length) await fail(`controls without a name: ${missingInViewer.join(', ')}`);
pass();

await browser.close();
server.kill();
console.log('access: all steps passed');
