// SPDX-FileCopyrightText: 2026 The Brontix developers
// SPDX-License-Identifier: MIT
// Watching a recording in the page: the viewer's controls, its links and
// the recordings it opens. brontix.js hands the module over when the
// address is a link to watch; no game runs then and nothing is recorded.
import { address, linkData, parseLink, readBounded, scriptOf } from './links.js';
import { Exit } from './wasi.js';
import { reach, withDuration } from './webm.js';

export const BUILD = '@BUILD@';
const $ = (id) => document.getElementById(id);

// The viewer in the page, for the link in the address. `memory` reads the
// module's strings; `answers` takes what the module's answers hand the
// page's viewer. Resolves to what the page's layout calls when the canvas
// is resized.
export function watch(exports, memory, answers) {
  const canvas = $('playfield'), tools = $('tools');
  // The game's facts, from the module that owns them.
  const PER_SECOND = exports.brontix_ticks_per_second();
  const NORMAL_SPEED = exports.brontix_watch_normal_speed();
  const MAX_BYTES = exports.brontix_watch_max_bytes();
  // A slice of the survey lasts about this long, then the page goes on.
  const SLICE_MS = 12;
  let openings = 0, spent = false;
  // `data` is the open recording's link data, `vs` the compared one's.
  let opened = false, data = '', vs = '', frameRequest = 0;

  // The viewer's controls take the place of the visit's links.
  document.body.classList.add('watching');
  $('menubar').hidden = true;
  $('visit').remove();
  tools.prepend($('watch-tools').content.cloneNode(true));
  const boxText = $('watch-box');
  for (let i = 0; i < exports.brontix_watch_speeds(); ++i) {
    $('watch-speed').add(new Option(memory.cString(exports.brontix_watch_speed_name(i)), String(i)));
  }
  $('watch-speed').value = String(NORMAL_SPEED);
  const say = (text) => { $('watch-said').textContent = text; };

  // --- what the viewer shows ---
  // Every call into the viewer answers as the game does: the rectangles
  // drawn reach the canvas, a changed caption the caption, and the rest
  // comes here (shown(), box()); the call returns when to wake it next,
  // and the page sleeps until then.
  let wakeTimer = 0;
  function after(wake) {
    clearTimeout(wakeTimer);
    cancelAnimationFrame(frameRequest);
    frameRequest = 0;
    if (wake < 0) return;
    // Woken on the animation frame after the wake-up: each shows the
    // point the clock has reached.
    wakeTimer = setTimeout(() => {
      frameRequest = requestAnimationFrame(() => after(exports.brontix_watch_advance(performance.now())));
    }, Math.max(0, Math.ceil(wake - performance.now()) - 8));
  }
  // While it plays, the time, the timeline and the link (the whole
  // recording, written out) follow a few times a second.
  let shownAt = -Infinity;
  // The page is touched only where it changes: a text set, even to what
  // it was, has the browser lay the page out again.
  let wasPlaying = false;
  const shown = (point, playing, time) => {
    if (playing !== wasPlaying) {
      wasPlaying = playing;
      $('watch-play').textContent = playing ? '⏸' : '▶';
      $('watch-play').setAttribute('aria-label', playing ? 'Pause' : 'Play');
    }
    if (playing && performance.now() - shownAt < 125) return;
    shownAt = playing ? performance.now() : -Infinity;
    $('watch-timeline').value = String(point);
    $('watch-tick').value = String(point);
    $('watch-time').textContent = time;
    $('watch-copy').href = address(data, point, vs);
  };
  const box = (text) => {
    boxText.textContent = text;
    boxText.hidden = text === '';
  };
  const compared = (text) => {
    $('watch-compared').textContent = text;
    $('watch-compared').hidden = false;
  };
  const inForce = (text) => { $('watch-in-force').textContent = text; };
  Object.assign(answers, { shown, box, compared, inForce });
  const act = (f) => (...args) => { if (opened) after(f(...args)); };
  const seek = act((point) => exports.brontix_watch_seek(point));
  const step = act((points) => exports.brontix_watch_step(points));
  const togglePlay = act(() => (exports.brontix_watch_playing()
    ? exports.brontix_watch_pause() : exports.brontix_watch_play(performance.now())));
  // Marks nearer each other than a mark is wide (its target: 44 CSS
  // pixels for a thumb) are one group, which says how many it holds and
  // opens as a list: every mark stays a target.
  const markButton = (i) => {
    const point = exports.brontix_watch_mark_point(i);
    const mark = document.createElement('button');
    mark.className = `mark ${memory.cString(exports.brontix_watch_mark_kind(i))}`;
    mark.dataset.point = String(point);
    mark.title = memory.cString(exports.brontix_watch_mark_title(i));
    mark.setAttribute('aria-label', mark.title);
    mark.addEventListener('click', () => {
      $('watch-group').hidden = true;
      seek(point);
    });
    return mark;
  };
  // The game's marks under the timeline; comparing, the second game's
  // above it.
  function marks() {
    const own = exports.brontix_watch_marks();
    marksOf($('watch-marks'), 0, own);
    marksOf($('watch-ghost-marks'), own, own + exports.brontix_watch_ghost_marks());
  }
  function marksOf(layer, first, end) {
    const last = exports.brontix_watch_last(), list = $('watch-group');
    layer.textContent = '';
    list.hidden = true;
    const width = Math.max(1, layer.clientWidth - 16);
    const probe = layer.appendChild(document.createElement('button'));
    probe.className = 'mark';
    const gap = probe.offsetWidth;
    probe.remove();
    const groups = [];
    for (let i = first; i < end; ++i) {
      const x = last ? (exports.brontix_watch_mark_point(i) / last) * width : 0;
      const group = groups.at(-1);
      if (group && x - group.x < gap) group.marks.push(i);
      else groups.push({ x, marks: [i] });
    }
    for (const { x, marks: members } of groups) {
      let button;
      if (members.length === 1) {
        button = markButton(members[0]);
      } else {
        button = document.createElement('button');
        button.className = 'mark group';
        button.textContent = String(members.length);
        button.title = `${members.length} marks: ${memory.cString(exports.brontix_watch_mark_title(members[0]))} and on`;
        button.setAttribute('aria-label', button.title);
        button.setAttribute('aria-expanded', 'false');
        button.addEventListener('click', () => {
          list.replaceChildren(...members.map((i) => {
            const mark = markButton(i);
            mark.textContent = mark.title;
            return mark;
          }));
          list.hidden = false;
          button.setAttribute('aria-expanded', 'true');
          list.firstChild.focus();
        });
      }
      button.style.left = `${8 + x}px`;
      layer.appendChild(button);
    }
  }

  // --- a clip: a stretch of the game as a video -------------------------------------------
  // The canvas filmed by the browser's own recorder while the viewer
  // plays the stretch at the game's speed: a WebM of the clip's length.
  // By default the ten seconds before the point.
  let clipping = false;
  function clipRange() {
    const point = exports.brontix_watch_point(), last = exports.brontix_watch_last();
    const given = (id) => ($(id).value === '' ? NaN : Math.max(0, Math.min(last, Math.floor(Number($(id).value)))));
    let from = given('clip-from'), to = given('clip-to');
    if (Number.isNaN(to)) to = point;
    if (Number.isNaN(from)) from = Math.max(0, to - 10 * PER_SECOND);
    return from < to ? [from, to] : null;
  }
  async function saveClip() {
    const range = clipRange();
    if (!opened || clipping || !range) { say(range ? '' : 'A clip needs its first tick before its last.'); return; }
    const [from, to] = range;
    clipping = true;
    say(`Filming ticks ${from} to ${to}…`);
    after(exports.brontix_watch_seek(from));
    after(exports.brontix_watch_speed(NORMAL_SPEED, performance.now()));
    $('watch-speed').value = String(NORMAL_SPEED);
    const stream = canvas.captureStream(PER_SECOND);
    const recorder = new MediaRecorder(stream, { mimeType: 'video/webm' });
    const chunks = [];
    // Resolved by the next piece of video the encoder hands over.
    let nextData;
    const data = () => new Promise((resolve) => { nextData = resolve; });
    const encoding = data();
    recorder.ondataavailable = (e) => {
      if (!e.data.size) return;
      chunks.push(e.data);
      nextData();
    };
    const atMost = (promise, ms) => Promise.race([promise, new Promise((resolve) => setTimeout(resolve, ms))]);
    const stopped = new Promise((resolve) => { recorder.onstop = resolve; });
    // The encoder takes a frame only when the canvas is painted: while the
    // picture stands (before the stretch plays, and after, until the
    // encoder has handed it over), it is painted whole on every
    // animation frame.
    let standing = true;
    const stand = () => {
      if (!standing) return;
      exports.brontix_watch_whole();
      requestAnimationFrame(stand);
    };
    // The encoder takes a while to start, longer on a busy machine, and
    // drops what comes before: the stretch plays once it is encoding.
    const filming = performance.now();
    recorder.start(50);
    stand();
    await atMost(encoding, 3000);
    standing = false;
    after(exports.brontix_watch_play(performance.now()));
    await new Promise((resolve) => {
      const watchEnd = () => {
        if (exports.brontix_watch_point() >= to || !exports.brontix_watch_playing()) resolve();
        else requestAnimationFrame(watchEnd);
      };
      watchEnd();
    });
    after(exports.brontix_watch_pause());
    after(exports.brontix_watch_seek(to));
    // The last picture stands until the encoder, behind on a busy
    // machine, has handed over pictures as late as the end of the
    // stretch: the video's times count from its first picture, taken at
    // the earliest when filming began.
    const filmed = performance.now() - filming;
    const video = async () => new Uint8Array(await new Blob(chunks).arrayBuffer());
    standing = true;
    stand();
    const enough = performance.now() + 10000;
    while (reach(await video()) < filmed && performance.now() < enough) await atMost(data(), 1000);
    standing = false;
    recorder.stop();
    await stopped;
    for (const track of stream.getTracks()) track.stop();
    const link = $('clip-download');
    URL.revokeObjectURL(link.href);
    link.href = URL.createObjectURL(new Blob([withDuration(await video())], { type: 'video/webm' }));
    link.download = `brontix-clip-${from}-${to}.webm`;
    link.hidden = false;
    clipping = false;
    say(`Clip of ticks ${from} to ${to} ready.`);
  }

  // --- opening a script ---
  // The script's bytes as they are (the module reads them as the replay
  // driver does), `cut` when it went on past what the viewer takes.
  const open = (script, t, linked) => guarded(() => openWhole(script, t, linked));
  const compare = (script, linked) => guarded(() => compareWhole(script, linked));
  async function guarded(opening) {
    if (spent) { say('The viewer ran out of memory: reload the page to watch another recording.'); return; }
    try {
      await opening();
    } catch (e) {
      // The module stops when its memory runs out (it says so, as the
      // native viewer does) and cannot be called again.
      if (!(e instanceof Exit)) throw e;
      spent = true;
      opened = false;
      $('watch-stop').hidden = true;
      say('This recording cannot be watched: the viewer ran out of memory.');
    }
  }
  async function openWhole({ bytes, cut }, t, linked) {
    if (bytes.length === 0) { say(cut ? memory.cString(exports.brontix_watch_cut_short()) : 'This recording is empty.'); return; }
    const into = exports.brontix_watch_buffer(bytes.length);
    memory.bytes(into, bytes.length).set(bytes);
    if (!exports.brontix_watch_open()) {
      say(`This recording cannot be watched: ${memory.cString(exports.brontix_watch_error())}.`);
      return;
    }
    opened = true;
    const mine = ++openings;
    data = linked ?? await linkData(bytes);
    vs = '';
    $('watch-compared').hidden = true;
    document.body.classList.remove('comparing');
    const save = $('watch-save');
    URL.revokeObjectURL(save.href);
    save.href = URL.createObjectURL(new Blob([bytes], { type: 'application/x-brontix-recording' }));
    $('clip-download').hidden = true;
    $('watch-verdict').textContent = '';
    delete document.body.dataset.surveyed;
    exports.brontix_watch_whole();
    after(exports.brontix_watch_seek(0));
    document.body.dataset.watching = 'true';
    await surveyThrough(mine, t, cut ? `${memory.cString(exports.brontix_watch_cut_short())} ` : '');
  }
  // A second recording of the same wall, compared with the open one from
  // each game's New Game on.
  async function compareWhole({ bytes, cut }, linked) {
    if (!opened) { say('Open a recording first, then compare another with it.'); return; }
    if (bytes.length === 0) { say('The recording to compare with is empty.'); return; }
    const into = exports.brontix_watch_buffer(bytes.length);
    memory.bytes(into, bytes.length).set(bytes);
    if (!exports.brontix_watch_compare()) {
      say(`These recordings cannot be compared: ${memory.cString(exports.brontix_watch_error())}.`);
      return;
    }
    const mine = ++openings;
    vs = linked ?? await linkData(bytes);
    document.body.classList.add('comparing');
    delete document.body.dataset.surveyed;
    const cutShort = cut ? `The second recording: ${memory.cString(exports.brontix_watch_cut_short())} ` : '';
    await surveyThrough(mine, exports.brontix_watch_point(), cutShort);
  }
  // The survey runs in slices between the page's events: the part read
  // through can be watched meanwhile, and Cancel keeps just that. Then
  // the point `t` is shown.
  async function surveyThrough(mine, t, cutShort) {
    $('watch-stop').hidden = false;
    for (let done = false; !done;) {
      const until = performance.now() + SLICE_MS;
      while (!done && performance.now() < until) done = exports.brontix_watch_survey() === 1;
      $('watch-timeline').max = String(exports.brontix_watch_last());
      say(`Reading the recording through: ${Math.floor(exports.brontix_watch_surveyed_share() * 100)} %`);
      if (!done) await new Promise((resolve) => setTimeout(resolve, 0));
      if (mine !== openings) return;  // another recording was opened meanwhile
    }
    $('watch-stop').hidden = true;
    document.body.dataset.surveyed = 'true';
    $('watch-timeline').max = String(exports.brontix_watch_last());
    $('watch-verdict').textContent = memory.cString(exports.brontix_watch_verdict());
    marks();
    say(`${cutShort}${memory.cString(exports.brontix_watch_stopped_short())}`.trim());
    after(exports.brontix_watch_seek(t));
  }
  async function openLink(hash) {
    const link = parseLink(hash);
    if (!link) return;
    if (link.malformed) {
      say('This link is malformed: after #watch= it holds only the recording\'s letters, then &vs= and a second\'s, then &t= and a tick.');
      return;
    }
    if (opened && link.data === data && link.vs === vs) { seek(link.t); return; }
    if (!link.data) { say('Open a recording to watch it.'); return; }
    const scripts = [];
    for (const [which, linked] of [['', link.data], [' for the second game', link.vs]].filter(([, d]) => d)) {
      try {
        scripts.push(await scriptOf(linked, MAX_BYTES));
      } catch (e) {
        say(`This link holds no recording${which}: it is cut short or was changed.`);
        return;
      }
    }
    await open(scripts[0], link.t, link.data);
    if (opened && link.vs) await compare(scripts[1], link.vs);
  }
  async function readFile(file) {
    try {
      return await readBounded(file.stream(), MAX_BYTES);
    } catch (e) {
      say(`This file cannot be read: ${e.message}`);
      return null;
    }
  }
  // A file to watch, or to compare with the one open (`second`).
  async function openFile(file, second = false) {
    const script = await readFile(file);
    if (!script) return;
    if (second) await compare(script, null);
    else await open(script, 0, null);
    // Recordings small enough for an address get one, so a reload or a
    // bookmark keeps them; longer ones leave none (the address of another
    // recording would show that one).
    if (opened) history.replaceState(null, '', data.length + vs.length < 32000 ? address(data, 0, vs) : '#watch');
  }

  // --- the player's commands ---
  // A control used with the pointer leaves the keys to the viewer, so
  // Space plays rather than pressing the control again.
  tools.addEventListener('click', (e) => { if (e.detail > 0 && e.target instanceof HTMLButtonElement) e.target.blur(); });
  $('watch-start').addEventListener('click', () => seek(0));
  $('watch-end').addEventListener('click', () => seek(exports.brontix_watch_last()));
  $('watch-back').addEventListener('click', () => step(-1));
  $('watch-on').addEventListener('click', () => step(1));
  $('watch-back-second').addEventListener('click', () => step(-PER_SECOND));
  $('watch-on-second').addEventListener('click', () => step(PER_SECOND));
  $('watch-play').addEventListener('click', () => togglePlay());
  $('watch-speed').addEventListener('change', act(() => {
    $('watch-speed').blur();
    return exports.brontix_watch_speed(Number($('watch-speed').value), performance.now());
  }));
  $('watch-timeline').addEventListener('input', () => seek(Number($('watch-timeline').value)));
  $('clip-save').addEventListener('click', () => saveClip());
  // Chat programs cut a link at about this many characters (or turn it
  // into a file): a longer one is said to be too long, and the file offered.
  const LONGEST_LINK = 2000;
  $('watch-stop').addEventListener('click', () => exports.brontix_watch_stop_survey());
  $('watch-copy').addEventListener('click', (e) => {
    e.preventDefault();
    const href = e.currentTarget.href;
    const warning = href.length <= LONGEST_LINK ? ''
      : ` It is ${href.length} characters long, and chat programs cut links past about ${LONGEST_LINK}: share the recording's file instead (Save the recording).`;
    navigator.clipboard.writeText(href).then(() => say(`Link copied.${warning}`), () => say(`Copy the link from its menu.${warning}`));
  });
  $('watch-file').addEventListener('change', (e) => { if (e.target.files[0]) openFile(e.target.files[0]); });
  $('watch-compare-file').addEventListener('change', (e) => { if (e.target.files[0]) openFile(e.target.files[0], true); });
  // A file dropped on "Compare with..." is compared with the one open; two
  // dropped at once, the second with the first; one anywhere else is
  // watched.
  document.addEventListener('dragover', (e) => e.preventDefault());
  document.addEventListener('drop', async (e) => {
    e.preventDefault();
    const [first, second] = e.dataTransfer.files;
    if (!first) return;
    const onCompare = e.target instanceof Element && e.target.closest('.watch-compare');
    await openFile(first, Boolean(onCompare) && !second);
    if (second && opened) await openFile(second, true);
  });
  // The keys reach the viewer wherever the focus is, but a control's own
  // Space and Enter.
  document.addEventListener('keydown', (e) => {
    // What is typed into a field is the field's (End, the arrows).
    if (e.ctrlKey || e.altKey || e.metaKey || (e.target instanceof HTMLInputElement && e.target.type !== 'range')) return;
    const second = e.shiftKey ? PER_SECOND : 1;
    const keys = {
      ArrowLeft: () => step(-second), ArrowRight: () => step(second),
      Home: () => seek(0), End: () => seek(exports.brontix_watch_last()),
    };
    if (e.key === ' ' && !(e.target instanceof HTMLButtonElement || e.target instanceof HTMLSelectElement)) keys[' '] = () => togglePlay();
    if (!keys[e.key]) return;
    e.preventDefault();
    keys[e.key]();
  }, true);
  window.addEventListener('hashchange', () => openLink(location.hash));
  // Hidden, it pauses: nobody is watching.
  document.addEventListener('visibilitychange', act(() => (document.visibilityState === 'hidden'
    ? exports.brontix_watch_pause() : exports.brontix_watch_advance(performance.now()))));
  // The installed app opens .brontix files it is the handler of.
  if ('launchQueue' in window) {
    window.launchQueue.setConsumer((params) => { if (params.files && params.files[0]) params.files[0].getFile().then(openFile); });
  }
  // The canvas's device pixels across, each a pixel of the picture.
  const rescale = (deviceWidth) => {
    if (spent) return;
    const wake = exports.brontix_watch_scale(deviceWidth);
    if (opened) after(wake);
    // The timeline's width changed: marks group anew.
    if (document.body.dataset.surveyed === 'true') marks();
  };
  return openLink(location.hash).then(() => ({ rescale }));
}
