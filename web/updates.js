// SPDX-FileCopyrightText: 2026 The Brontix developers
// SPDX-License-Identifier: MIT
// One build, and the next one offered. Every file of the site carries the
// build it belongs to; a page whose files do not all say the same is a
// fault (tests look).
export const BUILD = '@BUILD@';

// `scripts`: each script's name and the build it says.
export function builds(scripts, wasmStamp) {
  return {
    ...scripts,
    'brontix.wasm': wasmStamp,
    'index.html': document.querySelector('meta[name="brontix-build"]').content,
    'brontix.css': getComputedStyle(document.documentElement).getPropertyValue('--brontix-build').trim().replace(/"/g, ''),
  };
}

// The service worker keeps the site for offline play. When a newer build's
// worker has its files, the page says so in one line; the new build takes
// over when the player asks for it, and the page reloads then, never by
// itself.
export function offerNewVersions(notice, reload) {
  if (!('serviceWorker' in navigator)) return;
  const sw = navigator.serviceWorker;
  let asked = false;
  sw.addEventListener('controllerchange', () => { if (asked) location.reload(); });
  const offer = (worker) => {
    if (worker.state !== 'installed' || !sw.controller) return;
    notice.hidden = false;
    reload.onclick = (e) => {
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
