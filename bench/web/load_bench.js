// SPDX-FileCopyrightText: 2026 Tirel developers
// SPDX-License-Identifier: GPL-3.0-or-later

// How fast the page loads for a student at school, against the floor of a bare Qt Widgets page
// built with the same Qt and flags: headless Chromium through puppeteer-core, on the school
// profile (DevTools' emulation: 10 Mbit/s, 40 ms latency, processor 4x slower), each visit in a
// fresh browser context.
//   node load_bench.js TIREL_URL BARE_URL [TIREL_FOLDER BARE_FOLDER]
// For each page: the bytes on the wire until its window is drawn and the time from the start of
// the navigation until then; a first visit (no cache, service worker bypassed) of both pages, a
// repeat visit of Tirel's (once its worker holds the folder). Prints the figures, the ratios to
// the bare page and whether each goal holds; the timings are never a failure. It fails only when
// a page is not drawn, a file is not served compressed with its type, or the repeat visit does
// not come from the worker. With the folders, it also prints their sizes raw, gzip and brotli.
//
// "Drawn": the window's pixels reach the page. Qt draws each window into a 2D canvas with
// putImageData; the first such image that holds the window's content (text and frames: a few
// colours, not one fill) is the window drawn, and the time is taken at the next frame the browser
// shows. The page is not changed for it: the probe wraps putImageData before the page starts.
'use strict';
const fs = require('fs');
const os = require('os');
const path = require('path');
const puppeteer = require('puppeteer-core');

const [tirelUrl, bareUrl, tirelFolder, bareFolder] = process.argv.slice(2);
if (!bareUrl) {
  console.error('usage: node load_bench.js TIREL_URL BARE_URL [TIREL_FOLDER BARE_FOLDER]');
  process.exit(2);
}
const runs = Number(process.env.TIREL_LOAD_RUNS || 3);
const school = { offline: false, latency: 40, downloadThroughput: 10e6 / 8, uploadThroughput: 10e6 / 8 };
const goals = { firstSeconds: 5, firstRatio: 1.2, repeatSeconds: 1.5 };

let failures = 0;
function check(condition, what) {
  if (!condition) {
    console.log(`FAIL   : load: ${what}`);
    failures += 1;
  }
  return condition;
}

// Runs in the page before anything else.
function probe() {
  const put = CanvasRenderingContext2D.prototype.putImageData;
  let seen = false;
  const holdsWindow = (image) => {
    if (image.width < 100 || image.height < 40) return false;
    const colours = new Set();
    const p = image.data;
    for (let i = 0; i < p.length; i += 4 * 7) {
      colours.add((p[i] << 16) | (p[i + 1] << 8) | p[i + 2]);
      if (colours.size >= 8) return true;
    }
    return false;
  };
  CanvasRenderingContext2D.prototype.putImageData = function (image, ...rest) {
    put.call(this, image, ...rest);
    if (!seen && holdsWindow(image)) {
      seen = true;
      requestAnimationFrame(() => window.tirelBenchDrawn(performance.now()));
    }
  };
}

async function visit(context, url, { first }) {
  const page = await context.newPage();
  await page.setViewport({ width: 1000, height: 800 });
  const cdp = await page.createCDPSession();
  await cdp.send('Network.enable');
  if (first) {
    await cdp.send('Network.setCacheDisabled', { cacheDisabled: true });
    await cdp.send('Network.setBypassServiceWorker', { bypass: true });
  }
  await cdp.send('Network.emulateNetworkConditions', school);
  await cdp.send('Emulation.setCPUThrottlingRate', { rate: 4 });
  const responses = new Map();
  let bytes = 0;
  cdp.on('Network.responseReceived', ({ requestId, response }) => responses.set(requestId, response));
  cdp.on('Network.loadingFinished', ({ requestId, encodedDataLength }) => {
    const response = responses.get(requestId);
    if (response && !response.fromServiceWorker) bytes += encodedDataLength;
  });
  const log = [];
  page.on('console', (message) => log.push(message.text()));
  let drawn;
  const drawnAt = new Promise((resolve) => { drawn = resolve; });
  await page.exposeFunction('tirelBenchDrawn', (ms) => drawn(ms));
  await page.evaluateOnNewDocument(probe);
  await page.goto(url, { waitUntil: 'domcontentloaded' });
  const ms = await Promise.race([drawnAt, new Promise((resolve) => setTimeout(() => resolve(null), 180000))]);
  const result = { ms, bytes, responses: [...responses.values()], log };
  await cdp.send('Emulation.setCPUThrottlingRate', { rate: 1 });
  await page.close();
  return result;
}

// A visit at full speed that leaves the page's worker active with its cache filled.
async function installWorker(context, url) {
  const page = await context.newPage();
  await page.goto(url, { waitUntil: 'load' });
  const state = await page.evaluate(async () => {
    const registration = await navigator.serviceWorker.ready;
    for (let i = 0; i < 1200 && registration.active.state !== 'activated'; ++i)
      await new Promise((resolve) => setTimeout(resolve, 100));
    return registration.active.state;
  });
  await page.close();
  return state;
}

const median = (values) => {
  const sorted = [...values].sort((a, b) => a - b);
  return sorted[Math.floor((sorted.length - 1) / 2)];
};
const mb = (bytes) => `${(bytes / 1e6).toFixed(2)} MB`;
const seconds = (ms) => `${(ms / 1000).toFixed(2)} s`;

function sizes(folder) {
  const total = { raw: 0, gz: 0, br: 0 };
  const rows = [];
  const walk = (dir) => {
    for (const entry of fs.readdirSync(dir, { withFileTypes: true })) {
      const file = path.join(dir, entry.name);
      if (entry.isDirectory()) walk(file);
      else if (!/\.(br|gz)$/.test(entry.name) || /\.tar\.gz$/.test(entry.name)) {
        const size = (name) => (fs.existsSync(name) ? fs.statSync(name).size : null);
        const raw = size(file);
        const row = { name: path.relative(folder, file), raw, gz: size(`${file}.gz`) ?? raw, br: size(`${file}.br`) ?? raw };
        for (const key of Object.keys(total)) total[key] += row[key];
        rows.push(row);
      }
    }
  };
  walk(folder);
  return { total, rows };
}

function printSizes(label, folder) {
  const { total, rows } = sizes(folder);
  const line = (name, { raw, gz, br }) =>
    console.log(`  ${name.padEnd(24)} ${mb(raw).padStart(10)} ${mb(gz).padStart(10)} ${mb(br).padStart(10)}`);
  console.log(`${label} (${folder}): raw, gzip -9, brotli`);
  for (const row of rows.filter((r) => /\.(wasm|js)$/.test(r.name))) line(row.name, row);
  line('the whole folder', total);
}

(async () => {
  if (tirelFolder && bareFolder) {
    printSizes('Tirel', tirelFolder);
    printSizes('the bare page', bareFolder);
  }
  const browser = await puppeteer.launch({
    executablePath: '/usr/bin/chromium',
    headless: true,
    args: ['--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run',
      '--disable-background-networking', '--disable-component-update', '--disable-sync',
      '--force-device-scale-factor=1'],
  });
  const figures = { tirel: [], bare: [], repeat: [] };
  try {
    for (let run = 0; run < runs; ++run) {
      for (const [name, url] of [['bare', bareUrl], ['tirel', tirelUrl]]) {
        const context = await browser.createBrowserContext();
        const result = await visit(context, url, { first: true });
        await context.close();
        check(result.ms !== null, `${name}: the window was not drawn within 3 minutes`);
        // Served as it should be: compressed, and the program with the type that lets the
        // browser compile it while it arrives.
        for (const response of result.responses.filter((r) => /^https?:/.test(r.url))) {
          const file = new URL(response.url).pathname;
          if (!/\.(wasm|js|html)$|\/$/.test(file)) continue;
          const encoding = response.headers['content-encoding'] || response.headers['Content-Encoding'];
          check(encoding === 'br', `${name}: ${file} served with content-encoding ${encoding}`);
          if (file.endsWith('.wasm'))
            check(response.mimeType === 'application/wasm', `${name}: ${file} served as ${response.mimeType}`);
        }
        const fallback = result.log.filter((line) => /streaming compil/i.test(line));
        check(fallback.length === 0, `${name}: ${JSON.stringify(fallback)}`);
        if (result.ms !== null) figures[name].push(result);
      }
      const context = await browser.createBrowserContext();
      const state = await installWorker(context, tirelUrl);
      check(state === 'activated', `the service worker is ${state} after the first visit`);
      const result = await visit(context, tirelUrl, { first: false });
      await context.close();
      check(result.ms !== null, 'repeat visit: the window was not drawn within 3 minutes');
      const fromNetwork = result.responses.filter((r) => !r.fromServiceWorker && /^https?:/.test(r.url))
        .map((r) => r.url);
      check(fromNetwork.length === 0, `repeat visit: not from the service worker: ${JSON.stringify(fromNetwork)}`);
      if (result.ms !== null) figures.repeat.push(result);
    }
  } finally {
    await browser.close();
  }
  if (figures.tirel.length === 0 || figures.bare.length === 0 || figures.repeat.length === 0) {
    console.log(`${failures} load checks failed`);
    process.exit(1);
  }
  const of = (name, key) => median(figures[name].map((r) => r[key]));
  const bare = { ms: of('bare', 'ms'), bytes: of('bare', 'bytes') };
  const tirel = { ms: of('tirel', 'ms'), bytes: of('tirel', 'bytes') };
  const repeat = { ms: of('repeat', 'ms'), bytes: of('repeat', 'bytes') };
  const all = (name) => figures[name].map((r) => (r.ms / 1000).toFixed(2)).join(', ');
  // Other work on the machine slows what the processor does, not what the emulated network does.
  const load = os.loadavg().map((value) => value.toFixed(1)).join(', ');
  console.log(`load on the school profile (10 Mbit/s, 40 ms, processor 4x slower), median of ${runs}; ` +
    `this machine: ${os.cpus().length} cores, load average ${load}:`);
  console.log(`  bare Qt page, first visit  ${mb(bare.bytes).padStart(9)}  drawn after ${seconds(bare.ms)}  (${all('bare')})`);
  console.log(`  Tirel, first visit         ${mb(tirel.bytes).padStart(9)}  drawn after ${seconds(tirel.ms)}  (${all('tirel')})`);
  console.log(`  Tirel, repeat visit        ${mb(repeat.bytes).padStart(9)}  drawn after ${seconds(repeat.ms)}  (${all('repeat')})`);
  const bytesRatio = tirel.bytes / bare.bytes;
  const timeRatio = tirel.ms / bare.ms;
  console.log(`  Tirel / bare: bytes ${bytesRatio.toFixed(2)}x, time ${timeRatio.toFixed(2)}x`);
  const goal = (holds, what) => console.log(`  goal ${holds ? 'met    ' : 'NOT met'}: ${what}`);
  goal(tirel.ms <= goals.firstSeconds * 1000, `first visit drawn within ${goals.firstSeconds} s (${seconds(tirel.ms)})`);
  goal(bytesRatio <= goals.firstRatio, `first visit's bytes within ${goals.firstRatio}x the bare page's (${bytesRatio.toFixed(2)}x)`);
  goal(timeRatio <= goals.firstRatio, `first visit's time within ${goals.firstRatio}x the bare page's (${timeRatio.toFixed(2)}x)`);
  goal(repeat.ms <= goals.repeatSeconds * 1000, `repeat visit drawn within ${goals.repeatSeconds} s (${seconds(repeat.ms)})`);
  console.log(failures === 0 ? 'load benchmark done' : `${failures} load checks failed`);
  process.exit(failures === 0 ? 0 : 1);
})().catch((error) => {
  console.error(error);
  process.exit(1);
});
