// SPDX-FileCopyrightText: 2026 Tirel developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Keeps the whole page for use without a network. Each version of the folder has a cache of its
// own, named after a digest of all its files; scripts/web.sh writes that digest and every file's
// own digest below when it packs the folder. A version's cache is filled whole before the worker
// takes over, each file checked against its digest (a server updated half-way cannot mix two
// versions in one cache), and the worker answers every request of the page from that one cache:
// never a loader of one version beside the program of another. Older versions' caches go once a
// new one takes over.
'use strict';
const version = '@DIGEST@';
const files = '@FILES@'; // {"path": "sha-256 in hex", ...}
const cacheName = `tirel-${version}`;

const hex = (buffer) => Array.from(new Uint8Array(buffer), (b) => b.toString(16).padStart(2, '0')).join('');

self.addEventListener('install', (event) => {
  event.waitUntil((async () => {
    const cache = await caches.open(cacheName);
    try {
      await Promise.all(Object.entries(files).map(async ([path, digest]) => {
        // Revalidated with the server: the browser's own cache may hold an older copy.
        const response = await fetch(path, { cache: 'no-cache' });
        if (!response.ok) throw new Error(`${path}: ${response.status}`);
        const bytes = await response.clone().arrayBuffer();
        if (hex(await crypto.subtle.digest('SHA-256', bytes)) !== digest)
          throw new Error(`${path} is not the one of version ${version}`);
        await cache.put(path, response);
      }));
    } catch (error) {
      // Nothing half-filled stays; the browser tries again at a later visit.
      await caches.delete(cacheName);
      throw error;
    }
  })());
});

self.addEventListener('activate', (event) => {
  event.waitUntil((async () => {
    for (const name of await caches.keys()) {
      if (name.startsWith('tirel-') && name !== cacheName) await caches.delete(name);
    }
  })());
});

// The page (offline.js) asks a version installed on an earlier visit to take over at its start.
self.addEventListener('message', (event) => {
  if (event.data === 'take over') self.skipWaiting();
});

self.addEventListener('fetch', (event) => {
  const request = event.request;
  const url = new URL(request.url);
  if (request.method !== 'GET' || url.origin !== self.location.origin) return;
  event.respondWith((async () => {
    const cache = await caches.open(cacheName);
    // The folder's own address is its index.html.
    const scope = new URL(self.registration.scope).pathname;
    const key = url.pathname === scope ? 'index.html' : request;
    return (await cache.match(key, { ignoreSearch: true })) || fetch(request);
  })());
});
