// SPDX-FileCopyrightText: 2026 Tirel developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Starts Tirel in its page: fetches the faces that come beside it into its file system, gives it
// the page's screen element, and sizes that element to the window once the window is shown.
'use strict';
(async () => {
  const screen = document.getElementById('screen');
  const status = document.getElementById('status');
  const say = (text) => { status.textContent = text; status.hidden = !text; };
  try {
    // Everything comes from this folder: the list of faces, then each face.
    const list = await fetch('faces/index.txt').then((response) => {
      if (!response.ok) throw new Error(`faces/index.txt: ${response.status}`);
      return response.text();
    });
    const names = list.split('\n').map((line) => line.trim()).filter((line) => line);
    const faces = await Promise.all(names.map(async (name) => {
      const response = await fetch(`faces/${name}`);
      if (!response.ok) throw new Error(`faces/${name}: ${response.status}`);
      return [name, new Uint8Array(await response.arrayBuffer())];
    }));
    let module = null;
    await createQtAppInstance({
      qtContainerElements: [screen],
      // Sizes and fonts as on the desktop at 96 DPI; the browser's zoom still applies.
      qtFontDpi: 96,
      preRun: [(started) => {
        module = started;
        module.FS.mkdir('/faces');
        for (const [name, bytes] of faces) module.FS.writeFile(`/faces/${name}`, bytes);
      }],
      // Called by the program (src/window/page_platform.cpp) with the size of its window.
      tirelFitScreen: (width, height) => {
        screen.style.width = `${width}px`;
        screen.style.height = `${height}px`;
        module.qtResizeAllScreens(null);
      },
      onRuntimeInitialized: () => say(''),
      print: (text) => console.log(text),
      printErr: (text) => console.warn(text),
      onAbort: (text) => say(`Tirel s'ha aturat: ${text}`),
    });
  } catch (error) {
    say(`No s'ha pogut carregar Tirel: ${error}`);
  }
})();
