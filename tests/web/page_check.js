// SPDX-FileCopyrightText: 2026 Tirel developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Drives the web build's page in Debian's chromium through the DevTools protocol, as a user
// would: clicks, typing, Enter; field and box texts are read back through the clipboard
// (Ctrl+A, Ctrl+C in a field; Ctrl+C on a message box copies its title and text).
//   node page_check.js URL LINUX_SHOT.ppm LINUX_BOXES OUT_DIR
// LINUX_SHOT is the Linux window in the Catalan locale, LINUX_BOXES the folder of its message
// boxes (box-few.ppm, box-falta-t.ppm, box-falten-dades.ppm, box-info.ppm); OUT_DIR receives the
// screenshots. Exits 1 on the first failure, with its reason.
'use strict';
const fs = require('fs');
const os = require('os');
const path = require('path');
const puppeteer = require('puppeteer-core');
const { readPpm, writePpm, crop, whiteBoxes, matchBoxes, equalShare, findFrameCorner } =
  require('./shot');
const { at, sleep, grab, findWindow, userOf } = require('./page_user');

const [url, linuxShot, linuxBoxes, outDir] = process.argv.slice(2);
if (!outDir) {
  console.error('usage: node page_check.js URL LINUX_SHOT.ppm LINUX_BOXES OUT_DIR');
  process.exit(2);
}

// Parts of the window compared as pictures (client pixels: left, top, width, height).
const areas = { 'the geometric a1, r, n and list': [60, 170, 210, 28] };

// What the user does and sees, in order, as [action, control or box, text]: "type" into a field,
// "press" a button, "read" a field's text back, "box": the message box shown is the Linux
// program's box of that name, "close" it with Enter, "menu": Info from the menu bar; "blank": a
// field shows nothing, "keep" an area's picture and find the "same" later.
const journey = (number) => [
  ['type', 'a1', '1'], ['type', 'd', '2'], ['type', 'n', '5'], ['press', 'okAr'],
  ['read', 'an', '9'], ['read', 'sn', '25'],
  // A power: 15 significant digits and the locale's separator.
  ['type', 'compoundC', '1000'], ['type', 'compoundR', '5'], ['type', 'compoundT', '10'],
  ['press', 'okCompound'], ['read', 'compoundFinal', number('1628.89462677744')],
  ['type', 'capC', '600'], ['press', 'okCap'], ['box', 'few', 'too few data: "Dades insuficients"'],
  ['close'],
];
// Modal in the middle of a press. With C, r and a given and t empty, "Falta t" shows while t is
// still empty, and t shows 0 once the box is closed. A geometric interpolation of 2 terms between
// 5 and 5 writes a1, r, n and the list before its solve fails: behind the box they already show
// what they show after it.
const modal = [
  ['type', 'capR', '100'], ['type', 'capA', '100'], ['press', 'okCap'], ['box', 'falta-t', '"Falta t"'],
  ['blank', 'capT'], ['close'], ['read', 'capT', '0'],
  ['type', 'gk', '2'], ['type', 'ga', '5'], ['type', 'gb', '5'], ['press', 'okABg'],
  ['box', 'falten-dades', '"Falten dades"'], ['keep', 'the geometric a1, r, n and list'], ['close'],
  ['same', 'the geometric a1, r, n and list'], ['read', 'ga1', '5'], ['read', 'gr', '1'], ['read', 'gn', '4'],
];
// A browser starts no batch file.
const info = [['menu'], ['box', 'info', 'Info says it could not start Info.bat'], ['close']];

const chromiumFlags = [
  '--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run',
  '--disable-background-networking', '--disable-component-update', '--disable-sync',
  '--force-device-scale-factor=1',
];

let failures = 0;
function check(condition, what) {
  console.log(`${condition ? 'PASS' : 'FAIL'}   : ${what}`);
  if (!condition) failures += 1;
  return condition;
}
async function run(lang) {
  const profile = fs.mkdtempSync(path.join(os.tmpdir(), 'tirel-chromium-'));
  const browser = await puppeteer.launch({
    executablePath: '/usr/bin/chromium',
    headless: true,
    userDataDir: profile,
    args: [...chromiumFlags, `--lang=${lang}`, `--accept-lang=${lang}`],
  });
  try {
    const origin = new URL(url).origin;
    await browser.defaultBrowserContext().overridePermissions(origin,
      ['clipboard-read', 'clipboard-write', 'clipboard-sanitized-write']);
    const page = await browser.newPage();
    await page.setViewport({ width: 1000, height: 800 });
    const outside = [];
    page.on('request', (request) => {
      if (!request.url().startsWith(origin)) outside.push(request.url());
    });
    const log = [];
    page.on('console', (message) => log.push(message.text()));
    await page.goto(url, { waitUntil: 'load' });

    // The window appears: the page's screen takes its size.
    const shown = await findWindow(page, linuxCorner);
    check((await page.evaluate(() => navigator.languages[0])) === lang, `${lang}: the page's language`);
    const { image, box, client } = shown;
    if (!check(client !== undefined, `${lang}: the window is drawn`)) {
      console.log(log.join('\n'));
      writePpm(path.join(outDir, `${lang}-screen.ppm`), image);
      return;
    }
    // The active title bar's colour, a little left of the close button.
    const at3 = (image.width - 60 + 8 * image.width) * 3;
    const activeTitle = [image.pixels[at3], image.pixels[at3 + 1], image.pixels[at3 + 2]];
    const { point, click, type, read } = userOf(page, shown);
    // A message box is the one of the Linux program it shows: the page draws a box's title bar in
    // the active colour the main window's had at start, and in the box below it the icon and the
    // text of each Linux box are looked for (the buttons differ: Linux draws an icon on them);
    // the best match must be the expected box, and clearly.
    let boxesSeen = 0;
    const boxShown = async () => {
      await sleep(500);
      const image = await grab(page);
      writePpm(path.join(outDir, `${lang}-box-${++boxesSeen}.ppm`), image);
      // Below the main window's own title bar.
      const bar = boundsOf(image, (p, i) => p[i] === activeTitle[0] && p[i + 1] === activeTitle[1] &&
        p[i + 2] === activeTitle[2], 40);
      if (!bar) return { name: null, share: 0, margin: 0 };
      const inside = crop(image, bar.left, bar.bottom + 1, bar.right - bar.left + 1, 90);
      const [best, next] = Object.entries(linuxBoxInk)
        .map(([name, reference]) => ({ name, share: bestInkShare(inside, reference) }))
        .sort((a, b) => b.share - a.share);
      return { ...best, margin: best.share - next.share };
    };
    const boxIs = async (expected, what) => {
      const shown = await boxShown();
      check(shown.name === expected && shown.share >= 80 && shown.margin >= 10,
        `${lang}: ${what} (the box matches Linux's "${shown.name}" at ${shown.share.toFixed(1)}%, ` +
        `${(shown.margin || 0).toFixed(1)} points above any other)`);
    };
    // The window at its natural size: 619 wide, as on the desktop.
    fs.writeFileSync(path.join(outDir, `${lang}-start.png`), await page.screenshot({ type: 'png' }));
    const comma = lang.startsWith('ca');
    const steps = [...journey(comma ? (text) => text.replace('.', ',') : (text) => text),
      ...(comma ? modal : []), ...info];
    const kept = {};
    const region = (image, [left, top, width, height]) =>
      crop(image, client[0] + left, client[1] + top, width, height);
    for (const [action, name, text] of steps) {
      if (action === 'type') await type(name, text);
      else if (action === 'press') await click(name);
      else if (action === 'menu') {
        const [x, y] = point([15, -10]);
        await page.mouse.click(x, y);
        await sleep(300);
        await page.keyboard.press('ArrowDown');
        await page.keyboard.press('Enter');
      } else if (action === 'read') {
        const shown = await read(name);
        check(shown === text, `${lang}: ${name} shows ${JSON.stringify(shown)}, expected ${JSON.stringify(text)}`);
      } else if (action === 'box') await boxIs(name, text);
      else if (action === 'close') {
        await page.keyboard.press('Enter');
        await sleep(300);
      } else if (action === 'blank') {
        const [x, y] = at[name];
        const field = region(await grab(page), [x - 9, y - 6, 18, 12]);
        const white = { ...field, pixels: Buffer.alloc(field.pixels.length, 255) };
        check(equalShare(field, white) === 100, `${lang}: ${name} is still empty behind the box`);
      } else if (action === 'keep') kept[name] = region(await grab(page), areas[name]);
      else if (action === 'same') {
        // Away from every control, so that nothing is drawn hovered.
        await page.mouse.move(box.x + 2, box.y + box.height - 2);
        await sleep(300);
        check(equalShare(kept[name], region(await grab(page), areas[name])) === 100,
          `${lang}: ${name} shown behind the box as after it`);
      } else throw new Error(`unknown step ${action}`);
    }

    check(outside.length === 0, `${lang}: nothing loaded from outside the folder ${JSON.stringify(outside)}`);
    const aborted = log.filter((line) => /abort|RuntimeError|Aborted/.test(line));
    check(aborted.length === 0, `${lang}: no abort in the console ${JSON.stringify(aborted)}`);

    if (comma) {
      // The layout: every white box (fields, lists' lines) where the Linux window has it.
      await page.reload({ waitUntil: 'load' });
      await page.waitForFunction(() => document.getElementById('screen').style.width !== '',
        { timeout: 60000 });
      await sleep(1500);
      const start = await grab(page);
      const web = crop(start, client[0], client[1], 619, 599);
      writePpm(path.join(outDir, `${lang}-client.ppm`), web);
      const linux = linuxClient;
      // Every empty field and list line but the one with the focus, which Linux draws with its
      // caret and the page with a focus frame.
      const [fx, fy] = at.simpleR;
      const unfocused = (boxes) => boxes.filter(([l, t, r, b]) => !(l <= fx && fx <= r && t <= fy && fy <= b));
      const expected = unfocused(whiteBoxes(linux));
      const { missing: lost, moved } = matchBoxes(expected, unfocused(whiteBoxes(web)), 1);
      check(expected.length >= 30 && lost.length === 0 && moved.length === 0,
        `${lang}: every field where the Linux window has it, within a pixel ` +
        `(${expected.length} boxes; missing ${JSON.stringify(lost)}, moved ${JSON.stringify(moved)})`);
      console.log(`INFO   : ${lang}: ${equalShare(linux, web).toFixed(1)}% of the pixels equal to the Linux window's`);
    }
  } finally {
    await browser.close();
    fs.rmSync(profile, { recursive: true, force: true });
  }
}

// The smallest rectangle holding every pixel that passes the test, from row `from` down, or null.
function boundsOf(image, test, from = 0) {
  let left = Infinity, top = Infinity, right = -1, bottom = -1;
  for (let y = from; y < image.height; ++y) {
    for (let x = 0; x < image.width; ++x) {
      if (test(image.pixels, (y * image.width + x) * 3)) {
        left = Math.min(left, x); right = Math.max(right, x);
        top = Math.min(top, y); bottom = Math.max(bottom, y);
      }
    }
  }
  return right < 0 ? null : { left, top, right, bottom };
}

// Whether two pixels look alike: the renderers differ a little in how they smooth a glyph.
const alike = (a, i, b, j) => Math.abs(a[i] - b[j]) + Math.abs(a[i + 1] - b[j + 1]) +
  Math.abs(a[i + 2] - b[j + 2]) <= 120;

// The ink of a Linux box: its icon and text, the pixels of its top 44 rows unlike the top-left
// background, in their bounding rectangle with a margin of background, on the right up to the
// box's edge, so that a longer text there counts against the match.
function inkOf(box) {
  const top = crop(box, 0, 0, box.width, 44);
  const bg = [top.pixels[0], top.pixels[1], top.pixels[2]];
  const ink = boundsOf(top, (p, i) => !alike(p, i, bg, 0));
  const left = ink.left - 4, upper = ink.top - 4;
  const width = top.width - 2 - left, height = ink.bottom - ink.top + 1 + 8;
  const image = crop(top, left, upper, width, height);
  for (let y = 0; y < height; ++y) {
    for (let x = 0; x < width; ++x) {
      if (left + x >= 0 && left + x < top.width && upper + y >= 0 && upper + y < top.height) continue;
      bg.forEach((v, c) => { image.pixels[(y * width + x) * 3 + c] = v; });
    }
  }
  return { image, bg };
}

// The best share, over every place in `area`, of the reference's ink pixels matched there, and of
// the area's ink pixels there matched by the reference.
function bestInkShare(area, reference) {
  const { image: ref, bg } = reference;
  const isInk = (p, i) => !alike(p, i, bg, 0);
  let best = 0;
  for (let oy = 0; oy + ref.height <= area.height; ++oy) {
    for (let ox = 0; ox + ref.width <= area.width; ++ox) {
      let inks = 0, matched = 0;
      for (let y = 0; y < ref.height; ++y) {
        for (let x = 0; x < ref.width; ++x) {
          const i = (y * ref.width + x) * 3;
          const j = ((oy + y) * area.width + ox + x) * 3;
          const a = isInk(ref.pixels, i), b = isInk(area.pixels, j);
          if (!a && !b) continue;
          inks += 1;
          if (a && b && alike(ref.pixels, i, area.pixels, j)) matched += 1;
        }
      }
      if (inks > 0) best = Math.max(best, (100 * matched) / inks);
    }
  }
  return best;
}

let linuxCorner = null;
let linuxClient = null;
const linuxBoxInk = {};
(async () => {
  fs.mkdirSync(outDir, { recursive: true });
  const full = readPpm(linuxShot);
  // The Linux grab holds the menu bar above the 619 x 599 client area.
  linuxClient = crop(full, 0, full.height - 599, 619, 599);
  linuxCorner = findFrameCorner(linuxClient);
  for (const name of ['few', 'falta-t', 'falten-dades', 'info'])
    linuxBoxInk[name] = inkOf(readPpm(path.join(linuxBoxes, `box-${name}.ppm`)));
  if (!linuxCorner) throw new Error(`${linuxShot}: no "Progressions" frame`);
  for (const lang of ['ca', 'en-US']) await run(lang);
  console.log(failures === 0 ? 'page check passed' : `${failures} page checks failed`);
  process.exit(failures === 0 ? 0 : 1);
})().catch((error) => {
  console.error(error);
  process.exit(1);
});
