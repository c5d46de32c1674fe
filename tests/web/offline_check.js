// SPDX-FileCopyrightText: 2026 Tirel developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The page after one visit, with no network: Chromium reports it installable (its manifest and
// icons), its service worker keeps the whole folder, and with the network off (DevTools'
// emulation) the page reloads from it and solves a1 = 1, d = 2, n = 5 into 9 and 25.
//   node offline_check.js URL LINUX_SHOT.ppm OUT_DIR
// LINUX_SHOT is the Linux window in the Catalan locale (where its controls lie). Exits 1 on the
// first failure, with its reason.
'use strict';
const fs = require('fs');
const os = require('os');
const path = require('path');
const puppeteer = require('puppeteer-core');
const { readPpm, writePpm, crop, findFrameCorner } = require('./shot');
const { sleep, findWindow, userOf } = require('./page_user');

const [url, linuxShot, outDir] = process.argv.slice(2);
if (!outDir) {
  console.error('usage: node offline_check.js URL LINUX_SHOT.ppm OUT_DIR');
  process.exit(2);
}

let failures = 0;
function check(condition, what) {
  console.log(`${condition ? 'PASS' : 'FAIL'}   : offline: ${what}`);
  if (!condition) failures += 1;
  return condition;
}

(async () => {
  fs.mkdirSync(outDir, { recursive: true });
  const full = readPpm(linuxShot);
  const linuxCorner = findFrameCorner(crop(full, 0, full.height - 599, 619, 599));
  if (!linuxCorner) throw new Error(`${linuxShot}: no "Progressions" frame`);
  const profile = fs.mkdtempSync(path.join(os.tmpdir(), 'tirel-chromium-'));
  const browser = await puppeteer.launch({
    executablePath: '/usr/bin/chromium',
    headless: true,
    userDataDir: profile,
    args: ['--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run',
      '--disable-background-networking', '--disable-component-update', '--disable-sync',
      '--force-device-scale-factor=1', '--lang=ca', '--accept-lang=ca'],
  });
  try {
    await browser.defaultBrowserContext().overridePermissions(new URL(url).origin,
      ['clipboard-read', 'clipboard-write', 'clipboard-sanitized-write']);
    const page = await browser.newPage();
    await page.setViewport({ width: 1000, height: 800 });
    const cdp = await page.createCDPSession();
    await cdp.send('Network.enable');
    const log = [];
    page.on('console', (message) => log.push(message.text()));

    // The first visit: the window, then the worker, whose cache holds the whole folder.
    await page.goto(url, { waitUntil: 'load' });
    check((await findWindow(page, linuxCorner)).client !== undefined, 'the window is drawn on the first visit');
    const kept = await page.evaluate(async () => {
      const registration = await navigator.serviceWorker.ready;
      for (let i = 0; i < 600 && registration.active.state !== 'activated'; ++i)
        await new Promise((resolve) => setTimeout(resolve, 100));
      const names = await caches.keys();
      const cache = await caches.open(names.find((name) => name.startsWith('tirel-')));
      return { state: registration.active.state, names, files: (await cache.keys()).map((r) => new URL(r.url).pathname) };
    });
    const folder = new URL('.', url).pathname;
    const needed = ['index.html', 'tirel.js', 'tirel.wasm', 'tirel-page.js', 'offline.js', 'manifest.webmanifest',
      'faces/index.txt'];
    const missing = needed.filter((file) => !kept.files.includes(folder + file));
    check(kept.state === 'activated' && kept.names.length === 1 && missing.length === 0,
      `the worker is active with one cache of ${kept.files.length} files (${kept.names.join(', ')}; ` +
      `missing ${JSON.stringify(missing)})`);

    // What Chromium decides before it offers to install the page.
    const { installabilityErrors } = await cdp.send('Page.getInstallabilityErrors');
    check(installabilityErrors.length === 0,
      `Chromium finds the page installable ${JSON.stringify(installabilityErrors)}`);
    const manifest = await cdp.send('Page.getAppManifest');
    check(manifest.errors.length === 0 && /"display": "standalone"/.test(manifest.data),
      `the manifest reads without errors ${JSON.stringify(manifest.errors)}`);

    // No network: the page comes from the worker's cache alone, and solves.
    await cdp.send('Network.emulateNetworkConditions',
      { offline: true, latency: 0, downloadThroughput: -1, uploadThroughput: -1 });
    const fromNetwork = [];
    cdp.on('Network.responseReceived', ({ response }) => {
      if (!response.fromServiceWorker && /^https?:/.test(response.url)) fromNetwork.push(response.url);
    });
    await page.reload({ waitUntil: 'load' });
    const shown = await findWindow(page, linuxCorner);
    if (!check(shown.client !== undefined, 'the window is drawn with the network off')) {
      if (shown.image) writePpm(path.join(outDir, 'offline-screen.ppm'), shown.image);
      console.log(log.join('\n'));
      return;
    }
    const { type, click, read } = userOf(page, shown);
    await type('a1', '1');
    await type('d', '2');
    await type('n', '5');
    await click('okAr');
    await sleep(300);
    const an = await read('an');
    const sn = await read('sn');
    check(an === '9' && sn === '25', `a1 = 1, d = 2, n = 5 give an = ${JSON.stringify(an)}, Sn = ${JSON.stringify(sn)}`);
    check(fromNetwork.length === 0, `everything came from the worker ${JSON.stringify(fromNetwork)}`);
  } finally {
    await browser.close();
    fs.rmSync(profile, { recursive: true, force: true });
  }
})().then(() => {
  console.log(failures === 0 ? 'offline check passed' : `${failures} offline checks failed`);
  process.exit(failures === 0 ? 0 : 1);
}).catch((error) => {
  console.error(error);
  process.exit(1);
});
