// SPDX-FileCopyrightText: 2026 The Brontix developers
// SPDX-License-Identifier: MIT
// Thumb-sized and readable, measured in Debian's headless Chromium on a
// 390 x 844 touch phone upright and sideways and on a 2560 x 1440 screen,
// in the game and in the viewer: for a thumb every control is 44 x 44 CSS
// pixels at least (the backdrop's close button too); on the large screen
// the links and controls are scaled as the game is; everywhere every text
// and control of the page's own reads at 4.5:1 at least against what is
// behind it. A failing step leaves a screenshot.
//   node sizes.mjs SITE_DIR OUTPUT_DIR
import { mkdirSync, rmSync } from 'node:fs';
import { join } from 'node:path';
import { deflateRawSync } from 'node:zlib';
import { launchChromium, serveSite, steps } from './harness.mjs';

const [site, out] = process.argv.slice(2);
rmSync(out, { recursive: true, force: true });
mkdirSync(out, { recursive: true });

let step = 'start', page = null, browser = null, server = null;
const { fail, pass, waitFor } = steps('sizes', out, () => ({ step, page, browser, server }));

// In the page: every visible control and text of the page's own (the
// game's picture is the game's), with its size, font size and the
// contrast of its colours against what is behind it.
function measure() {
  const rgba = (c) => (c.match(/[\d.]+/g) ?? []).map(Number);
  const luminance = ([r, g, b]) => {
    const lin = (v) => { const s = v / 255; return s <= 0.03928 ? s / 12.92 : ((s + 0.055) / 1.055) ** 2.4; };
    return 0.2126 * lin(r) + 0.7152 * lin(g) + 0.0722 * lin(b);
  };
  const ratio = (a, b) => { const [x, y] = [luminance(a), luminance(b)].sort((p, q) => q - p); return (x + 0.05) / (y + 0.05); };
  const opaque = (c) => { const v = rgba(c); return v.length >= 3 && (v.length < 4 || v[3] >= 0.99) ? v : null; };
  // The first opaque ground under the element's middle that is not its own
  // (scrolled into view first: the links scroll where they have no room).
  const behind = (e) => {
    e.scrollIntoView({ block: 'nearest', inline: 'nearest' });
    const r = e.getBoundingClientRect();
    const x = Math.min(innerWidth - 1, Math.max(0, r.left + r.width / 2)), y = Math.min(innerHeight - 1, Math.max(0, r.top + r.height / 2));
    for (const under of document.elementsFromPoint(x, y)) {
      if (under === e || e.contains(under)) continue;
      const ground = opaque(getComputedStyle(under).backgroundColor);
      if (ground) return ground;
    }
    return opaque(getComputedStyle(document.body).backgroundColor);
  };
  // Shown, and on top where it is (not under the backdrop).
  const visible = (e) => {
    let r = e.getBoundingClientRect();
    const s = getComputedStyle(e);
    if (r.width < 2 || r.height < 2 || s.visibility === 'hidden' || Number(s.opacity) === 0) return false;
    e.scrollIntoView({ block: 'nearest', inline: 'nearest' });
    r = e.getBoundingClientRect();
    const top = document.elementFromPoint(r.left + r.width / 2, r.top + r.height / 2);
    return Boolean(top) && (e.contains(top) || top.contains(e));
  };
  const name = (e) => `${e.tagName.toLowerCase()}${e.id ? `#${e.id}` : ''}${e.className ? `.${String(e.className).replace(/ /g, '.')}` : ''}`;
  const scope = [...document.querySelectorAll('#tools, .menubar, #backdrop')];
  const inScope = (e) => scope.some((s) => s.contains(e));
  // (A file picker's own input is hidden: its label is the control.)
  const controls = [...document.querySelectorAll('a, button, select, input, summary, label.watch-open')]
    .filter((e) => inScope(e) && visible(e));
  const found = [];
  for (const e of controls) {
    const s = getComputedStyle(e), r = e.getBoundingClientRect(), ground = behind(e);
    const own = opaque(s.backgroundColor);
    const face = e.matches('input[type=range]') ? rgba(s.accentColor) : own ?? rgba(s.color);
    // (The menu bar is the game window's, scaled with it as a whole.)
    const worded = e.textContent.trim() || e.matches('input[type=number], select');
    const font = e.closest('#tools') && worded ? parseFloat(s.fontSize) : 99;
    found.push({ what: name(e), control: true, width: r.width, height: r.height, font,
      contrast: ratio(face, ground), text: own && e.textContent.trim() ? ratio(rgba(s.color), own) : 99 });
  }
  // Texts: elements with words of their own, not in a control.
  for (const e of document.querySelectorAll('#tools *, #tools')) {
    if (!visible(e) || e.closest('a, button, select, summary, label.watch-open, option')) continue;
    if (![...e.childNodes].some((n) => n.nodeType === 3 && n.textContent.trim())) continue;
    const s = getComputedStyle(e);
    found.push({ what: name(e), control: false, font: parseFloat(s.fontSize), contrast: ratio(rgba(s.color), behind(e)) });
  }
  return { found, scale: document.getElementById('playfield').getBoundingClientRect().width / 640 };
}

async function check(label, coarse) {
  const { found, scale } = await page.evaluate(measure);
  if (found.filter((f) => f.control).length < 3) await fail(`${label}: only ${found.length} controls found`);
  for (const f of found) {
    if (f.contrast < 4.5 || (f.text ?? 99) < 4.5) await fail(`${label}: ${f.what} reads at ${Math.min(f.contrast, f.text ?? 99).toFixed(2)}:1`);
    if (coarse && f.control && (f.width < 43.5 || f.height < 43.5)) {
      await fail(`${label}: ${f.what} is ${f.width.toFixed(1)} x ${f.height.toFixed(1)} CSS pixels`);
    }
    if (!coarse && f.font < 12 * Math.max(1, Math.floor(scale)) - 0.01) {
      await fail(`${label}: ${f.what} in text of ${f.font} px beside a game at ${scale}x`);
    }
  }
  await page.screenshot({ path: join(out, `${step}.png`) });
  return scale;
}

let address;
({ server, address } = await serveSite(site));
if (!address) await fail('the server did not start');
browser = await launchChromium();
const script = 'clock 7\nmenu new\nclick\ntick 400\nkey 112\nkey 112\ntick 60\nkey 112\nkey 112\ntick 100\n';
const watchLink = `${address}#watch=${deflateRawSync(Buffer.from(script)).toString('base64url')}`;
for (const [name, viewport, coarse] of [
  ['upright', { width: 390, height: 844 }, true],
  ['sideways', { width: 844, height: 390 }, true],
  ['large', { width: 2560, height: 1440 }, false],
]) {
  const context = await browser.newContext(coarse ? { viewport, isMobile: true, hasTouch: true, deviceScaleFactor: 3 }
    : { viewport, deviceScaleFactor: 1 });
  page = await context.newPage();
  step = `${name}-game`;
  await page.goto(`${address}?clock=7`);
  await waitFor('the page is not ready', 30, () => page.evaluate(() => document.body.dataset.ready === 'true'));
  // The Capsules panel open, for a thumb: its words are measured too. (On
  // the large screen it stays closed: open, its ten lines may leave the
  // links no room at the game's scale.)
  if (coarse) await page.evaluate(() => { document.getElementById('capsules').open = true; });
  await page.waitForFunction(() => document.getElementById('capsule-list').children.length > 0);
  const scale = await check(step, coarse);
  if (!coarse && scale < 2) await fail(`the game is at ${scale}x on a 2560 x 1440 screen`);
  // Full Screen: the backdrop's close button, for a thumb too.
  await page.click('#full-screen');
  await waitFor('no backdrop', 10, () => page.evaluate(() => !document.getElementById('backdrop').hidden));
  await check(`${step} on the backdrop`, coarse);
  step = `${name}-viewer`;
  await page.goto('about:blank');
  await page.goto(watchLink);
  await waitFor('the viewer did not read the recording', 30, () => page.evaluate(() => document.body.dataset.surveyed === 'true'));
  await check(step, coarse);
  pass();
  await context.close();
}

await browser.close();
server.kill();
console.log('sizes: all steps passed');
