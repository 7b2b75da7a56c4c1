// SPDX-FileCopyrightText: 2026 The Brontix developers
// SPDX-License-Identifier: MIT
// The page's module, run by node, shows at every point of a recording what
// the native replay driver draws for the script cut there: the golden
// recordings (the window's, the page's, generated games), at their ends,
// their marks and points drawn from a seed, sought forward and back. The
// screen here gets only what the viewer's answers hand the page: the
// rectangles drawn again, the caption when it changed, the point.
//   node watch_node.mjs SITE_DIR NATIVE_REPLAY GOLDEN_DIR
import { execFileSync } from 'node:child_process';
import { readFileSync } from 'node:fs';
import { join } from 'node:path';
import { pageModule } from './module.mjs';

const [site, replayTool, goldenDir] = process.argv.slice(2);
const W = 640, H = 530;
const screen = new Uint8Array(W * H * 4);
let caption = '', point = -1;
const text = (ptr, len) => Buffer.from(new Uint8Array(memory.buffer, ptr, len)).toString();
const answers = {
  present(framePtr, width, height, rectsPtr, count) {
    if (width !== W || height !== H) throw new Error(`a frame of ${width} x ${height}`);
    const frame = new Uint8Array(memory.buffer, framePtr, W * H * 4);
    const r = new Int32Array(memory.buffer, rectsPtr, 4 * count);
    for (let i = 0; i < count; ++i) {
      const [x, y, w, h] = r.subarray(4 * i, 4 * i + 4);
      for (let row = y; row < y + h; ++row) screen.set(frame.subarray((row * W + x) * 4, (row * W + x + w) * 4), (row * W + x) * 4);
    }
  },
  set_caption(ptr, len) { caption = text(ptr, len); },
  watch_shown(at) { point = at; },
};
// The module's memory, read afresh: a call may grow it.
const memory = { get buffer() { return x.memory.buffer; } };
const { x, cString } = await pageModule(site, answers);

// The native replay of a script: its frame (RGB) and its caption.
function native(script) {
  const out = execFileSync(replayTool, ['--frame', '-'], { input: `${script}dump\n`, maxBuffer: 1 << 24 });
  const end = out.indexOf('\n');
  return { caption: JSON.parse(out.subarray(0, end).toString()).caption, rgb: out.subarray(end + 1 + 'P6\n640 530\n255\n'.length) };
}
// The script cut at point n: every line before the n-th tick that ran, a
// `tick K` that runs past it cut short, nothing after. How many ticks each
// line ran is what a dump after it says.
function cutter(script) {
  const lines = script.split('\n').filter((l) => l !== '');
  const isTick = (l) => /^\s*tick\b/.test(l);
  // A dump after each tick line only: one before start-up's random values
  // would make the window too early.
  const probe = lines.flatMap((l) => (isTick(l) ? [l, 'dump'] : [l])).join('\n') + '\n';
  const after = execFileSync(replayTool, [], { input: probe, maxBuffer: 1 << 28 }).toString().trim().split('\n')
    .map((d) => JSON.parse(d).tick);
  let k = 0, so = 0;
  const ticks = lines.map((l) => (isTick(l) ? (so = after[k++]) : so));
  return (n) => {
    let kept = '';
    for (let i = 0; i < lines.length; ++i) {
      const before = i ? ticks[i - 1] : 0;
      if (isTick(lines[i])) {
        if (ticks[i] > before && before === n) break;   // the next tick would pass n
        if (ticks[i] >= n && ticks[i] > before) return `${kept}tick ${n - before}\n`;
      } else if (n > 0 && before === n) {
        break;  // nothing after the n-th tick
      }
      kept += `${lines[i]}\n`;
    }
    return kept;
  };
}

let checked = 0, failed = 0;
let seed = 7;
const random = (n) => { seed = (seed * 1103515245 + 12345) % 2147483648; return seed % n; };
for (const name of ['window', 'page', 'generated', 'generated-won']) {
  const script = readFileSync(join(goldenDir, `${name}.txt`), 'utf8');
  const bytes = Buffer.from(script);
  const into = x.brontix_watch_buffer(bytes.length);  // may grow the memory
  new Uint8Array(memory.buffer, into, bytes.length).set(bytes);
  if (!x.brontix_watch_open()) throw new Error(`${name}: ${cString(x.brontix_watch_error())}`);
  while (!x.brontix_watch_survey()) { /* a slice at a time, as the page runs it */ }
  x.brontix_watch_whole();
  const last = x.brontix_watch_last();
  const cut = cutter(script);
  const points = [last, 0, 1, last - 1];
  for (let i = 0; i < x.brontix_watch_marks(); ++i) points.push(x.brontix_watch_mark_point(i));
  for (let i = 0; i < 8; ++i) points.push(random(last + 1));
  for (const n of points) {
    x.brontix_watch_seek(n);
    const want = native(cut(n));
    let differ = 0;
    for (let p = 0; p < W * H; ++p) {
      if (screen[4 * p] !== want.rgb[3 * p] || screen[4 * p + 1] !== want.rgb[3 * p + 1] || screen[4 * p + 2] !== want.rgb[3 * p + 2]) ++differ;
    }
    checked += 1;
    if (point !== n || differ || caption !== want.caption) {
      failed += 1;
      console.log(`FAIL: ${name} at ${n}: point ${point}, ${differ} pixels differ, caption ${caption} (${want.caption})`);
    }
  }
}
console.log(`${checked - failed} passed, ${failed} failed`);
process.exitCode = failed ? 1 : 0;
