// SPDX-FileCopyrightText: 2026 The Brontix developers
// SPDX-License-Identifier: MIT
// What the stores read, checked as far as this machine can without their
// runtimes: the Flatpak manifest (its JSON, its app id against the desktop
// entry's and the metainfo's, the runtime, the sockets it grants and no
// more than it needs, the command it runs and the icon it renames), and
// the page's web app manifest (its id, its categories, a maskable icon and
// screenshots whose files are there at the sizes it says).
//   node stores.mjs SOURCE_DIR SITE_DIR
import { readFileSync } from 'node:fs';
import { join } from 'node:path';

const [root, site] = process.argv.slice(2);
let passed = 0, failed = 0;
function check(what, ok, detail = '') {
  if (ok) { passed += 1; return; }
  failed += 1;
  console.log(`FAIL: ${what}${detail ? `: ${detail}` : ''}`);
}
// A PNG's width and height, from its header.
const pngSize = (file) => {
  const b = readFileSync(file);
  return `${b.readUInt32BE(16)}x${b.readUInt32BE(20)}`;
};

// --- Flatpak ---
const flatpak = JSON.parse(readFileSync(join(root, 'data/flatpak/org.brontix.Brontix.json'), 'utf8'));
const desktop = readFileSync(join(root, 'data/org.brontix.Brontix.desktop'), 'utf8');
const metainfo = readFileSync(join(root, 'data/org.brontix.Brontix.metainfo.xml.in'), 'utf8');
const entry = (key) => new RegExp(`^${key}=(.*)$`, 'm').exec(desktop)?.[1];
check('the app id is the metainfo\'s', flatpak.id === /<id>([^<]+)<\/id>/.exec(metainfo)?.[1], flatpak.id);
check('the app id names the desktop entry and the metainfo', ['desktop', 'metainfo.xml.in'].every((ext) =>
  readFileSync(join(root, `data/${flatpak.id}.${ext}`)).length > 0));
check('a KDE runtime with its SDK, one version', flatpak.runtime === 'org.kde.Platform' && flatpak.sdk === 'org.kde.Sdk'
  && /^6\.\d+$/.test(flatpak['runtime-version']), `${flatpak.runtime} ${flatpak.sdk} ${flatpak['runtime-version']}`);
const args = flatpak['finish-args'];
check('X11 and Wayland sockets', args.includes('--socket=x11') && args.includes('--socket=wayland'), args.join(' '));
check('no file system, network or session bus beyond the game\'s', !args.some((a) =>
  /^--(filesystem|share=network|socket=session-bus|talk-name|device=all)/.test(a)), args.join(' '));
const [module] = flatpak.modules;
check('the command is the program the desktop entry starts, linked into /app/bin',
  entry('Exec').split(' ')[0] === flatpak.command
  && module['post-install'].some((line) => line.endsWith(`/app/bin/${flatpak.command}`)), flatpak.command);
check('the icon renamed is the desktop entry\'s', entry('Icon') === flatpak['rename-icon'], flatpak['rename-icon']);
check('the source is this tree', readFileSync(join(root, 'data/flatpak', module.sources[0].path, 'CMakeLists.txt'), 'utf8')
  .includes('project(brontix'));
check('the build names the base address and builds no tests',
  module['config-opts'].some((o) => o.startsWith('-DBRONTIX_BASE_URL=https://'))
  && module['config-opts'].includes('-DBRONTIX_TESTS=OFF'), module['config-opts'].join(' '));

// --- the web app manifest ---
const manifest = JSON.parse(readFileSync(join(site, 'manifest.webmanifest'), 'utf8'));
check('an id', typeof manifest.id === 'string' && manifest.id.length > 0);
check('a game', manifest.categories?.includes('games'), String(manifest.categories));
const maskable = manifest.icons.filter((i) => i.purpose === 'maskable');
check('a maskable icon at its size', maskable.length === 1 && pngSize(join(site, maskable[0].src)) === maskable[0].sizes,
  JSON.stringify(maskable));
for (const icon of manifest.icons.filter((i) => i.type === 'image/png')) {
  check(`${icon.src} at ${icon.sizes}`, pngSize(join(site, icon.src)) === icon.sizes);
}
const shots = manifest.screenshots ?? [];
check('a narrow and a wide screenshot', ['narrow', 'wide'].every((f) => shots.some((s) => s.form_factor === f)));
for (const shot of shots) {
  const [w, h] = shot.sizes.split('x').map(Number);
  check(`${shot.src} at ${shot.sizes}, labelled`, pngSize(join(site, shot.src)) === shot.sizes && shot.label
    && (shot.form_factor === 'wide') === (w > h));
}
console.log(`${passed} passed, ${failed} failed`);
process.exitCode = failed ? 1 : 0;
