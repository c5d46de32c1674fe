// SPDX-FileCopyrightText: 2026 Tirel developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Starts Tirel in its page through Qt's loader (qtloader.js): fetches the faces that come beside
// it into its file system, gives it the page's screen element, and sizes that element to the
// window once the window is shown. On a screen narrower than the window and its note, the page
// is laid out wider and the browser shows it zoomed out as a whole; Qt then draws at the device's
// own pixels (it multiplies the pixel ratio by the zoom), so the text stays crisp, and pinching
// zooms in as on any page.
'use strict';
(async () => {
  const host = document.getElementById('screen');
  const page = document.getElementById('page');
  const note = document.getElementById('note');
  const status = document.getElementById('status');
  const viewport = document.querySelector('meta[name="viewport"]');
  const say = (text) => { status.textContent = text; status.hidden = !text; };

  // The layout width that shows the window and its note whole on this screen: the device's own
  // while they fit it, else one wide enough for both the page's width and, at the screen's
  // proportions, its height.
  const fitViewport = () => {
    if (!viewport) return;
    const seen = window.visualViewport ?? { width: innerWidth, height: innerHeight };
    const needed = Math.ceil(Math.max(page.offsetWidth, page.offsetHeight * seen.width / seen.height));
    const across = innerWidth > innerHeight ? Math.max(screen.width, screen.height)
      : Math.min(screen.width, screen.height);
    const content = needed <= across ? 'width=device-width, initial-scale=1'
      : `width=${needed}, initial-scale=${(across / needed).toFixed(4)}`;
    if (viewport.content !== content) viewport.content = content;
  };
  // One finger in the window belongs to the program (Qt's own style gives its elements
  // touch-action: none); two still pinch and pan the page.
  const letPinch = () => {
    const root = host.querySelector('#qt-shadow-container')?.shadowRoot;
    if (!root || root.getElementById('tirel-touch')) return;
    const style = document.createElement('style');
    style.id = 'tirel-touch';
    style.textContent = '.qt-screen div { touch-action: pinch-zoom; }';
    root.appendChild(style);
  };

  // Every text the window takes is a number: the input element Qt lays over the field being
  // edited, which opens the on-screen keyboard, asks for a decimal one. A screen reader that meets
  // it hears what it is.
  const useDecimalKeyboard = () => {
    for (const input of document.body.querySelectorAll(':scope > input')) {
      if (!('data-qinputcontext' in input)) continue;
      input.inputMode = 'decimal';
      input.setAttribute('aria-label', 'Camp actiu');
    }
  };

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
    // The help page lies beside this one when the folder carries it, and the note links it.
    const help = note.querySelector('a[href="ajuda.html"]') !== null;
    let module = null;
    await qtLoad({
      qt: {
        entryFunction: tirel_entry,
        containerElements: [host],
        // Sizes and fonts as on the desktop at 96 DPI; the browser's zoom still applies.
        fontDpi: 96,
        onLoaded: () => say(''),
        onExit: (exit) => { if (exit.crashed) say(`Tirel s'ha aturat: ${exit.text}`); },
      },
      preRun: [(started) => {
        module = started;
        module.FS.mkdir('/faces');
        for (const [name, bytes] of faces) module.FS.writeFile(`/faces/${name}`, bytes);
      }],
      // Called by the program (src/platform/page.cpp) with the size of its window.
      tirelFitScreen: (width, height) => {
        host.style.width = `${width}px`;
        host.style.height = `${height}px`;
        note.style.maxWidth = `${width}px`;
        module.qtResizeAllScreens(null);
        useDecimalKeyboard();
        letPinch();
        fitViewport();
      },
      // Called by the program with the ids of the elements Qt keeps for screen readers over its
      // controls, in the window's Tab order: each goes to the end of its window's elements, so
      // they are read in that order.
      tirelOrderAccessible: (ids) => {
        const root = host.querySelector('#qt-shadow-container')?.shadowRoot;
        for (const id of ids) {
          const element = root?.getElementById(id);
          element?.parentElement.appendChild(element);
        }
      },
      // Called by the program's "Info": the help page in a tab of its own, when there is one.
      tirelOpenHelp: () => {
        const tab = help ? window.open('ajuda.html', '_blank') : null;
        if (tab) tab.opener = null;
        return tab !== null;
      },
      print: (text) => console.log(text),
      printErr: (text) => console.warn(text),
    });
    // A turned phone has other proportions.
    window.addEventListener('resize', fitViewport);
  } catch (error) {
    say(`No s'ha pogut carregar Tirel: ${error}`);
  }
})();
