// SPDX-FileCopyrightText: 2026 Tirel developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Drives the web build's page in Debian's chromium through the DevTools protocol, as a user
// would: clicks, typing, Enter; field and box texts are read back through the clipboard
// (Ctrl+A, Ctrl+C in a field; Ctrl+C on a message box copies its title and text), or as a screen
// reader gets them: the browser's accessibility tree (the phone, boxes, the desktop's names).
//   node page_check.js URL LINUX_SHOT.ppm LINUX_BOXES OUT_DIR
// LINUX_SHOT is the Linux window in the Catalan locale, LINUX_BOXES the folder of its message
// boxes (box-few.ppm, box-falta-t.ppm, box-falten-dades.ppm, box-info.ppm); OUT_DIR receives the
// screenshots. Exits 1 on the first failure, with its reason.
'use strict';
const fs = require('fs');
const os = require('os');
const path = require('path');
const { spawnSync } = require('child_process');
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
  ['type', 'capC', '600'], ['press', 'okCap'], ['box', 'few', 'Dades insuficients', 'Són necessàries 3 dades'],
  ['close'],
];
// Modal in the middle of a press. With C, r and a given and t empty, "Falta t" shows while t is
// still empty, and t shows 0 once the box is closed. A geometric interpolation of 2 terms between
// 5 and 5 writes a1, r, n and the list before its solve fails: behind the box they already show
// what they show after it.
const modal = [
  ['type', 'capR', '100'], ['type', 'capA', '100'], ['press', 'okCap'],
  ['box', 'falta-t', 'Cas no contemplat', 'Falta t'],
  ['blank', 'capT'], ['close'], ['read', 'capT', '0'],
  ['type', 'gk', '2'], ['type', 'ga', '5'], ['type', 'gb', '5'], ['press', 'okABg'],
  ['box', 'falten-dades', 'No es pot calcular', 'Falten dades'],
  ['keep', 'the geometric a1, r, n and list'], ['close'],
  ['same', 'the geometric a1, r, n and list'], ['read', 'ga1', '5'], ['read', 'gr', '1'], ['read', 'gn', '4'],
];
// A browser starts no batch file: "Info" opens the help page beside the page where the folder
// has one, else says it could not start Info.bat.
const info = (help) => (help ? [['menu'], ['tab', 'ajuda.html']]
  : [['menu'], ['box', 'info', 'Info', "No s'ha pogut iniciar Info.bat"], ['close']]);
// No dead end: the window has no close button, the About dialog has one and closes with it.
const frames = [['closers', [false], 'the window has no close button'], ['menu', 1],
  ['closers', [false, true], 'the About dialog has one'], ['closers', [false], 'and closes with it']];

// The phone: its screen, touch, a mobile browser; a tap on a field opens a decimal keyboard, and
// taps and keys solve, as the accessibility tree reads the results.
const phone = { width: 390, height: 844, deviceScaleFactor: 3, isMobile: true, hasTouch: true };
const phoneAgent = 'Mozilla/5.0 (Linux; Android 14; Pixel 8) AppleWebKit/537.36 (KHTML, like Gecko) ' +
  'Chrome/120.0.0.0 Mobile Safari/537.36';
const phoneSteps = [['tap', 'Aritmètiques: a1'], ['keyboard'], ['keys', '1'], ['tap', 'Aritmètiques: d'],
  ['keys', '2'], ['tap', 'Aritmètiques: n'], ['keys', '5'], ['tap', 'Aritmètiques: Ok'],
  ['value', 'Aritmètiques: an', '9'], ['value', 'Aritmètiques: Sn', '25']];
// The page's roles of the desktop's (AT-SPI) controls; frames and the lists' drop-downs have no
// element in the page. The input Qt types through is the page's, named by it (tirel-page.js).
const webRoles = { text: 'textbox', 'push button': 'button', 'combo box': 'combobox' };
const typingInput = 'Camp actiu';

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
      if (!request.url().startsWith(origin) && !request.url().startsWith('data:')) outside.push(request.url());
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
    const { point, click, type, copied, read } = userOf(page, shown);
    // A message box is the one of the Linux program it shows: in the box's client area (the
    // canvas of the topmost of Qt's windows in the page) the text of each Linux box is looked for
    // (the buttons differ: Linux draws an icon on them), and an icon of its icon's colour; the
    // best match must be the expected box, and clearly: the glyphs of Linux's Qt and the page's
    // differ a little in their smoothing.
    let boxesSeen = 0;
    const boxShown = async () => {
      await sleep(500);
      const image = await grab(page);
      writePpm(path.join(outDir, `${lang}-box-${++boxesSeen}.ppm`), image);
      const { client: [left, top, width] } = await topWindow(page);
      const inside = crop(image, left, top, width, 90);
      const [best, next] = Object.entries(linuxBoxInk)
        .map(([name, reference]) => ({ name, share: bestInkShare(inside, reference) }))
        .sort((a, b) => b.share - a.share);
      const icon = iconColour(crop(inside, 0, 0, 64, inside.height));
      return { ...best, margin: best.share - next.share, sameIcon: icon && alike(icon, 0, linuxBoxInk[best.name].icon, 0) };
    };
    const boxIs = async (expected, title, text) => {
      const shown = await boxShown();
      check(shown.name === expected && shown.share >= 60 && shown.margin >= 15 && shown.sameIcon,
        `${lang}: the "${title}" box (its text matches Linux's "${shown.name}" at ${shown.share.toFixed(1)}%, ` +
        `${(shown.margin || 0).toFixed(1)} points above any other; ${shown.sameIcon ? 'its' : 'not its'} icon)`);
      const said = (await axNodes(page)).filter((node) => node.role === 'alertdialog')
        .map(({ name, description }) => `${name}: ${description}`);
      check(said.includes(`${title}: ${text}`), `${lang}: a screen reader is told "${title}: ${text}" ` +
        `(alert dialogs ${JSON.stringify(said)})`);
    };
    // The window at its natural size: 619 wide, as on the desktop.
    fs.writeFileSync(path.join(outDir, `${lang}-start.png`), await page.screenshot({ type: 'png' }));
    const comma = lang.startsWith('ca');
    const help = await page.evaluate(() => document.querySelector('#note a[href="ajuda.html"]') !== null);
    const steps = [...journey(comma ? (text) => text.replace('.', ',') : (text) => text),
      ...(comma ? modal : []), ...info(help), ...frames];
    const kept = {};
    const region = (image, [left, top, width, height]) =>
      crop(image, client[0] + left, client[1] + top, width, height);
    for (const [action, name, text, extra] of steps) {
      if (action === 'type') await type(name, text);
      else if (action === 'press') await click(name);
      else if (action === 'menu') {
        // The menu's entries in order: "Info", "Quant a Tirel".
        const [x, y] = point([15, -10]);
        await page.mouse.click(x, y);
        await sleep(300);
        for (let entry = 0; entry <= (name ?? 0); ++entry) await page.keyboard.press('ArrowDown');
        await page.keyboard.press('Enter');
        await sleep(500);
      } else if (action === 'closers') {
        const shown = await closers(page);
        check(JSON.stringify(shown.map((close) => close !== null)) === JSON.stringify(name),
          `${lang}: ${text} (close buttons ${JSON.stringify(shown)})`);
        if (shown.length > 1) await page.mouse.click(...shown.pop());
        await sleep(500);
      } else if (action === 'read') {
        const shown = await read(name);
        check(shown === text, `${lang}: ${name} shows ${JSON.stringify(shown)}, expected ${JSON.stringify(text)}`);
      } else if (action === 'box') await boxIs(name, text, extra);
      else if (action === 'tab') {
        const opened = await browser.waitForTarget((target) => target.url().endsWith(`/${name}`),
          { timeout: 10000 }).catch(() => null);
        check(opened !== null, `${lang}: "Info" opens ${name} in a tab of its own`);
        await (await opened?.page())?.close();
        await page.bringToFront();
      } else if (action === 'close') {
        await page.keyboard.press('Enter');
        await sleep(300);
      } else if (action === 'blank') {
        const [x, y] = at[name];
        const field = region(await grab(page), [x - 9, y - 6, 18, 12]);
        const white = { ...field, pixels: Buffer.alloc(field.pixels.length, 255) };
        check(equalShare(field, white) === 100, `${lang}: ${name} is still empty behind the box`);
      } else if (action === 'keep') {
        kept[name] = { image: region(await grab(page), areas[name]), cover: (await topWindow(page)).outer };
      } else if (action === 'same') {
        // Away from every control, so that nothing is drawn hovered.
        await page.mouse.move(box.x + 2, box.y + box.height - 2);
        await sleep(300);
        // What the box and its shadow left in sight, at least half the area.
        const { image: behind, cover: [x0, y0, x1, y1] } = kept[name];
        const after = region(await grab(page), areas[name]);
        const hidden = [...Array(after.width * after.height).keys()].filter((i) => {
          const x = client[0] + areas[name][0] + (i % after.width), y = client[1] + areas[name][1] + Math.floor(i / after.width);
          return x >= x0 && x < x1 && y >= y0 && y < y1;
        });
        for (const i of hidden) [behind, after].forEach((image) => image.pixels.fill(0, 3 * i, 3 * i + 3));
        check(equalShare(behind, after) === 100 && hidden.length < after.width * after.height / 2,
          `${lang}: ${name} shown behind the box as after it (${hidden.length} pixels under the box)`);
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
      await checkScreenReader(page, lang);
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

// The mean colour of an icon's strongly coloured pixels (null if too few).
function iconColour(image) {
  const coloured = [...Array(image.pixels.length / 3).keys()].map((i) => [...image.pixels.subarray(3 * i, 3 * i + 3)])
    .filter((pixel) => Math.max(...pixel) - Math.min(...pixel) >= 100);
  return coloured.length < 20 ? null : [0, 1, 2].map((c) => coloured.reduce((sum, p) => sum + p[c], 0) / coloured.length);
}

// What a Linux box shows in its top 44 rows: its icon's colour (the ink left of the first 6 blank
// columns; the drawing changed between Qt versions, the colour not) and its text, the ink right of
// that, in its bounding rectangle with a margin of background (8 pixels on the right, so that a
// longer text there counts against the match).
function inkOf(box) {
  const whole = crop(box, 0, 0, box.width, 44);
  const bg = [whole.pixels[0], whole.pixels[1], whole.pixels[2]];
  const inkAt = (x) => [...Array(whole.height).keys()].some((y) => !alike(whole.pixels, (y * whole.width + x) * 3, bg, 0));
  let x = 0;
  while (!inkAt(x)) x += 1;
  for (let blank = 0; blank < 6; x += 1) blank = inkAt(x) ? 0 : blank + 1;
  const icon = iconColour(crop(whole, 0, 0, x, whole.height));
  const top = crop(whole, x, 0, whole.width - x, whole.height);
  const ink = boundsOf(top, (p, i) => !alike(p, i, bg, 0));
  const left = ink.left - 4, upper = ink.top - 4;
  const width = ink.right + 8 - left, height = ink.bottom - ink.top + 1 + 8;
  const image = crop(top, left, upper, width, height);
  for (let y = 0; y < height; ++y) {
    for (let x = 0; x < width; ++x) {
      if (left + x >= 0 && left + x < top.width && upper + y >= 0 && upper + y < top.height) continue;
      bg.forEach((v, c) => { image.pixels[(y * width + x) * 3 + c] = v; });
    }
  }
  return { image, bg, icon };
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

// The topmost of Qt's windows in the page, in the screen element's pixels: its client area [left,
// top, width] and its bounds with room for its shadow [left, top, right, bottom].
const topWindow = (page) => page.evaluate(() => {
  const top = [...document.querySelector('#qt-shadow-container').shadowRoot.querySelectorAll('.qt-window')]
    .filter((window) => window.style.display !== 'none').sort((a, b) => b.style.zIndex - a.style.zIndex)[0];
  const { left, top: y } = document.getElementById('screen').getBoundingClientRect();
  const inner = top.querySelector('canvas').getBoundingClientRect(), outer = top.getBoundingClientRect();
  return { client: [inner.left - left, inner.top - y, inner.width].map(Math.round),
    outer: [outer.left - left - 24, outer.top - y - 24, outer.right - left + 24, outer.bottom - y + 24] };
});

// The middle of each shown window's close button, or null, in the order the windows were made.
const closers = (page) => page.evaluate(() => [...document.querySelector('#qt-shadow-container')
  .shadowRoot.querySelectorAll('.qt-window')].filter((window) => window.style.display !== 'none').map((window) => {
  const close = [...window.querySelectorAll('.title-bar .image-button')].pop();
  const box = close && getComputedStyle(close).display !== 'none' && close.getBoundingClientRect();
  return box ? [box.x + box.width / 2, box.y + box.height / 2] : null;
}));

// Where a control lies: the middle of the element Qt lays over it for screen readers.
const centreOf = (page, name) => page.evaluate((name) => {
  const box = [...document.querySelector('#qt-shadow-container').shadowRoot.querySelectorAll('input, button')]
    .find((node) => (node.getAttribute('aria-label') ?? node.textContent) === name).getBoundingClientRect();
  return [box.x + box.width / 2, box.y + box.height / 2];
}, name);

// The browser's accessibility tree (the protocol's full tree) in a screen reader's order.
async function axNodes(page) {
  const flat = (node) => [node, ...(node.children ?? []).flatMap(flat)];
  return flat(await page.accessibility.snapshot({ interestingOnly: false }));
}

// The desktop's controls as { role, name } in the page's roles: the AT-SPI check's own table (its
// expected_nodes(), run without the bindings it imports).
function desktopControls() {
  const table = path.join(__dirname, '..', 'atspi', 'atspi_check.py');
  const run = spawnSync('python3', ['-c', `import ast, json, sys
kept = [n for n in ast.parse(open(sys.argv[1], encoding="utf-8").read()).body if isinstance(n, ast.Assign)
        or (isinstance(n, ast.FunctionDef) and n.name == "expected_nodes")]
space = {}
exec(compile(ast.Module(body=kept, type_ignores=[]), sys.argv[1], "exec"), space)
print(json.dumps(list(space["expected_nodes"]())))`, table], { encoding: 'utf8' });
  if (run.status !== 0) throw new Error(`${table}: ${run.stderr}`);
  return JSON.parse(run.stdout).filter(([role]) => role in webRoles)
    .map(([role, name]) => ({ role: webRoles[role], name: name.replace(/ \(line\)$/, '') }));
}

// Every control of the desktop's table under its role and name, as often as there, and the fields
// and lists' lines read in the order Tab takes: from the field read first, an "x" typed at each stop
// shows where the focus stands (a button takes nothing), and one round later it is back (a "y"
// replaces the "x" that Tab selects).
async function checkScreenReader(page, lang) {
  const controls = (await axNodes(page)).filter((node) => Object.values(webRoles).includes(node.role) &&
    node.name !== typingInput);
  const expected = desktopControls();
  const count = (list, { role, name }) => list.filter((node) => node.role === role && node.name === name).length;
  const wrong = [...expected, ...controls].filter((node) => count(controls, node) !== count(expected, node));
  check(expected.length >= 40 && wrong.length === 0, `${lang}: the accessibility tree holds the desktop's ` +
    `${expected.length} controls with their names ${JSON.stringify(wrong.map(({ role, name }) => `${role} ${name}`))}`);
  const values = async () => new Map((await axNodes(page)).filter((node) => node.role === 'textbox')
    .map((node) => [node.name, node.value ?? '']));
  const typed = async (key) => {
    const before = await values();
    await page.keyboard.type(key);
    await sleep(150);
    return [...await values()].filter(([name, value]) => value !== before.get(name) && name !== typingInput)
      .map(([name]) => name);
  };
  const read = controls.filter((node) => node.role === 'textbox').map((node) => node.name);
  await page.mouse.click(...await centreOf(page, read[0]));
  const stops = expected.filter((node) => node.role !== 'combobox').length, tabbed = [];
  for (let stop = 0; stop < stops; ++stop) {
    tabbed.push(...await typed('x'));
    await page.keyboard.press('Tab');
    await sleep(100);
  }
  const back = await typed('y');
  check(JSON.stringify(tabbed) === JSON.stringify(read) && JSON.stringify(back) === JSON.stringify([read[0]]),
    `${lang}: a screen reader reads the fields in Tab order, round in ${stops} stops ` +
    `(by Tab ${JSON.stringify(tabbed)}, then ${JSON.stringify(back)}; read ${JSON.stringify(read)})`);
}

// The phone: the whole window on the screen, drawn at the device's own pixels, and its steps.
async function runPhone() {
  const profile = fs.mkdtempSync(path.join(os.tmpdir(), 'tirel-chromium-'));
  const browser = await puppeteer.launch({ executablePath: '/usr/bin/chromium', headless: true,
    userDataDir: profile, args: [...chromiumFlags.slice(0, -1), '--lang=ca', '--accept-lang=ca'] });
  try {
    const page = await browser.newPage();
    await page.setUserAgent(phoneAgent);
    await page.setViewport(phone);
    await page.goto(url, { waitUntil: 'load' });
    await page.waitForFunction(() => document.getElementById('screen').style.width !== '', { timeout: 60000 });
    await sleep(1500);
    const fit = await page.evaluate(() => {
      const { left, top, right, bottom } = document.getElementById('screen').getBoundingClientRect();
      const seen = window.visualViewport, canvas = document.querySelector('#qt-shadow-container').shadowRoot
        .querySelector('canvas');
      return { inside: left >= seen.offsetLeft && top >= seen.offsetTop && right <= seen.offsetLeft + seen.width &&
        bottom <= seen.offsetTop + seen.height, window: [left, top, right, bottom], screen: [seen.width, seen.height],
      drawn: canvas.width / canvas.clientWidth, device: window.devicePixelRatio * seen.scale };
    });
    check(fit.inside, `phone: the whole window on the screen ${JSON.stringify(fit)}`);
    check(Math.abs(fit.drawn - fit.device) < 0.01, `phone: drawn at the device's own pixels ${JSON.stringify(fit)}`);
    for (const [action, name, text] of phoneSteps) {
      if (action === 'tap') await page.touchscreen.tap(...await centreOf(page, name));
      else if (action === 'keys') await page.keyboard.type(name, { delay: 50 });
      else if (action === 'keyboard') {
        const input = await page.evaluate(() => [document.activeElement.tagName, document.activeElement.inputMode]);
        check(input.join() === 'INPUT,decimal', `phone: a tap on a field opens a decimal keyboard ${input}`);
      } else {
        const field = (await axNodes(page)).find((node) => node.role === 'textbox' && node.name === name);
        check(field?.value === text, `phone: ${name} reads ${field?.value}, expected ${text}`);
      }
      await sleep(300);
    }
    fs.writeFileSync(path.join(outDir, 'phone.png'), await page.screenshot({ type: 'png' }));
  } finally {
    await browser.close();
    fs.rmSync(profile, { recursive: true, force: true });
  }
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
  await runPhone();
  console.log(failures === 0 ? 'page check passed' : `${failures} page checks failed`);
  process.exit(failures === 0 ? 0 : 1);
})().catch((error) => {
  console.error(error);
  process.exit(1);
});
