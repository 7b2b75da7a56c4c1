// The page's side of the browser edition: loads the game's WebAssembly
// module, gives it the page (caption, canvas, box, backdrop, clocks) and
// passes it the player's input and its wake-ups. Each call into the game
// says when it wants its next wake-up; the canvas changes only where the
// game drew something.
(async function () {
  'use strict';
  const $ = (id) => document.getElementById(id);
  const game = $('game'), canvas = $('playfield'), backdrop = $('backdrop'), box = $('box');
  const ctx = canvas.getContext('2d');
  // Tests fix the clock the random source is seeded from; players never do.
  const fixedClock = new URLSearchParams(location.search).get('clock');

  let memory, exports, image = null, pendingBox = null, wakeTimer = 0, recording = '';
  const text = (ptr, len) => new TextDecoder().decode(new Uint8Array(memory.buffer, ptr, len));
  const ints = (ptr, count) => new Int32Array(memory.buffer, ptr, count);
  const put = (ptr, rect) => ints(ptr, 4).set([rect.left, rect.top, rect.width, rect.height].map(Math.round));

  const page = {
    clock: () => (fixedClock !== null
      ? BigInt.asUintN(64, BigInt(fixedClock))
      : BigInt(Date.now()) * 1000000n + BigInt(Math.floor((performance.now() % 1) * 1e6))),
    now_ms: () => performance.now(),
    set_caption(ptr, len) {
      $('caption').textContent = document.title = text(ptr, len);
    },
    message_box(ptr, len) { pendingBox = text(ptr, len); },
    present(framePtr, rectsPtr, count) {
      if (!image || image.data.buffer !== memory.buffer) {
        image = new ImageData(new Uint8ClampedArray(memory.buffer, framePtr, 640 * 530 * 4), 640, 530);
      }
      const r = ints(rectsPtr, 4 * count);
      for (let i = 0; i < count; ++i) ctx.putImageData(image, 0, 0, r[4 * i], r[4 * i + 1], r[4 * i + 2], r[4 * i + 3]);
    },
    show_backdrop() {
      backdrop.hidden = false;
      // Granted only while the player's click is being handled, and then
      // later: the centring runs again when the backdrop grows (resize).
      if (!document.fullscreenElement && document.fullscreenEnabled) {
        document.documentElement.requestFullscreen().catch(() => {});
      }
    },
    backdrop_rect(ptr) { put(ptr, backdrop.getBoundingClientRect()); },
    game_rect(ptr) { put(ptr, game.getBoundingClientRect()); },
    hide_game() { game.style.visibility = 'hidden'; },
    move_game(left, top) {
      game.classList.add('on-backdrop');
      game.style.left = `${left}px`;
      game.style.top = `${top}px`;
    },
    show_game_owned() { game.style.visibility = ''; },
    record(ptr, len) { recording += text(ptr, len); },
  };

  const { brontixWasi } = window;
  const wasi = brontixWasi.wasi(() => memory, {
    read: () => 0,
    write: (fd, bytes) => console.log(new TextDecoder().decode(bytes)),
  }, ['brontix']);
  const { instance } = await WebAssembly.instantiateStreaming(fetch('brontix.wasm'), {
    wasi_snapshot_preview1: wasi, brontix: page,
  });
  exports = instance.exports;
  memory = exports.memory;
  exports._initialize();

  // After every call into the game: open a box it raised, and wake it when
  // it asks (next is on performance.now()'s clock; -1 is never).
  function after(next) {
    if (pendingBox !== null && !box.open) {
      $('box-text').textContent = pendingBox;
      pendingBox = null;
      box.showModal();
    }
    clearTimeout(wakeTimer);
    wakeTimer = next >= 0 ? setTimeout(onWake, Math.max(0, next - performance.now())) : 0;
  }
  function onWake() {
    wakeTimer = 0;
    after(exports.brontix_wake());
  }
  // The box is modal: the rest of the page is inert until OK (or Esc).
  box.addEventListener('close', () => after(exports.brontix_box_closed()));

  const scale = () => canvas.width / canvas.clientWidth;
  canvas.addEventListener('mousemove', (e) => {
    after(exports.brontix_pointer(e.offsetX * scale(), e.offsetY * scale()));
  });
  // A click is a release of the left button over the playfield.
  canvas.addEventListener('mouseup', (e) => {
    if (e.button === 0) after(exports.brontix_click());
  });
  // Typed characters by their code, so only a lower-case p pauses; keys
  // with Ctrl, Alt or Meta belong to the browser (Alt+N is New Game's).
  document.addEventListener('keydown', (e) => {
    if (box.open || e.ctrlKey || e.altKey || e.metaKey || e.key.length !== 1) return;
    e.preventDefault();
    after(exports.brontix_key(e.key.charCodeAt(0)));
  });
  for (const [id, command] of [['new-game', 0], ['demo', 1], ['full-screen', 2]]) {
    $(id).addEventListener('click', (e) => {
      e.currentTarget.blur();
      after(exports.brontix_menu(command));
    });
  }

  // The backdrop stays until the player leaves it: its close button, or
  // leaving the browser's full-screen mode.
  function leaveBackdrop() {
    backdrop.hidden = true;
    game.classList.remove('on-backdrop');
    game.style.left = game.style.top = '';
    if (document.fullscreenElement) document.exitFullscreen().catch(() => {});
  }
  $('backdrop-close').addEventListener('click', leaveBackdrop);
  document.addEventListener('fullscreenchange', () => {
    if (!document.fullscreenElement && !backdrop.hidden) leaveBackdrop();
  });
  window.addEventListener('resize', () => {
    if (!backdrop.hidden) after(exports.brontix_menu(2));
  });

  // The visit's recording, a replay script, offered beside the game.
  $('recording').addEventListener('click', (e) => {
    const link = e.currentTarget;
    URL.revokeObjectURL(link.href);
    link.href = URL.createObjectURL(new Blob([recording], { type: 'text/plain' }));
  });

  // For tests: ticks run so far and whether the timer is on.
  window.brontixStatus = () => ({
    ticks: exports.brontix_ticks(), timer: exports.brontix_timer() === 1, box: box.open,
  });
  window.brontixRecording = () => recording;
  after(exports.brontix_start());
  document.body.dataset.ready = 'true';
})();
