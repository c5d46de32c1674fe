// SPDX-FileCopyrightText: 2026 Tirel developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Pictures for page_check.js: { width, height, pixels } with three bytes a pixel, read from and
// written to binary PPM (P6), and the few judgements the check makes of them.
'use strict';
const fs = require('fs');

function readPpm(file) {
  return parsePpm(fs.readFileSync(file), file);
}

function parsePpm(data, name = 'picture') {
  const fields = [];
  let pos = 0;
  while (fields.length < 4) {
    while (/\s/.test(String.fromCharCode(data[pos]))) pos += 1;
    if (data[pos] === 0x23) {
      pos = data.indexOf(0x0a, pos);
      continue;
    }
    const start = pos;
    while (!/\s/.test(String.fromCharCode(data[pos]))) pos += 1;
    fields.push(data.subarray(start, pos).toString());
  }
  if (fields[0] !== 'P6' || fields[3] !== '255') throw new Error(`${name}: not an 8-bit binary PPM`);
  const width = Number(fields[1]);
  const height = Number(fields[2]);
  return { width, height, pixels: data.subarray(pos + 1, pos + 1 + width * height * 3) };
}

function writePpm(file, image) {
  fs.writeFileSync(file, Buffer.concat([Buffer.from(`P6\n${image.width} ${image.height}\n255\n`),
    image.pixels]));
}

function crop(image, left, top, width, height) {
  const pixels = Buffer.alloc(width * height * 3, 0);
  for (let y = 0; y < height; ++y) {
    const sy = top + y;
    if (sy < 0 || sy >= image.height) continue;
    for (let x = 0; x < width; ++x) {
      const sx = left + x;
      if (sx < 0 || sx >= image.width) continue;
      image.pixels.copy(pixels, (y * width + x) * 3, (sy * image.width + sx) * 3,
        (sy * image.width + sx) * 3 + 3);
    }
  }
  return { width, height, pixels };
}

// The share of equal pixels, in percent, of two pictures of one size.
function equalShare(a, b) {
  if (a.width !== b.width || a.height !== b.height) return 0;
  let equal = 0;
  for (let i = 0; i < a.pixels.length; i += 3) {
    if (a.pixels[i] === b.pixels[i] && a.pixels[i + 1] === b.pixels[i + 1] &&
        a.pixels[i + 2] === b.pixels[i + 2])
      equal += 1;
  }
  return (100 * equal) / (a.width * a.height);
}

// The top-left pixel of the "Progressions" frame's dark red fill (128, 0, 0), or null.
function findFrameCorner(image) {
  for (let y = 0; y < image.height; ++y) {
    for (let x = 0; x < image.width; ++x) {
      const i = (y * image.width + x) * 3;
      if (image.pixels[i] === 128 && image.pixels[i + 1] === 0 && image.pixels[i + 2] === 0)
        return [x, y];
    }
  }
  return null;
}

// Every solid white rectangle of at least 8 x 8 pixels (an empty field, a list's line): its
// bounds as [left, top, right, bottom], found as 4-connected regions of pure white that fill
// nine tenths of their bounding box at least (a sunken field's white edges join its inside).
function whiteBoxes(image) {
  const { width, height, pixels } = image;
  const seen = new Uint8Array(width * height);
  const white = (p) => pixels[p * 3] === 255 && pixels[p * 3 + 1] === 255 && pixels[p * 3 + 2] === 255;
  const boxes = [];
  for (let start = 0; start < width * height; ++start) {
    if (seen[start] || !white(start)) continue;
    let left = width, top = height, right = -1, bottom = -1, count = 0;
    const stack = [start];
    seen[start] = 1;
    while (stack.length) {
      const p = stack.pop();
      const x = p % width, y = (p - x) / width;
      count += 1;
      left = Math.min(left, x); right = Math.max(right, x);
      top = Math.min(top, y); bottom = Math.max(bottom, y);
      for (const q of [x > 0 ? p - 1 : -1, x < width - 1 ? p + 1 : -1, y > 0 ? p - width : -1,
        y < height - 1 ? p + width : -1]) {
        if (q >= 0 && !seen[q] && white(q)) {
          seen[q] = 1;
          stack.push(q);
        }
      }
    }
    const w = right - left + 1, h = bottom - top + 1;
    if (w >= 8 && h >= 8 && count >= 0.9 * w * h) boxes.push([left, top, right, bottom]);
  }
  return boxes;
}

// Pairs each expected box with a found one whose every edge lies within `tolerance` pixels.
function matchBoxes(expected, found, tolerance) {
  const missing = [];
  const moved = [];
  for (const box of expected) {
    const near = found.find((other) => other.every((v, i) => Math.abs(v - box[i]) <= tolerance));
    if (near) continue;
    const closest = found.find((other) => Math.abs(other[0] - box[0]) + Math.abs(other[1] - box[1]) < 20);
    if (closest) moved.push({ linux: box, web: closest });
    else missing.push(box);
  }
  return { missing, moved };
}

module.exports = { readPpm, parsePpm, writePpm, crop, equalShare, findFrameCorner, whiteBoxes, matchBoxes };
