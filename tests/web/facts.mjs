// SPDX-FileCopyrightText: 2026 The Brontix developers
// SPDX-License-Identifier: MIT
// What the page's markup and style still say of the game's facts agrees
// with the module, which owns them: the playfield's size (the canvas's own
// and the style's, which lay the page out before the module is there) and
// the menu's commands by the words recordings use; and the capsules' legend
// the page's panel is made from is the native one the README shows.
//   node facts.mjs SITE_DIR BRONTIX_LEGEND
import { execFileSync } from 'node:child_process';
import { readFileSync } from 'node:fs';
import { join } from 'node:path';
import { pageModule } from './module.mjs';

const [site, legendTool] = process.argv.slice(2);
const { x, cString } = await pageModule(site);

const html = readFileSync(join(site, 'index.html'), 'utf8');
const css = readFileSync(join(site, 'brontix.css'), 'utf8');
const width = x.brontix_playfield_width(), height = x.brontix_playfield_height();
let passed = 0, failed = 0;
function check(what, got, want) {
  if (got === want) { passed += 1; return; }
  failed += 1;
  console.log(`FAIL: ${what}: ${got}, the module says ${want}`);
}
const canvas = /<canvas id="playfield" width="(\d+)" height="(\d+)"/.exec(html);
check('the canvas in index.html', canvas && `${canvas[1]} x ${canvas[2]}`, `${width} x ${height}`);
const field = /#playfield \{[^}]*width: (\d+)px; height: (\d+)px/.exec(css);
check('#playfield in brontix.css', field && `${field[1]} x ${field[2]}`, `${width} x ${height}`);
const frame = /\.window \{[^}]*width: (\d+)px/.exec(css);
check('.window in brontix.css', frame && Number(frame[1]), width);
check('a frame as wide as the playfield is as high', x.brontix_frame_height(width), height);
const words = Array.from({ length: x.brontix_menu_commands() }, (_, i) => cString(x.brontix_menu_word(i)));
const buttons = [...html.matchAll(/<button id="[^"]+" data-command="([^"]+)"/g)].map((m) => m[1]);
check('the menu bar\'s commands', buttons.join(' '), words.join(' '));
const legend = Array.from({ length: x.brontix_capsules() }, (_, i) => {
  const [colour, effect, words] = [0, 1, 2].map((part) => cString(x.brontix_capsule_text(i, part)));
  const rgb = x.brontix_capsule_rgb(i).toString(16).toUpperCase().padStart(6, '0');
  return `| ${colour} | \`#${rgb}\` | **${effect}**: ${words} |`;
});
const native = execFileSync(legendTool, ['--markdown']).toString().trim().split('\n').slice(2);
check('the capsules\' legend', legend.join('\n'), native.join('\n'));
console.log(`${passed} passed, ${failed} failed`);
process.exitCode = failed ? 1 : 0;
