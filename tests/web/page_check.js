// SPDX-FileCopyrightText: 2026 Tirel developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Drives the web build's page in Debian's chromium through the DevTools protocol, as a user
// would: clicks, typing, Enter; field and box texts are read back through the clipboard
// (Ctrl+A, Ctrl+C in a field; Ctrl+C on a message box copies its title and text).
//   node page_check.js URL LINUX_SHOT.ppm OUT_DIR
// LINUX_SHOT is the Linux window's client area in the Catalan locale; OUT_DIR receives the
// screenshots. Exits 1 on the first failure, with its reason.
'use strict';
const fs = require('fs');
const os = require('os');
const path = require('path');
const { spawnSync } = require('child_process');
const puppeteer = require('puppeteer-core');
const { readPpm, parsePpm, writePpm, crop, whiteBoxes, matchBoxes, equalShare, findFrameCorner } =
  require('./shot');

const [url, linuxShot, outDir] = process.argv.slice(2);
if (!outDir) {
  console.error('usage: node page_check.js URL LINUX_SHOT.ppm OUT_DIR');
  process.exit(2);
}

// Centres of the controls used, in the client area's logical pixels: the layout table's twips
// (src/window/layout_table.cpp) over 15, each container's offset added.
const at = {
  a1: [78, 72], d: [146, 71], n: [209, 71], okAr: [237, 72], an: [306, 71], sn: [390, 72],
  compoundC: [85, 410], compoundR: [152, 410], compoundT: [222, 411], okCompound: [260, 411],
  compoundFinal: [339, 410],
  capC: [82, 490], capR: [157, 491], capT: [228, 491], okCap: [265, 492], capA: [342, 491],
  ga1: [84, 183], gr: [152, 183], gn: [214, 183],
  gk: [116, 247], ga: [226, 247], gb: [278, 247], okABg: [325, 248],
};
// Where the geometric fields a1, r and n and the list sit (client pixels: left, top, w, h).
const geometricRow = [60, 170, 210, 28];

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
const sleep = (ms) => new Promise((resolve) => setTimeout(resolve, ms));

async function shot(page) {
  const png = await page.screenshot({ type: 'png' });
  return png;
}

// What the page's screen shows, as a picture: a screenshot of its element, turned into PPM by
// ImageMagick's convert.
async function grab(page) {
  const png = await (await page.$('#screen')).screenshot({ type: 'png' });
  const converted = spawnSync('convert', ['png:-', '-depth', '8', 'ppm:-'], { input: png, maxBuffer: 1 << 26 });
  if (converted.status !== 0) throw new Error(`convert: ${converted.stderr}`);
  return parsePpm(converted.stdout);
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
    await page.waitForFunction(() => {
      const screen = document.getElementById('screen');
      return screen.querySelector('canvas') && screen.style.width !== '';
    }, { timeout: 60000 });
    check((await page.evaluate(() => navigator.languages[0])) === lang, `${lang}: the page's language`);
    const box = await (await page.$('#screen')).boundingBox();
    let image = null;
    let corner = null;
    for (let i = 0; i < 60 && !corner; ++i) {
      await sleep(500);
      image = await grab(page);
      corner = findFrameCorner(image);
    }
    if (!check(corner !== null, `${lang}: the window is drawn`)) {
      console.log(log.join('\n'));
      writePpm(path.join(outDir, `${lang}-screen.ppm`), image);
      return;
    }
    // The client area lies where the "Progressions" frame's corner says, as in the Linux grab.
    const client = [corner[0] - linuxCorner[0], corner[1] - linuxCorner[1]];
    const point = ([x, y]) => [box.x + client[0] + x, box.y + client[1] + y];
    const click = async (name) => {
      const [x, y] = point(at[name]);
      await page.mouse.click(x, y);
      await sleep(100);
    };
    const type = async (name, text) => {
      await click(name);
      await page.keyboard.type(text, { delay: 20 });
    };
    const copied = async () => {
      await page.evaluate(() => navigator.clipboard.writeText('\u0000'));
      await page.keyboard.down('Control');
      await page.keyboard.press('KeyC');
      await page.keyboard.up('Control');
      for (let i = 0; i < 50; ++i) {
        await sleep(100);
        const text = await page.evaluate(() => navigator.clipboard.readText());
        if (text !== '\u0000') return text;
      }
      return null;
    };
    const read = async (name) => {
      await click(name);
      await page.keyboard.down('Control');
      await page.keyboard.press('KeyA');
      await page.keyboard.up('Control');
      return copied();
    };
    // A message box: Ctrl+C copies its title, text and button between rules of dashes.
    const boxText = async () => {
      await sleep(500);
      const text = await copied();
      if (text === null) return null;
      return text.split('\n').map((line) => line.trim()).filter((line) => line && !/^-+$/.test(line));
    };
    const comma = lang.startsWith('ca');
    const number = (text) => (comma ? text.replace('.', ',') : text);

    // The window at its natural size: 619 wide, as on the desktop.
    fs.writeFileSync(path.join(outDir, `${lang}-start.png`), await shot(page));

    // a1 = 1, d = 2, n = 5 and "Ok": an 9, Sn 25.
    await type('a1', '1');
    await type('d', '2');
    await type('n', '5');
    await click('okAr');
    check((await read('an')) === '9', `${lang}: an = 9`);
    check((await read('sn')) === '25', `${lang}: Sn = 25`);

    // Compound interest: a power, 15 significant digits and the locale's separator.
    await type('compoundC', '1000');
    await type('compoundR', '5');
    await type('compoundT', '10');
    await click('okCompound');
    check((await read('compoundFinal')) === number('1628.89462677744'),
      `${lang}: C = ${number('1628.89462677744')}`);

    // Too few data: the box, and nothing written.
    await type('capC', '600');
    await click('okCap');
    const few = await boxText();
    check(JSON.stringify(few) === JSON.stringify(['Dades insuficients', 'Són necessàries 3 dades', 'OK']),
      `${lang}: too few data shows "Dades insuficients" (${JSON.stringify(few)})`);
    await page.keyboard.press('Enter');
    await sleep(300);

    if (comma) {
      // Modal in the middle of the press: with C, r and a given and t empty, the box says
      // "Falta t" while t is still empty, and t shows 0 only once the box is closed.
      await type('capR', '100');
      await type('capA', '100');
      await click('okCap');
      const missing = await boxText();
      check(JSON.stringify(missing) === JSON.stringify(['Cas no contemplat', 'Falta t', 'OK']),
        `${lang}: "Falta t" (${JSON.stringify(missing)})`);
      image = await grab(page);
      const tField = crop(image, client[0] + at.capT[0] - 9, client[1] + at.capT[1] - 6, 18, 12);
      check(equalShare(tField, { width: tField.width, height: tField.height,
        pixels: Buffer.alloc(tField.pixels.length, 255) }) === 100,
        `${lang}: t is still empty behind the box`);
      fs.writeFileSync(path.join(outDir, `${lang}-falta-t.png`), await shot(page));
      await page.keyboard.press('Enter');
      await sleep(300);
      check((await read('capT')) === '0', `${lang}: t shows 0 after the box`);

      // Earlier writes first: a geometric interpolation of 2 terms between 5 and 5 writes a1, r
      // and n and the list, then its solve fails; behind the box they already show what they
      // show after it.
      await type('gk', '2');
      await type('ga', '5');
      await type('gb', '5');
      await click('okABg');
      const cannot = await boxText();
      check(JSON.stringify(cannot) === JSON.stringify(['No es pot calcular', 'Falten dades', 'OK']),
        `${lang}: "Falten dades" (${JSON.stringify(cannot)})`);
      const behind = crop(await grab(page), client[0] + geometricRow[0], client[1] + geometricRow[1],
        geometricRow[2], geometricRow[3]);
      fs.writeFileSync(path.join(outDir, `${lang}-falten-dades.png`), await shot(page));
      await page.keyboard.press('Enter');
      await sleep(300);
      await page.mouse.move(box.x + 2, box.y + box.height - 2);
      await sleep(300);
      const after = crop(await grab(page), client[0] + geometricRow[0], client[1] + geometricRow[1],
        geometricRow[2], geometricRow[3]);
      check(equalShare(behind, after) === 100, `${lang}: a1, r and n shown behind the box as after it`);
      const written = [await read('ga1'), await read('gr'), await read('gn')];
      check(JSON.stringify(written) === JSON.stringify(['5', '1', '4']),
        `${lang}: a1, r, n = 5, 1, 4 (${JSON.stringify(written)})`);
    }

    // Info: a browser starts no batch file.
    const menu = point([15, -10]);
    await page.mouse.click(menu[0], menu[1]);
    await sleep(300);
    await page.keyboard.press('ArrowDown');
    await page.keyboard.press('Enter');
    const info = await boxText();
    check(JSON.stringify(info) === JSON.stringify(['Info', "No s'ha pogut iniciar Info.bat", 'OK']),
      `${lang}: Info says it could not start Info.bat (${JSON.stringify(info)})`);
    await page.keyboard.press('Enter');
    await sleep(300);

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
      const { missing: lost, moved } = matchBoxes(whiteBoxes(linux), whiteBoxes(web), 1);
      check(lost.length === 0 && moved.length === 0,
        `${lang}: every field where the Linux window has it, within a pixel ` +
        `(${whiteBoxes(linux).length} boxes; missing ${JSON.stringify(lost)}, moved ${JSON.stringify(moved)})`);
      console.log(`INFO   : ${lang}: ${equalShare(linux, web).toFixed(1)}% of the pixels equal to the Linux window's`);
    }
  } finally {
    await browser.close();
    fs.rmSync(profile, { recursive: true, force: true });
  }
}

let linuxCorner = null;
let linuxClient = null;
(async () => {
  fs.mkdirSync(outDir, { recursive: true });
  const full = readPpm(linuxShot);
  // The Linux grab holds the menu bar above the 619 x 599 client area.
  linuxClient = crop(full, 0, full.height - 599, 619, 599);
  linuxCorner = findFrameCorner(linuxClient);
  if (!linuxCorner) throw new Error(`${linuxShot}: no "Progressions" frame`);
  for (const lang of ['ca', 'en-US']) await run(lang);
  console.log(failures === 0 ? 'page check passed' : `${failures} page checks failed`);
  process.exit(failures === 0 ? 0 : 1);
})().catch((error) => {
  console.error(error);
  process.exit(1);
});
