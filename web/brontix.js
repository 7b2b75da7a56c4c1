// SPDX-FileCopyrightText: 2026 The Brontix developers
// SPDX-License-Identifier: MIT
// The page's side of the browser edition: loads the game's WebAssembly
// module, gives it the page (caption, canvas, box, backdrop, clocks), and
// passes it the player's input and its wake-ups. Each call into the game
// says when it wants its next wake-up, which a timer keeps; an animation
// frame is asked for only when the game drew something, and puts what it
// drew on the canvas. While nothing changes, nothing runs between
// wake-ups.
import * as input from './input.js';
import * as layout from './layout.js';
import * as links from './links.js';
import * as game from './module.js';
import * as updates from './updates.js';
import * as wasi from './wasi.js';
import * as viewer from './watch.js';
import * as webm from './webm.js';

const BUILD = '@BUILD@';
const $ = (id) => document.getElementById(id);

// A page that cannot start the game says why; the markup says how to
// start it, unless the page was asked for what cannot be.
function failed(why, how = true) {
  $('failure-why').textContent = `The game could not start: ${why}.`;
  $('failure-how').hidden = !how;
  $('failure').hidden = false;
  document.body.dataset.failed = 'true';
}

// Tests fix the clock the random source is seeded from; players never do.
// A clock that is not a whole number is no clock.
const clockParam = new URLSearchParams(location.search).get('clock');
const fixedClock = /^\d{1,20}$/.test(clockParam ?? '') ? clockParam : null;

const elements = {
  stage: $('stage'), game: $('game'), canvas: $('playfield'), backdrop: $('backdrop'), tools: $('tools'),
  box: $('box'), menubar: $('menubar'),
};
const fitted = new layout.Layout(elements);
fitted.fit();

// The rectangles the game drew since the last animation frame, put then
// from the game's RGBA frame, which holds the newest pixels of each.
class Drawn {
  constructor(canvas) { Object.assign(this, { canvas, ctx: canvas.getContext('2d'), image: null, rects: [], request: 0 }); }
  add(memory, framePtr, width, height, rects) {
    const { image, canvas } = this;
    if (!image || image.data.buffer !== memory.buffer || image.data.byteOffset !== framePtr ||
        image.width !== width || image.height !== height) {
      this.image = new ImageData(new Uint8ClampedArray(memory.buffer, framePtr, width * height * 4), width, height);
    }
    // A canvas given a new size is cleared: the frame comes whole after.
    if (canvas.width !== width || canvas.height !== height) Object.assign(canvas, { width, height });
    this.rects.push(...rects);
    if (!this.request) this.request = requestAnimationFrame(() => this.put());
  }
  put() {
    this.request = 0;
    for (const [x, y, w, h] of this.rects) this.ctx.putImageData(this.image, 0, 0, x, y, w, h);
    this.rects.length = 0;
  }
}
const drawn = new Drawn(elements.canvas);

let memory = null, pendingBox = null, recording = null, raceEnded = null;
// A line under the game that appears takes room the page is laid out
// again for, once the module's call has returned (a new layout may call
// into it).
function shown(element) {
  if (!element.hidden) return;
  element.hidden = false;
  setTimeout(() => fitted.fit());
}
// Where the viewer of recordings takes its answers, once it is there.
const watching = {};
const page = {
  clock: () => (fixedClock !== null
    ? BigInt.asUintN(64, BigInt(fixedClock))
    : BigInt(Date.now()) * 1000000n + BigInt(Math.floor((performance.now() % 1) * 1e6))),
  now_ms: () => performance.now(),
  set_caption(ptr, len) {
    $('caption').textContent = document.title = memory.text(ptr, len);
  },
  message_box(ptr, len) { pendingBox = memory.text(ptr, len); },
  present(framePtr, width, height, rectsPtr, count) {
    const r = memory.ints(rectsPtr, 4 * count), rects = [];
    for (let i = 0; i < count; ++i) rects.push([r[4 * i], r[4 * i + 1], r[4 * i + 2], r[4 * i + 3]]);
    drawn.add(memory.memory, framePtr, width, height, rects);
  },
  show_backdrop: () => fitted.showBackdrop(),
  hide_game() { elements.game.style.visibility = 'hidden'; },
  move_game: (left, top) => fitted.moveGame(left, top),
  show_game_owned() { elements.game.style.visibility = ''; },
  watch_box(ptr, len) { watching.box(memory.text(ptr, len)); },
  watch_shown(point, playing, ptr, len) { watching.shown(point, playing === 1, memory.text(ptr, len)); },
  watch_compared(ptr, len) { watching.compared(memory.text(ptr, len)); },
  watch_in_force(ptr, len) { watching.inForce(memory.text(ptr, len)); },
  record(ptr, len) { recording.add(memory.text(ptr, len)); },
  // A live region says it once; the same words again are said again.
  announce(ptr, len) {
    const said = memory.text(ptr, len);
    $('announce').textContent = $('announce').textContent === said ? `${said}\u00a0` : said;
  },
  dealt(wall) {
    // A 64-bit import comes as a signed BigInt.
    $('race-this-link').href = links.raceLink(BigInt.asUintN(64, wall));
    shown($('race-this'));
  },
  race(ptr, len, ended) {
    const said = memory.text(ptr, len);
    if (ended) raceEnded = said;
    else $('race-said').textContent = said;
    shown($('race'));
  },
};

// The one hook for tests and benchmarks (DESIGN.md lists it):
//   build()           every file of the page by name, with its build
//   watchLink(script) a link to watch a recording
//   status()          the game's ticks, timer, box and scale (no game: absent)
//   recording()       the visit's recording so far (no game: absent)
//   raceResult()      the link "Copy result" copies (no race ended: null)
//   moduleBytes()     the memory the module holds
const hook = window.brontixTest = { watchLink: links.watchLink };
const scripts = {
  'brontix.js': BUILD, 'input.js': input.BUILD, 'layout.js': layout.BUILD, 'links.js': links.BUILD,
  'module.js': game.BUILD, 'updates.js': updates.BUILD, 'wasi.js': wasi.BUILD, 'watch.js': viewer.BUILD,
  'webm.js': webm.BUILD,
};

// The module, started, or null when it cannot be (the page says why).
async function start() {
  try {
    const loaded = await game.load(page);
    memory = new game.Memory(loaded.exports.memory);
    loaded.exports._initialize();
    hook.build = () => updates.builds(scripts, loaded.stamp);
    hook.moduleBytes = () => loaded.exports.memory.buffer.byteLength;
    fitted.useModule(loaded.exports);
    return loaded.exports;
  } catch (e) {
    failed(e.message || String(e));
    return null;
  }
}

const exports = await start();
// The capsules' panel: each colour's swatch, its name and its effect in
// words, from the table the game applies (the picture tells a capsule only
// by its colour).
if (exports) {
  for (let i = 0; i < exports.brontix_capsules(); ++i) {
    const swatch = document.createElement('span');
    swatch.className = 'swatch';
    swatch.style.background = `#${exports.brontix_capsule_rgb(i).toString(16).padStart(6, '0')}`;
    const name = document.createElement('b');
    name.textContent = memory.cString(exports.brontix_capsule_text(i, 0));
    const item = document.createElement('li');
    item.append(swatch, name, ` ${memory.cString(exports.brontix_capsule_text(i, 1))}: `
      + memory.cString(exports.brontix_capsule_text(i, 2)));
    $('capsule-list').append(item);
  }
  // Opened or closed, the panel changes the height under the game.
  $('capsules').addEventListener('toggle', () => fitted.fit());
}
const raceText = links.parseRace(location.hash);
// The wall a race link names, or null; a link that names none starts
// nothing.
function raceWall() {
  const bytes = new TextEncoder().encode(raceText);
  const into = exports.brontix_race_text(bytes.length);
  if (into) memory.bytes(into, bytes.length).set(bytes);
  if (into && exports.brontix_race_wall()) return BigInt(raceText);
  failed(`this race link names no wall ("${raceText.slice(0, 40)}"): a wall is `
    + memory.cString(exports.brontix_wall_rule()), false);
  return null;
}
if (exports && links.parseLink(location.hash)) {
  // A link to watch a recording: the viewer, and no game.
  const shown = await viewer.watch(exports, memory, watching);
  fitted.rescaled = shown.rescale;
  fitted.fit();
  window.addEventListener('resize', () => fitted.fit());
} else if (exports && raceText === null) {
  play(null);
} else if (exports) {
  const wall = raceWall();
  if (wall !== null) play(wall);
}
if (exports) {
  updates.offerNewVersions($('update'), $('update-reload'));
  document.body.dataset.ready = 'true';
}

// The game; a race on `wall` when it is not null.
function play(wall) {
  // Following a link to watch a recording or to race from the game's page.
  window.addEventListener('hashchange', () => {
    if (links.parseLink(location.hash) || links.parseRace(location.hash) !== null) location.reload();
  });

  let wakeTimer = 0;
  // After every call into the game: open a box it raised, and wake it when
  // it asks (next is on performance.now()'s clock; -1 is never).
  function after(next) {
    if (pendingBox !== null && !elements.box.open) {
      $('box-text').textContent = pendingBox;
      pendingBox = null;
      elements.box.showModal();
    }
    if (raceEnded !== null) raceOver();
    clearTimeout(wakeTimer);
    // Timers count whole milliseconds: rounding up keeps a wake-up from
    // coming before its tick is due.
    wakeTimer = next >= 0 ? setTimeout(onWake, Math.max(0, Math.ceil(next - performance.now()))) : 0;
  }
  function onWake() {
    wakeTimer = 0;
    after(exports.brontix_wake());
  }
  // The box is modal: the rest of the page is inert until OK (or Esc).
  elements.box.addEventListener('close', () => after(exports.brontix_box_closed()));

  // --- full screen ---
  const placeWindows = () => exports.brontix_windows(...fitted.windows());
  // The backdrop stays until the player leaves it: its close button, or
  // leaving the browser's full-screen mode.
  function leaveBackdrop() {
    fitted.leaveBackdrop();
    after(exports.brontix_backdrop_closed());
  }
  $('backdrop-close').addEventListener('click', leaveBackdrop);
  document.addEventListener('fullscreenchange', () => {
    if (!document.fullscreenElement && !elements.backdrop.hidden) leaveBackdrop();
  });
  window.addEventListener('resize', () => {
    fitted.fit();
    // The backdrop grew or shrank: the game centres its window again,
    // recording nothing.
    if (!elements.backdrop.hidden) after(placeWindows());
  });

  // Full Screen centres the window by where it stands now.
  input.takeInput(exports, memory, after, fitted, elements, { leaveBackdrop, beforeMenu: placeWindows });
  // A hidden page (another tab, a minimised browser, a phone's home
  // screen) pauses a running game as p would, so that nothing is lost
  // unseen; p resumes it.
  document.addEventListener('visibilitychange', () => {
    if (document.visibilityState === 'hidden') after(exports.brontix_unseen());
  });

  recording = new links.VisitRecording($('recording'), $('watch-visit'), () => exports.brontix_settle(),
    exports.brontix_watch_max_bytes(), $('visit-full'));
  hook.recording = () => recording.text;
  hook.raceResult = () => resultLink;
  hook.status = () => ({
    ticks: exports.brontix_ticks(), timer: exports.brontix_timer() === 1, box: elements.box.open, scale: fitted.scale,
  });
  // The race's game ended: its result, and its recording up to there
  // behind a link, the race's wall for someone else behind another.
  let resultLink = null;
  function raceOver() {
    $('race-said').textContent = raceEnded;
    raceEnded = null;
    shown($('race-over'));
    recording.upToNow();
    const result = recording.text;
    resultLink = links.watchLink(result);
  }
  const copied = async (link) => {
    try {
      await navigator.clipboard.writeText(await link);
      $('race-copied').textContent = 'Copied.';
    } catch {
      $('race-copied').textContent = `Copy it from here: ${await link}`;
    }
  };
  $('race-copy').addEventListener('click', () => copied(links.raceLink(wall)));
  $('race-result').addEventListener('click', () => copied(resultLink));

  after(exports.brontix_start());
  if (wall !== null) after(exports.brontix_race());
  fitted.rescaled = (deviceWidth) => after(exports.brontix_scale(deviceWidth));
  fitted.rescaled(fitted.deviceWidth);
  drawn.put();  // the first frame at once
}
