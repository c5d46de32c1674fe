// SPDX-FileCopyrightText: 2026 Tirel developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Makes the page work without a network after one visit (service-worker.js keeps the folder).
'use strict';
(() => {
  if (!('serviceWorker' in navigator)) return;
  const workers = navigator.serviceWorker;
  // A controlled page asks once its worker is ready: only then does the registration it gets
  // know of a newer version waiting.
  (workers.controller ? workers.ready : workers.getRegistration()).then((registration) => {
    // A version installed during an earlier visit waits for this page: it takes over now, and
    // the page starts again from it, whole.
    if (registration && registration.waiting && workers.controller) {
      workers.addEventListener('controllerchange', () => window.location.reload(), { once: true });
      registration.waiting.postMessage('take over');
      return;
    }
    // Registered once the program has arrived: the worker then fills its cache from the
    // browser's (revalidated with the server), instead of downloading the program a second time
    // while the first one is still coming.
    const arrived = new Promise((resolve) => {
      const seen = (entries) => entries.some((entry) => /\.wasm$/.test(new URL(entry.name).pathname));
      if (seen(performance.getEntriesByType('resource'))) return resolve();
      const observer = new PerformanceObserver((list) => {
        if (seen(list.getEntries())) {
          observer.disconnect();
          resolve();
        }
      });
      observer.observe({ type: 'resource' });
      // Whatever happens to the program, the worker comes a minute after the page.
      setTimeout(resolve, 60000);
    });
    arrived.then(() => workers.register('service-worker.js')).catch((error) => console.warn(`offline: ${error}`));
  });
})();
