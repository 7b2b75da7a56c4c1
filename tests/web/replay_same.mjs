// SPDX-FileCopyrightText: 2026 The Brontix developers
// SPDX-License-Identifier: MIT
// The replay driver built for another platform (WebAssembly, Windows)
// prints the same bytes as the native one: on every script the replay
// tests use, and on long games this generator plays (Demo, capsules of
// every kind, shots, wins and losses).
//   node replay_same.mjs NATIVE_REPLAY SCRIPT_DIR GAMES OTHER_REPLAY...
// (OTHER_REPLAY: the other driver's command, e.g. node replay.mjs.)
import { spawnSync } from 'node:child_process';
import { readdirSync, readFileSync } from 'node:fs';
import { join } from 'node:path';

const [nativeReplay, scriptDir, gamesArg, ...other] = process.argv.slice(2);
const games = Number(gamesArg || 50);

function run(command, args, input) {
  const r = spawnSync(command, args, { input, maxBuffer: 1 << 30 });
  return { status: r.status, out: r.stdout, err: r.stderr };
}

// A seeded game: a served ball under the autopilot, with the player's
// interventions drawn from the seed.
function generate(seed) {
  let s = seed >>> 0;
  const rnd = () => {  // mulberry32
    s = (s + 0x6D2B79F5) >>> 0;
    let t = s;
    t = Math.imul(t ^ (t >>> 15), t | 1);
    t ^= t + Math.imul(t ^ (t >>> 7), t | 61);
    return ((t ^ (t >>> 14)) >>> 0) / 4294967296;
  };
  const pick = (n) => Math.floor(rnd() * n);
  const lines = [`clock ${seed * 7919 + 11}`];
  // Some walls of nine rows only, which the autopilot clears in time.
  const newGame = () => {
    if (rnd() < 0.7) lines.push('random 0.5 0.25 0.75 0.1 0.95');
    lines.push('menu new', 'tick 20', 'click');
    // Often the first capsule mounts the cannons.
    if (rnd() < 0.5) lines.push('random 0.9 0.65');
  };
  newGame();
  lines.push('menu demo');
  // Every fifth game is one long game of the autopilot on a small wall,
  // helped by extra balls and dropping bricks, so that it is won.
  if (seed % 5 === 0) {
    for (let i = 1; i <= 70; ++i) {
      lines.push('tick 300');
      if (i % 4 === 0) lines.push('random 0.9 0.35');
      if (i % 7 === 0) lines.push('random 0.9 0.75');
      if (i % 10 === 0) lines.push('dump');
    }
    return lines.join('\n') + '\n';
  }
  let demo = true, ticks = 0;
  while (ticks < 6000 + pick(3000)) {
    const n = 50 + pick(400);
    lines.push(`tick ${n}`);
    ticks += n;
    // Demo is left off for one stretch at most: long enough to lose.
    if (!demo) { lines.push('menu demo'); demo = true; }
    const a = rnd();
    // The next knocked-out brick releases a capsule of a chosen kind.
    if (a < 0.2) lines.push(`random 0.9 0.${pick(10)}5`);
    else if (a < 0.45) lines.push('click');
    else if (a < 0.5) lines.push(`move ${pick(640)} ${pick(530)}`);
    else if (a < 0.55) lines.push('key 112', 'tick 3', 'key 112');
    else if (a < 0.6) { lines.push('menu demo', `move ${pick(640)} 0`); demo = false; }
    else if (a < 0.68) newGame();
    lines.push('dump');
  }
  return lines.join('\n') + '\n';
}

let compared = 0, bytes = 0, failed = 0;
function compare(name, script) {
  const a = run(nativeReplay, [], script);
  const b = run(other[0], other.slice(1), script);
  compared += 1;
  bytes += a.out.length;
  if (a.status !== b.status || !a.out.equals(b.out) || !a.err.equals(b.err)) {
    failed += 1;
    console.log(`FAIL: ${name}: native status ${a.status}, ${a.out.length} bytes; ` +
                `the other status ${b.status}, ${b.out.length} bytes\n${b.err.toString().slice(0, 300)}`);
  }
  return a.out.toString();
}

const scripts = readdirSync(scriptDir).filter((f) => f.endsWith('.txt')).sort();
for (const f of scripts) compare(f, readFileSync(join(scriptDir, f)));
const testScripts = compared;

// What the generated games reached, read off the native dumps.
const kinds = new Set(), messages = new Set();
let shots = 0, ticks = 0;
for (let g = 1; g <= games; ++g) {
  const out = compare(`game ${g}`, generate(g));
  for (const line of out.split('\n').filter(Boolean)) {
    const d = JSON.parse(line);
    for (const c of d.capsules) if (c.visible) kinds.add(c.fill);
    for (const m of d.messages) messages.add(m);
    shots = Math.max(shots, d.lfire.length - 1);
  }
  ticks += JSON.parse(out.trim().split('\n').pop()).tick;
}
console.log(`replay: ${testScripts} test scripts and ${games} generated games (${ticks} ticks), ` +
            `${bytes} bytes of output compared, ${failed} different`);
console.log(`replay: games reached capsule kinds ${[...kinds].sort((a, b) => a - b).join(',')}, ` +
            `messages ${[...messages].join(' / ')}, ${shots} shots in one array`);
const palette = [0x000000, 0x800000, 0x008000, 0x808000, 0x000080, 0x800080, 0x008080, 0xC0C0C0, 0x808080, 0xFF0000];
const missing = palette.filter((c) => !kinds.has(c));
if (missing.length) console.log(`FAIL: no capsule of kinds ${missing.join(',')}`);
if (!messages.has('You win!') || !messages.has('You lose!')) console.log('FAIL: the games neither won nor lost');
if (shots === 0) console.log('FAIL: no shot was fired');
const ok = failed === 0 && testScripts > 0 && !missing.length && messages.size === 2 && shots > 0;
console.log(`${ok ? compared : compared - failed} passed, ${ok ? 0 : Math.max(failed, 1)} failed`);
process.exit(ok ? 0 : 1);
