// SPDX-FileCopyrightText: 2026 The Brontix developers
// SPDX-License-Identifier: MIT
// The browser edition's service worker: every file of the site is kept in a
// cache named after this build, so the game plays without the network from
// the second visit on. The files are fetched past the browser's HTTP cache,
// so that a cache holds one build's files whatever a server says of their
// freshness. A new build's worker fills its own cache, then waits: the page
// offers the player a reload, and only then does it take over (and remove
// the old caches), so that no page ever mixes two builds.
const BUILD = '@BUILD@';
const CACHE = `brontix-${BUILD}`;
const FILES = [@FILES@];

self.addEventListener('install', (event) => {
  event.waitUntil(caches.open(CACHE)
    .then((cache) => cache.addAll(FILES.map((f) => new Request(f, { cache: 'reload' })))));
});

self.addEventListener('activate', (event) => {
  event.waitUntil(caches.keys()
    .then((keys) => Promise.all(keys.filter((k) => k.startsWith('brontix-') && k !== CACHE).map((k) => caches.delete(k))))
    .then(() => self.clients.claim()));
});

// The page's answer to "A new version is ready: reload".
self.addEventListener('message', (event) => {
  if (event.data === 'take over') self.skipWaiting();
});

// The site's own files from the cache (a test's ?clock= included), the
// network for anything else.
self.addEventListener('fetch', (event) => {
  if (event.request.method !== 'GET') return;
  event.respondWith(caches.open(CACHE)
    .then((cache) => cache.match(event.request, { ignoreSearch: true }))
    .then((hit) => hit || fetch(event.request)));
});
