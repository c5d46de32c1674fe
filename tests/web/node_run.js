// SPDX-FileCopyrightText: 2026 Tirel developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Runs a test program of the web build under node, as CTest's emulator:
//   node --no-experimental-fetch node_run.js PROGRAM.js [ARGUMENTS...]
// The program is a module factory (Qt links it so, for pages): this starts it with the arguments
// and the TIREL_ and QT_ variables of the environment, and ends with its exit status.
'use strict';
const path = require('path');

const [program, ...args] = process.argv.slice(2);
if (!program) {
  console.error('usage: node_run.js PROGRAM.js [ARGUMENTS...]');
  process.exit(2);
}
// Qt asks the browser for the user's languages when a locale is made; node before 21 has no
// navigator. The suites pin the locales they test.
globalThis.navigator ??= { language: 'en-US', languages: ['en-US'] };
const createInstance = require(path.resolve(program));
const passed = Object.entries(process.env).filter(([name]) => /^(TIREL|QT)_/.test(name));

createInstance({
  arguments: args,
  thisProgram: path.basename(program, '.js'),
  preRun: [(module) => passed.forEach(([name, value]) => { module.ENV[name] = value; })],
  // A program that ends through exit() reports here; one that returns from main does too, as
  // the tests are linked with EXIT_RUNTIME.
  onExit: (status) => { process.exitCode = status; },
}).catch((error) => {
  console.error(`${program}: ${error}`);
  process.exitCode = 1;
});
