// SPDX-FileCopyrightText: 2026 The Brontix developers
// SPDX-License-Identifier: MIT
// The player's input to the game: the mouse, a finger or a pen, the keys
// and the menu bar. Every call into the game returns its answer to
// `after`.
export const BUILD = '@BUILD@';

const TAP = 10;  // CSS pixels a tap may wander

// `page`: { stage, canvas, menubar, box, backdrop }; `memory` reads the
// module's strings; `layout` maps the screen to the playfield;
// `leaveBackdrop` is Escape's while the backdrop is up; `beforeMenu` runs
// before a menu command reaches the game.
export function takeInput(exports, memory, after, layout, page, { leaveBackdrop, beforeMenu }) {
  steerWithMouse(exports, after, layout, page.canvas);
  steerWithFinger(exports, after, layout, page.stage, page.canvas);
  takeKeys(exports, after, page, leaveBackdrop);
  takeMenu(exports, memory, after, page.menubar, beforeMenu);
}

// Every move over the playfield steers, and every release of the left
// button over it is a click.
function steerWithMouse(exports, after, layout, canvas) {
  let inside = null;  // the mouse's last place over the playfield
  canvas.addEventListener('mousemove', (e) => {
    inside = layout.toField(e);
    after(exports.brontix_pointer(...inside));
  });
  // A fast flick leaves the playfield between two moves, and the browser
  // reports no move outside it: the game works out where the path crossed
  // the edge.
  canvas.addEventListener('mouseleave', (e) => {
    if (!inside) return;
    const [x0, y0] = inside, [x1, y1] = layout.toField(e);
    inside = null;
    after(exports.brontix_leave(x0, y0, x1, y1));
  });
  canvas.addEventListener('mouseup', (e) => {
    if (e.button === 0) after(exports.brontix_click());
  });
}

// A drag steers, a tap (a press and release that did not wander) is a
// click. It may start anywhere on or beneath the playfield but on a
// control: its x maps to the playfield and its y is held inside it, so the
// finger need not cover the paddle. Its pointer is held by the stage until
// it lifts, and the browser makes no mouse events of it.
function steerWithFinger(exports, after, layout, stage, canvas) {
  let press = null;
  const touched = (e) => {
    const [x, y] = layout.toField(e);
    return [x, Math.min(Math.max(y, 0), layout.field.height - 1)];
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
      after(exports.brontix_pointer(...layout.toField(e)));  // a pen hovering steers as a mouse does
    }
  });
  stage.addEventListener('pointerup', (e) => {
    if (!press || press.id !== e.pointerId) return;
    const tap = press.tap;
    press = null;
    if (tap) after(exports.brontix_click());
  });
  stage.addEventListener('pointercancel', () => { press = null; });
}

// Typed characters by their code, so only a lower-case p pauses; keys with
// Ctrl, Alt or Meta belong to the browser (Alt+N is New Game's), and Space
// on a control (a menu command, the Capsules panel, a link) is the
// control's.
function takeKeys(exports, after, { box, backdrop }, leaveBackdrop) {
  document.addEventListener('keydown', (e) => {
    // While the backdrop is up, Escape is the way out of it.
    if (e.key === 'Escape' && !backdrop.hidden && !box.open) {
      e.preventDefault();
      leaveBackdrop();
      return;
    }
    if (box.open || e.ctrlKey || e.altKey || e.metaKey || e.key.length !== 1) return;
    if (e.key === ' ' && e.target.closest?.('button, summary, a, input, select')) return;
    e.preventDefault();
    after(exports.brontix_key(e.key.charCodeAt(0)));
  });
}

// Each button names its command by the word a recording has for it.
function takeMenu(exports, memory, after, menubar, beforeMenu) {
  const commands = Array.from({ length: exports.brontix_menu_commands() },
    (_, i) => memory.cString(exports.brontix_menu_word(i)));
  const menu = [...menubar.querySelectorAll('button')];
  for (const button of menu) {
    const command = commands.indexOf(button.dataset.command);
    button.addEventListener('click', (e) => {
      // A click of the pointer leaves the focus to the game; the keyboard
      // keeps it on the menu bar.
      if (e.detail > 0) button.blur();
      beforeMenu();
      after(exports.brontix_menu(command));
    });
  }
  // The arrow keys, Home and End move along the menu bar; Tab reaches it
  // once.
  menubar.addEventListener('keydown', (e) => {
    const at = menu.indexOf(e.target);
    const to = { ArrowRight: at + 1, ArrowLeft: at - 1, Home: 0, End: menu.length - 1 }[e.key];
    if (at < 0 || to === undefined) return;
    e.preventDefault();
    const next = menu[(to + menu.length) % menu.length];
    for (const b of menu) b.tabIndex = b === next ? 0 : -1;
    next.focus();
  });
}
