// SPDX-FileCopyrightText: 2026 The Brontix developers
// SPDX-License-Identifier: MIT
// Fitting the game window to the screen, and where a point of the screen
// is on the playfield. The whole window scales: down to fit a small
// screen, up by whole numbers where there is room, placed on whole device
// pixels. The playfield's canvas has one pixel for each device pixel it
// covers, and the game draws its frames at that scale, so it is crisp at
// any fit and any device pixel ratio.
export const BUILD = '@BUILD@';

const PAD = 8;
// The links' width beside the game, CSS pixels at the game's own size.
const BESIDE = 320;
// CSS pixels kept beside the playfield, sideways, for the caption and the
// menu.
const SIDE = 160;

// The page lays out in 64ths of a CSS pixel: at 1.5 device pixels a CSS
// pixel, only every second CSS pixel is a whole device pixel in those
// terms. The nearest such place.
function onGrain(v) {
  let grain = 1 / 64;
  while (grain < 16 && Math.abs(grain * devicePixelRatio - Math.round(grain * devicePixelRatio)) > 1e-9) grain += 1 / 64;
  return Math.round(v / grain) * grain;
}

export class Layout {
  // The page's elements: #stage, #game, #playfield, #backdrop, #tools.
  constructor({ stage, game, canvas, backdrop, tools }) {
    Object.assign(this, { stage, game, canvas, backdrop, tools });
    this.backdropBar = backdrop.querySelector('.caption');
    this.coarse = matchMedia('(pointer: coarse)');
    // The playfield's size: the markup's lays out the page until the
    // module, which owns it, is there to say.
    this.field = { width: canvas.width, height: canvas.height };
    this.frameHeight = (w) => (w * this.field.height) / this.field.width;
    this.scale = 1;
    this.deviceWidth = this.field.width;
    // Called after every fit, with the canvas's device pixels across.
    this.rescaled = () => {};
  }

  // The module's own sizes and its rounding of a frame's height.
  useModule(exports) {
    this.field = { width: exports.brontix_playfield_width(), height: exports.brontix_playfield_height() };
    this.frameHeight = (w) => exports.brontix_frame_height(w);
    this.fit();
  }

  fit() {
    Object.assign(this.canvas.style, { width: '', height: '', translate: '' });
    const thumb = this.coarse.matches;
    document.body.classList.toggle('coarse', thumb);
    if (thumb) this.fitForThumb();
    else this.fitWindow();
    this.align();
    this.rescaled(this.deviceWidth);
  }

  // Sizes the canvas `cssWidth` CSS pixels across at `across` device pixels
  // a CSS pixel, to whole device pixels.
  sizeCanvas(cssWidth, across) {
    this.deviceWidth = Math.max(1, Math.round(cssWidth * across));
    this.canvas.style.width = `${this.deviceWidth / across}px`;
    this.canvas.style.height = `${this.frameHeight(this.deviceWidth) / across}px`;
  }

  fitWindow() {
    const { stage, game, canvas, tools } = this;
    // The layout viewport: the screen's size in CSS pixels, which a pinch
    // zoom leaves alone.
    const { clientWidth: vw, clientHeight: vh } = document.documentElement;
    Object.assign(game.style, { width: '', transform: '' });
    const w = game.offsetWidth, h = game.offsetHeight;
    // The links grow with the game (--ui): as far as the game's whole
    // scale while the game still fits at it beside them (a long panel
    // open under the game may keep them smaller).
    const roomWith = (ui) => {
      tools.style.setProperty('--ui', String(ui));
      return Math.min((vw - 2 * PAD) / w, (vh - 3 * PAD - tools.offsetHeight) / h);
    };
    // A screen wide enough for the game at twice its size or more and the
    // links beside it, at the same scale, has them there.
    let beside = 0;
    for (let k = Math.floor((vh - 2 * PAD) / h); k >= 2 && !beside; --k) {
      if (w * k + BESIDE * k + 3 * PAD <= vw) beside = k;
    }
    const room = beside || roomWith(1);
    const scale = this.scale = room >= 1 ? Math.floor(room) : Math.max(room, 0.1);
    if (beside) tools.style.setProperty('--ui', String(beside));
    for (let ui = beside ? 0 : Math.floor(scale); ui > 1; --ui) {
      if (roomWith(ui) >= scale) break;
      roomWith(1);
    }
    game.style.transform = scale === 1 ? '' : `scale(${scale})`;
    // The canvas's size in CSS pixels is that of its device pixels.
    this.sizeCanvas(this.field.width, scale * devicePixelRatio);
    // Scaled by a whole number, the canvas's corner (rather than the
    // window's) is put on the layout's grain; scaled by a fraction, the
    // window goes on a device pixel and align() moves the canvas.
    const c = canvas.getBoundingClientRect(), g = game.getBoundingClientRect();
    const place = (v, inner) => Number.isInteger(scale) ? onGrain(v + inner) - inner
      : Math.round(v * devicePixelRatio) / devicePixelRatio;
    const besideWidth = beside ? BESIDE * beside + PAD : 0;
    const left = place(Math.max(PAD, (vw - w * scale - besideWidth) / 2), c.left - g.left);
    const top = place(Math.max(PAD, (vh - h * scale - (beside ? 0 : tools.offsetHeight + PAD)) / 2), c.top - g.top);
    Object.assign(stage.style, { left: `${left}px`, top: `${top}px`, width: `${w * scale}px`, height: `${h * scale}px` });
    // Beneath the window and as wide (the viewer's controls wrap to fit),
    // or beside it.
    Object.assign(tools.style, beside
      ? { left: `${left + w * scale + PAD}px`, top: `${top}px`, width: `${BESIDE * beside}px` }
      : { left: `${left}px`, top: `${top + h * scale + PAD}px`, width: `${w * scale}px` });
  }

  // A finger (a coarse primary pointer) gets the window laid out for a
  // thumb: the caption and a menu bar of commands a thumb can hit at the
  // screen's own size, and the playfield as large as the screen allows:
  // upright as wide as the screen, sideways as high, with the caption and
  // the menu beside it. The stage is the whole screen (below the
  // backdrop's bar, while it is up), so that a finger anywhere on or
  // beneath the playfield steers.
  fitForThumb() {
    const { stage, game, canvas, tools, field } = this;
    const { clientWidth: vw, clientHeight: vh } = document.documentElement;
    const sideways = vw > vh;
    document.body.classList.toggle('sideways', sideways);
    this.scale = 1;
    tools.style.setProperty('--ui', '1');
    tools.style.maxHeight = '';
    Object.assign(game.style, { transform: '', width: `${vw}px` });
    const top = this.backdrop.hidden ? 0 : this.backdropBar.offsetHeight, room = vh - top;
    const bars = sideways ? 0 : game.offsetHeight - canvas.offsetHeight;
    // Upright, the links span the screen: their height, wrapped as they
    // will be, is what the playfield leaves them.
    if (!sideways) tools.style.width = `${vw - 2 * PAD}px`;
    const width = sideways ? Math.min((room * field.width) / field.height, vw - SIDE)
      : Math.min(vw, ((room - bars - tools.offsetHeight - PAD) * field.width) / field.height);
    this.sizeCanvas(width, devicePixelRatio);
    Object.assign(stage.style, { left: '0px', top: `${top}px`, width: `${vw}px`, height: `${room}px` });
    const toolsWidth = sideways ? vw - canvas.offsetWidth - 2 * PAD : vw - 2 * PAD;
    Object.assign(tools.style, { left: `${PAD}px`, width: `${toolsWidth}px` });
    // Sideways the links never cover the menu beside the playfield: past
    // the room under it they scroll.
    const menuBottom = game.querySelector('.menubar').getBoundingClientRect().bottom;
    tools.style.maxHeight = sideways ? `${Math.max(44, vh - menuBottom - 2 * PAD)}px` : '';
    tools.style.top = `${vh - tools.offsetHeight - PAD}px`;
  }

  // The canvas's corner on a device pixel: the window's borders, caption
  // and menu bar, scaled, can leave it between two.
  align() {
    const { canvas } = this;
    canvas.style.translate = '';
    const r = canvas.getBoundingClientRect(), across = this.scale * devicePixelRatio;
    const off = (v) => (Math.round(v * devicePixelRatio) - v * devicePixelRatio) / across;
    const x = off(r.left), y = off(r.top);
    if (Math.abs(x) * across > 0.01 || Math.abs(y) * across > 0.01) canvas.style.translate = `${x}px ${y}px`;
  }

  // Playfield pixels of a point on the screen, whatever the window's
  // scale: its device pixels over the canvas, divided by the frame's scale.
  toField(e) {
    const r = this.canvas.getBoundingClientRect(), across = this.field.width / this.deviceWidth;
    return [(e.clientX - r.left) * devicePixelRatio * across, (e.clientY - r.top) * devicePixelRatio * across];
  }

  // --- full screen: the backdrop and the game window on it ---
  // What the game is told of where its windows stand: the backdrop covers
  // the page's viewport; the game window's frame is where it is laid out.
  windows() {
    const root = document.documentElement, r = this.game.getBoundingClientRect();
    return [0, 0, root.clientWidth, root.clientHeight, ...[r.left, r.top, r.width, r.height].map(Math.round)];
  }

  showBackdrop() {
    this.backdrop.hidden = false;
    if (this.coarse.matches) this.fit();
    // Granted only while the player's click is being handled, and then
    // later: the centring runs again when the backdrop grows (resize).
    if (!document.fullscreenElement && document.fullscreenEnabled) {
      document.documentElement.requestFullscreen().catch(() => {});
    }
  }

  moveGame(left, top) {
    this.game.classList.add('on-backdrop');
    // For a thumb the window fills the screen already, enlarged, and
    // stays as it is laid out, below the backdrop's bar.
    if (this.coarse.matches) [left, top] = [0, this.backdropBar.offsetHeight];
    Object.assign(this.game.style, { left: `${left}px`, top: `${top}px` });
    this.align();
  }

  // The game window back in the page; the browser's full-screen mode left.
  leaveBackdrop() {
    this.backdrop.hidden = true;
    this.game.classList.remove('on-backdrop');
    this.game.style.left = this.game.style.top = '';
    this.align();
    if (document.fullscreenElement) document.exitFullscreen().catch(() => {});
  }
}
