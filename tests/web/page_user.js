// SPDX-FileCopyrightText: 2026 Tirel developers
// SPDX-License-Identifier: GPL-3.0-or-later

// What a user does in the page, for the checks that drive it (page_check.js, offline_check.js):
// find the window on the page's screen, click a control, type into a field, read a field's text
// back through the clipboard (Ctrl+A, Ctrl+C).
'use strict';
const { spawnSync } = require('child_process');
const { parsePpm, findFrameCorner } = require('./shot');

// Centres of the controls used, in the client area's logical pixels: the layout table's twips
// (src/window/layout_table.cpp) over 15, each container's offset added.
const at = {
  a1: [78, 72], d: [146, 71], n: [209, 71], okAr: [237, 72], an: [306, 71], sn: [390, 72],
  compoundC: [85, 410], compoundR: [152, 410], compoundT: [222, 411], okCompound: [260, 411],
  compoundFinal: [339, 410],
  capC: [82, 490], capR: [157, 491], capT: [228, 491], okCap: [265, 492], capA: [342, 491],
  ga1: [84, 183], gr: [152, 183], gn: [214, 183],
  gk: [116, 247], ga: [226, 247], gb: [278, 247], okABg: [325, 248],
  // The simple interest's rate, which holds the keyboard focus at start.
  simpleR: [151, 348],
};

const sleep = (ms) => new Promise((resolve) => setTimeout(resolve, ms));

// What the page's screen shows, as a picture: a screenshot of its element, turned into PPM by
// ImageMagick's convert.
async function grab(page) {
  const png = await (await page.$('#screen')).screenshot({ type: 'png' });
  const converted = spawnSync('convert', ['png:-', '-depth', '8', 'ppm:-'], { input: png, maxBuffer: 1 << 26 });
  if (converted.status !== 0) throw new Error(`convert: ${converted.stderr}`);
  return parsePpm(converted.stdout);
}

// Waits for the window on the page's screen: its client area lies where the "Progressions"
// frame's corner says, as in the Linux grab (linuxCorner, the same corner in Linux's client
// area). Returns { image, box, client } or { image } when the window never showed.
async function findWindow(page, linuxCorner) {
  await page.waitForFunction(() => {
    // Qt puts its windows' canvases in shadow trees of the screen element.
    const holdsCanvas = (root) => root.querySelector('canvas') !== null ||
      [...root.querySelectorAll('*')].some((element) => element.shadowRoot && holdsCanvas(element.shadowRoot));
    const screen = document.getElementById('screen');
    return holdsCanvas(screen) && screen.style.width !== '';
  }, { timeout: 60000 });
  const box = await (await page.$('#screen')).boundingBox();
  let image = null;
  let corner = null;
  for (let i = 0; i < 60 && !corner; ++i) {
    await sleep(500);
    image = await grab(page);
    corner = findFrameCorner(image);
  }
  if (!corner) return { image };
  return { image, box, client: [corner[0] - linuxCorner[0], corner[1] - linuxCorner[1]] };
}

// The user's hands on a window found by findWindow.
function userOf(page, { box, client }) {
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
  return { point, click, type, copied, read };
}

module.exports = { at, sleep, grab, findWindow, userOf };
