// SPDX-FileCopyrightText: 2026 The Brontix developers
// SPDX-License-Identifier: MIT
// The page's side of the browser edition: loads the game's WebAssembly
// module, gives it the page (caption, canvas, box, backdrop, clocks), and
// passes it the player's input and its wake-ups. Each call into the game
// says when it wants its next wake-up, which a timer keeps; an animation
// frame is asked for only when the game drew something, and puts what it
// drew on the canvas. While nothing changes, nothing runs between
// wake-ups.
(async function () {
  'use strict';
  const $ = (id) => document.getElementById(id);
  const stage = $('stage'), game = $('game'), canvas = $('playfield'), backdrop = $('backdrop'),
    box = $('box'), tools = $('tools'), menu = [...document.querySelectorAll('#menubar button')];
  const ctx = canvas.getContext('2d');
  window.brontixStarted = true;
  (window.brontixStamps ??= {})['brontix.js'] = '@BUILD@';
  // Tests fix the clock the random source is seeded from; players never
  // do. A clock that is not a whole number is no clock.
  const clockParam = new URLSearchParams(location.search).get('clock');
  const fixedClock = /^\d{1,20}$/.test(clockParam ?? '') ? clockParam : null;

  // --- fitting the window to the screen ------------------------------------------
  // The whole window scales: down to fit a small screen, up by whole
  // numbers where there is room, placed on whole device pixels. The
  // playfield's canvas has one pixel for each device pixel it covers, and
  // the game draws its frames at that scale (rescaled), so it is crisp at
  // any fit and any device pixel ratio.
  const PAD = 8;
  // The playfield's size: the markup's lays out the page until the module,
  // which owns it, is there to say.
  let FIELD_W = canvas.width, FIELD_H = canvas.height, exports = null;
  // CSS pixels kept beside the playfield, sideways, for the caption and
  // the menu.
  const SIDE = 160;
  const coarse = matchMedia('(pointer: coarse)'), backdropBar = backdrop.querySelector('.caption');
  let scale = 1, deviceWidth = FIELD_W, rescaled = () => {};
  // The page lays out in 64ths of a CSS pixel: at 1.5 device pixels a CSS
  // pixel, only every second CSS pixel is a whole device pixel in those
  // terms. The nearest such place.
  function onGrain(v) {
    let grain = 1 / 64;
    while (grain < 16 && Math.abs(grain * devicePixelRatio - Math.round(grain * devicePixelRatio)) > 1e-9) grain += 1 / 64;
    return Math.round(v / grain) * grain;
  }
  // The frame's height for a frame w pixels wide, as the game works it out
  // (before the module is there, near enough to lay out the page).
  const deviceHeight = (w) => (exports ? exports.brontix_frame_height(w) : (w * FIELD_H) / FIELD_W);
  // Sizes the canvas `cssWidth` CSS pixels across at `across` device pixels
  // a CSS pixel, to whole device pixels.
  function sizeCanvas(cssWidth, across) {
    deviceWidth = Math.max(1, Math.round(cssWidth * across));
    canvas.style.width = `${deviceWidth / across}px`;
    canvas.style.height = `${deviceHeight(deviceWidth) / across}px`;
  }
  function fit() {
    Object.assign(canvas.style, { width: '', height: '', translate: '' });
    const thumb = coarse.matches;
    document.body.classList.toggle('coarse', thumb);
    if (thumb) fitForThumb();
    else fitWindow();
    align();
    rescaled();
  }
  function fitWindow() {
    // The layout viewport: the screen's size in CSS pixels, which a pinch
    // zoom leaves alone.
    const { clientWidth: vw, clientHeight: vh } = document.documentElement;
    Object.assign(game.style, { width: '', transform: '' });
    const w = game.offsetWidth, h = game.offsetHeight;
    const room = Math.min((vw - 2 * PAD) / w, (vh - 3 * PAD - tools.offsetHeight) / h);
    scale = room >= 1 ? Math.floor(room) : Math.max(room, 0.1);
    game.style.transform = scale === 1 ? '' : `scale(${scale})`;
    // The canvas's size in CSS pixels is that of its device pixels.
    sizeCanvas(FIELD_W, scale * devicePixelRatio);
    // Scaled by a whole number, the canvas's corner (rather than the
    // window's) is put on the layout's grain; scaled by a fraction, the
    // window goes on a device pixel and align() moves the canvas.
    const c = canvas.getBoundingClientRect(), g = game.getBoundingClientRect();
    const place = (v, inner) => Number.isInteger(scale) ? onGrain(v + inner) - inner
      : Math.round(v * devicePixelRatio) / devicePixelRatio;
    const left = place(Math.max(PAD, (vw - w * scale) / 2), c.left - g.left);
    const top = place(Math.max(PAD, (vh - h * scale - tools.offsetHeight - PAD) / 2), c.top - g.top);
    Object.assign(stage.style, { left: `${left}px`, top: `${top}px`, width: `${w * scale}px`, height: `${h * scale}px` });
    // Beneath the window and as wide: the viewer's controls wrap to fit.
    Object.assign(tools.style, { left: `${left}px`, top: `${top + h * scale + PAD}px`, width: `${w * scale}px` });
  }
  // A finger (a coarse primary pointer) gets the window laid out for a
  // thumb: the caption and a menu bar of commands a thumb can hit at the
  // screen's own size, and the playfield as large as the screen allows:
  // upright as wide as the screen, sideways as high, with the caption and
  // the menu beside it. The stage is the whole screen (below the
  // backdrop's bar, while it is up), so that a finger anywhere on or
  // beneath the playfield steers.
  function fitForThumb() {
    const { clientWidth: vw, clientHeight: vh } = document.documentElement;
    const sideways = vw > vh;
    document.body.classList.toggle('sideways', sideways);
    scale = 1;
    Object.assign(game.style, { transform: '', width: `${vw}px` });
    const top = backdrop.hidden ? 0 : backdropBar.offsetHeight, room = vh - top;
    const bars = sideways ? 0 : game.offsetHeight - canvas.offsetHeight;
    const width = sideways ? Math.min((room * FIELD_W) / FIELD_H, vw - SIDE)
      : Math.min(vw, ((room - bars - tools.offsetHeight - PAD) * FIELD_W) / FIELD_H);
    sizeCanvas(width, devicePixelRatio);
    Object.assign(stage.style, { left: '0px', top: `${top}px`, width: `${vw}px`, height: `${room}px` });
    const toolsWidth = sideways ? vw - canvas.offsetWidth - 2 * PAD : vw - 2 * PAD;
    Object.assign(tools.style, { left: `${PAD}px`, top: `${vh - tools.offsetHeight - PAD}px`, width: `${toolsWidth}px` });
  }
  // The canvas's corner on a device pixel: the window's borders, caption
  // and menu bar, scaled, can leave it between two.
  function align() {
    canvas.style.translate = '';
    const r = canvas.getBoundingClientRect(), across = scale * devicePixelRatio;
    const off = (v) => (Math.round(v * devicePixelRatio) - v * devicePixelRatio) / across;
    const x = off(r.left), y = off(r.top);
    if (Math.abs(x) * across > 0.01 || Math.abs(y) * across > 0.01) canvas.style.translate = `${x}px ${y}px`;
  }
  fit();

  // --- one build, and the next one offered -----------------------------------------------------
  // Every file of the site carries the build it belongs to; a page whose
  // files do not all say the same is a fault (tests look).
  window.brontixBuild = () => ({
    ...window.brontixStamps,
    'index.html': document.querySelector('meta[name="brontix-build"]').content,
    'brontix.css': getComputedStyle(document.documentElement).getPropertyValue('--brontix-build').trim().replace(/"/g, ''),
  });
  // The service worker keeps the site for offline play. When a newer
  // build's worker has its files, the page says so in one line; the new
  // build takes over when the player asks for it, and the page reloads then,
  // never by itself.
  function offerNewVersions() {
    if (!('serviceWorker' in navigator)) return;
    const sw = navigator.serviceWorker;
    let asked = false;
    sw.addEventListener('controllerchange', () => { if (asked) location.reload(); });
    const offer = (worker) => {
      if (worker.state !== 'installed' || !sw.controller) return;
      $('update').hidden = false;
      $('update-reload').onclick = (e) => {
        e.preventDefault();
        asked = true;
        // Another tab may have let it take over already.
        if (worker.state === 'activated') location.reload();
        else worker.postMessage('take over');
      };
    };
    const follow = (worker) => {
      if (!worker) return;
      offer(worker);
      worker.addEventListener('statechange', () => offer(worker));
    };
    sw.register('sw.js').then((registration) => {
      follow(registration.waiting);
      follow(registration.installing);
      registration.addEventListener('updatefound', () => follow(registration.installing));
    }).catch(() => {});
  }

  // --- a page that cannot start the game says why ---------------------------------------
  const escaped = (s) => String(s).replace(/[&<>"]/g, (c) => `&#${c.charCodeAt(0)};`);
  function failed(html) {
    const failure = $('failure');
    failure.innerHTML = html;
    failure.hidden = false;
    document.body.dataset.failed = 'true';
  }
  const howToStart = 'Start it with <code>make web-run</code> and open the address it prints, or serve ' +
    'the folder <code>build-web/site</code> from any web server that sends <code>.wasm</code> files as ' +
    '<code>application/wasm</code>.';
  if (location.protocol === 'file:') {
    failed(`<p>This page was opened from a file, and browsers run the game only from a web server.</p><p>${howToStart}</p>`);
    return;
  }

  let memory, pendingBox = null, wakeTimer = 0, frameRequest = 0, recording = '';
  // The rectangles the game drew since the last animation frame, put then
  // from the game's RGBA frame, which holds the newest pixels of each.
  const drawn = {
    image: null, rects: [],
    add(framePtr, width, height, x, y, w, h) {
      if (!this.image || this.image.data.buffer !== memory.buffer || this.image.data.byteOffset !== framePtr ||
          this.image.width !== width || this.image.height !== height) {
        this.image = new ImageData(new Uint8ClampedArray(memory.buffer, framePtr, width * height * 4), width, height);
      }
      // A canvas given a new size is cleared: the frame comes whole after.
      if (canvas.width !== width || canvas.height !== height) Object.assign(canvas, { width, height });
      this.rects.push([x, y, w, h]);
    },
    put() {
      frameRequest = 0;
      for (const [x, y, w, h] of this.rects) ctx.putImageData(this.image, 0, 0, x, y, w, h);
      this.rects.length = 0;
    },
  };
  const text = (ptr, len) => new TextDecoder().decode(new Uint8Array(memory.buffer, ptr, len));
  const ints = (ptr, count) => new Int32Array(memory.buffer, ptr, count);

  // Where the viewer of recordings takes its answers, once it is there.
  const watching = {};
  const page = {
    clock: () => (fixedClock !== null
      ? BigInt.asUintN(64, BigInt(fixedClock))
      : BigInt(Date.now()) * 1000000n + BigInt(Math.floor((performance.now() % 1) * 1e6))),
    now_ms: () => performance.now(),
    set_caption(ptr, len) {
      $('caption').textContent = document.title = text(ptr, len);
    },
    message_box(ptr, len) { pendingBox = text(ptr, len); },
    present(framePtr, width, height, rectsPtr, count) {
      const r = ints(rectsPtr, 4 * count);
      for (let i = 0; i < count; ++i) drawn.add(framePtr, width, height, r[4 * i], r[4 * i + 1], r[4 * i + 2], r[4 * i + 3]);
      if (!frameRequest) frameRequest = requestAnimationFrame(() => drawn.put());
    },
    show_backdrop() {
      backdrop.hidden = false;
      if (coarse.matches) fit();
      // Granted only while the player's click is being handled, and then
      // later: the centring runs again when the backdrop grows (resize).
      if (!document.fullscreenElement && document.fullscreenEnabled) {
        document.documentElement.requestFullscreen().catch(() => {});
      }
    },
    hide_game() { game.style.visibility = 'hidden'; },
    move_game(left, top) {
      game.classList.add('on-backdrop');
      // For a thumb the window fills the screen already, enlarged, and
      // stays as it is laid out, below the backdrop's bar.
      if (coarse.matches) [left, top] = [0, backdropBar.offsetHeight];
      game.style.left = `${left}px`;
      game.style.top = `${top}px`;
      align();
    },
    show_game_owned() { game.style.visibility = ''; },
    watch_box(ptr, len) { watching.box(text(ptr, len)); },
    watch_shown(point, playing, ptr, len) { watching.shown(point, playing === 1, text(ptr, len)); },
    record(ptr, len) {
      recording += text(ptr, len);
      renewSoon();
    },
  };

  try {
    const { brontixWasi } = window;
    if (!brontixWasi) throw new Error('<code>wasi.js</code> did not load');
    const wasi = brontixWasi.wasi(() => memory, {
      read: () => 0,
      write: (fd, bytes) => console.log(new TextDecoder().decode(bytes)),
    }, ['brontix']);
    const response = await fetch('brontix.wasm').catch(() => {
      throw new Error('the network failed');
    });
    if (!response.ok) {
      throw new Error(`<code>brontix.wasm</code> could not be loaded (${escaped(response.status)} ${escaped(response.statusText)})`);
    }
    const type = response.headers.get('Content-Type') || 'no type';
    if (!type.startsWith('application/wasm')) {
      throw new Error(`the server sent <code>brontix.wasm</code> as <code>${escaped(type)}</code>, not <code>application/wasm</code>`);
    }
    const { module, instance } = await WebAssembly.instantiateStreaming(response, { wasi_snapshot_preview1: wasi, brontix: page });
    const [stamp] = WebAssembly.Module.customSections(module, 'brontix-build');
    window.brontixStamps['brontix.wasm'] = stamp ? new TextDecoder().decode(stamp) : 'none';
    exports = instance.exports;
    memory = exports.memory;
    if (typeof exports._initialize !== 'function' || !(memory instanceof WebAssembly.Memory)) {
      throw new Error('<code>brontix.wasm</code> is not the game\'s module (it has no <code>_initialize</code>)');
    }
    exports._initialize();
    FIELD_W = exports.brontix_playfield_width();
    FIELD_H = exports.brontix_playfield_height();
    fit();  // now to the game's own sizes
  } catch (e) {
    // The page's own reasons are written as HTML; anything else is text.
    const why = e.constructor === Error ? e.message : escaped(e.message);
    failed(`<p>The game could not start: ${why}.</p><p>${howToStart}</p>`);
    return;
  }

  // A link to watch a recording: the viewer, and no game.
  if (window.brontixParseWatch && window.brontixParseWatch(location.hash)) {
    const viewer = await window.brontixWatch(exports, () => memory, $, watching);
    rescaled = () => viewer.rescale(deviceWidth);
    fit();
    window.addEventListener('resize', fit);
    offerNewVersions();
    document.body.dataset.ready = 'true';
    return;
  }
  // Following a link to watch a recording from the game's page.
  window.addEventListener('hashchange', () => {
    if (window.brontixParseWatch(location.hash)) location.reload();
  });

  // After every call into the game: open a box it raised, and wake it when
  // it asks (next is on performance.now()'s clock; -1 is never).
  function after(next) {
    if (pendingBox !== null && !box.open) {
      $('box-text').textContent = pendingBox;
      pendingBox = null;
      box.showModal();
    }
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
  box.addEventListener('close', () => after(exports.brontix_box_closed()));

  // --- the pointer ---------------------------------------------------------------------
  // Playfield pixels of a point on the screen, whatever the window's scale:
  // its device pixels over the canvas, divided by the frame's scale.
  function field(e) {
    const r = canvas.getBoundingClientRect(), across = FIELD_W / deviceWidth;
    return [(e.clientX - r.left) * devicePixelRatio * across, (e.clientY - r.top) * devicePixelRatio * across];
  }
  const steer = (e) => after(exports.brontix_pointer(...field(e)));
  // The mouse: every move over the playfield steers, and every release of
  // the left button over it is a click.
  let inside = null;  // the mouse's last place over the playfield
  canvas.addEventListener('mousemove', (e) => {
    inside = field(e);
    steer(e);
  });
  // A fast flick leaves the playfield between two moves, and the browser
  // reports no move outside it: the paddle would stop short of the wall. The
  // game is handed one last move where the path crossed the edge, on the
  // edge's last pixel.
  canvas.addEventListener('mouseleave', (e) => {
    if (!inside) return;
    const [x0, y0] = inside, [x1, y1] = field(e);
    inside = null;
    after(exports.brontix_leave(x0, y0, x1, y1));
  });
  canvas.addEventListener('mouseup', (e) => {
    if (e.button === 0) after(exports.brontix_click());
  });
  // A finger or a pen: a drag steers, a tap (a press and release that did
  // not wander) is a click. It may start anywhere on or beneath the
  // playfield but on a control: its x maps to the playfield and its y is
  // held inside it, so the finger need not cover the paddle. Its pointer
  // is held by the stage until it lifts, and the browser makes no mouse
  // events of it.
  const TAP = 10;  // CSS pixels a tap may wander
  let press = null;
  const touched = (e) => {
    const [x, y] = field(e);
    return [x, Math.min(Math.max(y, 0), FIELD_H - 1)];
  };
  stage.addEventListener('pointerdown', (e) => {
    if (e.pointerType === 'mouse' || e.target.closest('button, a, .caption, .menubar')) return;
    if (e.clientY < canvas.getBoundingClientRect().top) return;
    e.preventDefault();
    stage.setPointerCapture(e.pointerId);
    press = { id: e.pointerId, x: e.clientX, y: e.clientY, tap: true };
  });
  stage.addEventListener('pointermove', (e) => {
    if (e.pointerType === 'mouse') return;
    if (press && press.id === e.pointerId) {
      if (Math.hypot(e.clientX - press.x, e.clientY - press.y) > TAP) press.tap = false;
      after(exports.brontix_pointer(...touched(e)));
    } else if (e.pointerType === 'pen' && !press && e.target === canvas) {
      steer(e);  // a pen hovering steers as a mouse does
    }
  });
  stage.addEventListener('pointerup', (e) => {
    if (!press || press.id !== e.pointerId) return;
    const tap = press.tap;
    press = null;
    if (tap) after(exports.brontix_click());
  });
  stage.addEventListener('pointercancel', () => { press = null; });

  // --- keys and the menu bar ---------------------------------------------------------------
  // Typed characters by their code, so only a lower-case p pauses; keys
  // with Ctrl, Alt or Meta belong to the browser (Alt+N is New Game's), and
  // Space on a menu command is the command's.
  document.addEventListener('keydown', (e) => {
    // While the backdrop is up, Escape is the way out of it.
    if (e.key === 'Escape' && !backdrop.hidden && !box.open) {
      e.preventDefault();
      leaveBackdrop();
      return;
    }
    if (box.open || e.ctrlKey || e.altKey || e.metaKey || e.key.length !== 1) return;
    if (e.key === ' ' && menu.includes(e.target)) return;
    e.preventDefault();
    after(exports.brontix_key(e.key.charCodeAt(0)));
  });
  // Each button names its command by the word a recording has for it.
  const word = (ptr) => {
    const bytes = new Uint8Array(memory.buffer, ptr);
    return new TextDecoder().decode(bytes.subarray(0, bytes.indexOf(0)));
  };
  const commands = Array.from({ length: exports.brontix_menu_commands() }, (_, i) => word(exports.brontix_menu_word(i)));
  for (const button of menu) {
    const command = commands.indexOf(button.dataset.command);
    button.addEventListener('click', (e) => {
      // A click of the pointer leaves the focus to the game; the keyboard
      // keeps it on the menu bar.
      if (e.detail > 0) button.blur();
      // Full Screen centres the window by where it stands now.
      placeWindows();
      after(exports.brontix_menu(command));
    });
  }
  // The arrow keys, Home and End move along the menu bar; Tab reaches it
  // once.
  $('menubar').addEventListener('keydown', (e) => {
    const at = menu.indexOf(e.target);
    const to = { ArrowRight: at + 1, ArrowLeft: at - 1, Home: 0, End: menu.length - 1 }[e.key];
    if (at < 0 || to === undefined) return;
    e.preventDefault();
    const next = menu[(to + menu.length) % menu.length];
    for (const b of menu) b.tabIndex = b === next ? 0 : -1;
    next.focus();
  });

  // A hidden page (another tab, a minimised browser, a phone's home screen)
  // pauses a running game as p would, so that nothing is lost unseen; p
  // resumes it.
  document.addEventListener('visibilitychange', () => {
    if (document.visibilityState === 'hidden') after(exports.brontix_unseen());
  });

  // --- full screen ------------------------------------------------------------------------
  // Tells the game where its windows stand: the backdrop covers the page's
  // viewport; the game window's frame is where it is laid out.
  function placeWindows() {
    const root = document.documentElement, r = game.getBoundingClientRect();
    return exports.brontix_windows(0, 0, root.clientWidth, root.clientHeight,
      ...[r.left, r.top, r.width, r.height].map(Math.round));
  }
  // The backdrop stays until the player leaves it: its close button, or
  // leaving the browser's full-screen mode.
  function leaveBackdrop() {
    backdrop.hidden = true;
    game.classList.remove('on-backdrop');
    game.style.left = game.style.top = '';
    align();
    if (document.fullscreenElement) document.exitFullscreen().catch(() => {});
    after(exports.brontix_backdrop_closed());
  }
  $('backdrop-close').addEventListener('click', leaveBackdrop);
  document.addEventListener('fullscreenchange', () => {
    if (!document.fullscreenElement && !backdrop.hidden) leaveBackdrop();
  });
  window.addEventListener('resize', () => {
    fit();
    // The backdrop grew or shrank: the game centres its window again,
    // recording nothing.
    if (!backdrop.hidden) after(placeWindows());
  });

  // --- the visit's recording, and the site offline -------------------------------------------
  // Both links have a real address before they are clicked (for a long
  // press or "Save link as"), renewed a quarter of a second after the
  // recording grew, with the ticks run by then: while the game runs, never
  // more than about 16 ticks behind it.
  const begun = new Date().toISOString().replace(/[-:]/g, '').replace('T', '-').slice(0, 15);
  $('recording').download = `brontix-${begun}.brontix`;
  let renewals = 0, renewTimer = 0;
  // The download's address at once; the watch link once it is compressed,
  // unless a newer one was asked for meanwhile.
  function renew() {
    const mine = ++renewals;
    const download = $('recording');
    URL.revokeObjectURL(download.href);
    download.href = URL.createObjectURL(new Blob([recording], { type: 'application/x-brontix-recording' }));
    return window.brontixWatchLink(recording).then((link) => {
      if (mine === renewals) $('watch-visit').href = link;
    });
  }
  // The ticks since the recording's last line are written first.
  const upToNow = () => {
    clearTimeout(renewTimer);
    renewTimer = 0;
    exports.brontix_settle();
    return renew();
  };
  function renewSoon() {
    if (!renewTimer) renewTimer = setTimeout(upToNow, 250);
  }
  // A click takes everything up to that moment.
  $('recording').addEventListener('click', upToNow);
  $('watch-visit').addEventListener('click', async (e) => {
    e.preventDefault();
    await upToNow();
    window.open($('watch-visit').href, '_blank');
  });
  offerNewVersions();

  // For tests: ticks run so far, whether the timer is on, the recording.
  window.brontixStatus = () => ({
    ticks: exports.brontix_ticks(), timer: exports.brontix_timer() === 1, box: box.open, scale,
  });
  window.brontixRecording = () => recording;
  after(exports.brontix_start());
  rescaled = () => after(exports.brontix_scale(deviceWidth));
  rescaled();
  drawn.put();  // the first frame at once
  document.body.dataset.ready = 'true';
})();
