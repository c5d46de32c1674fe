#!/usr/bin/python3

# SPDX-FileCopyrightText: 2026 Tirel developers
#
# SPDX-License-Identifier: GPL-3.0-or-later

"""The main window as a screen reader gets it, over the AT-SPI bus of the current session.

Usage: atspi_check.py PROGRAM DECIMAL_SEPARATOR
Starts PROGRAM, checks every frame, field, button and list with its role, name and enclosing
node, then drives solves through EditableText, Action and Text (and a synthesised click, as a
screen reader routes one) and reads the results back. Numbers in the tables use "." and are
written with DECIMAL_SEPARATOR. Exits 0 when all holds, 1 on a fault, 77 when the bus is out
of reach.
"""
import os
import subprocess
import sys
import time
import warnings

import gi

gi.require_version("Atspi", "2.0")
from gi.repository import Atspi, Gio, GLib  # noqa: E402

AR, AI, GE, GI = ("Aritmètiques", "Interpolació aritmètica", "Geomètriques",
                  "Interpolació geomètrica")
SI, CI, CA, AM = ("Interès simple", "Interès compost", "Anualitats de capitalització",
                  "Anualitats d'amortització")
ANNUITIES = "Anualitats de capitalització i d'amortització"
# (frame, its enclosing frame)
FRAMES = [("Progressions", ""), (AR, "Progressions"), (GE, "Progressions"), ("Interès", ""),
          (SI, "Interès"), (CI, "Interès"), (ANNUITIES, "Interès")]
# (section, its frame, field symbols, buttons, list): every field and button is "section: what".
SECTIONS = [
    (AR, AR, "a1 d n an Sn", ["Ok"], False), (AI, AR, "K A B", ["Ok>"], True),
    (GE, GE, "a1 r n an Sn S", ["Ok"], False), (GI, GE, "K A B", ["Ok>"], True),
    (SI, SI, "c r t C", ["Ok"], False), (CI, CI, "c r t C", ["Ok"], False),
    (CA, ANNUITIES, "C r t a", ["Ok"], False), (AM, ANNUITIES, "D r t a", ["Ok"], False),
]
LIST = "termes interpolats"
CHECKED_ROLES = {"text", "push button", "combo box", "list", "panel", "filler"}

# Steps driven through the bus, in order: set a text, press a button, click a field, expect a
# text, expect a label's enabled state.
STEPS = [
    ("set", AR, "a1", "1"), ("set", AR, "d", "2"), ("set", AR, "n", "5"), ("press", AR, "Ok"),
    ("text", AR, "an", "9"), ("text", AR, "Sn", "25"),
    ("set", GE, "a1", "1"), ("set", GE, "r", "2"), ("set", GE, "n", "5"), ("press", GE, "Ok"),
    ("text", GE, "an", "16"), ("text", GE, "Sn", "31"), ("text", GE, "S", ""),
    ("enabled", "S =", False),
    # The live sum: a decreasing progression shows S, and the first term stays as written even
    # where the sum is rounded (1 / 0.9).
    ("set", GE, "a1", "3"), ("set", GE, "r", "0.5"), ("text", GE, "S", "6"),
    ("enabled", "S =", True), ("set", GE, "a1", "1"), ("set", GE, "r", "0.1"),
    ("text", GE, "S", "1.11111111111111"), ("text", GE, "a1", "1"),
    # An S written in turns a1 (the ratio given) or, with the ratio emptied, r, and stays as
    # written.
    ("set", GE, "r", "0.5"), ("set", GE, "S", "60"), ("text", GE, "a1", "30"),
    ("text", GE, "r", "0.5"), ("text", GE, "S", "60"), ("set", GE, "r", ""),
    ("set", GE, "S", "70"), ("text", GE, "r", "0.571428571428571"), ("text", GE, "S", "70"),
    ("text", GE, "a1", "30"),
    # A ratio of 2 switches the display off; a click into the empty S field switches it on and
    # empties n, an and Sn.
    ("set", GE, "r", "2"), ("text", GE, "S", ""), ("enabled", "S =", False),
    ("click", GE, "S"), ("enabled", "S =", True), ("text", GE, "n", ""),
    ("text", GE, "an", ""), ("text", GE, "Sn", ""), ("text", GE, "a1", "30"),
]


def expected_nodes():
    """(role, name) -> name of the enclosing node, one entry per node."""
    nodes = {("panel", name): parent for name, parent in FRAMES}
    nodes[("filler", "")] = "Progressions - Interès"  # the client area, the one filler left
    for section, frame, symbols, buttons, has_list in SECTIONS:
        for what in symbols.split() + buttons:
            role = "push button" if what in buttons else "text"
            nodes[(role, f"{section}: {what}")] = frame
        if has_list:
            name = f"{section}: {LIST}"
            nodes[("combo box", name)] = frame
            nodes[("list", name)] = name
            nodes[("text", name + " (line)")] = name
    return nodes


def walk(node, parent_name, found, by_name):
    for i in range(node.get_child_count()):
        child = node.get_child_at_index(i)
        if child is None:
            continue
        role, name = child.get_role_name(), child.get_name()
        if role in CHECKED_ROLES and (name or child.get_child_count()):
            key = (role, name + " (line)") if role == "text" and parent_name == name \
                else (role, name)
            found.setdefault(key, []).append(parent_name)
        by_name.setdefault((role, name), child)
        walk(child, name, found, by_name)


def find_app(proc, timeout):
    end = time.time() + timeout
    while time.time() < end and proc.poll() is None:
        desktop = Atspi.get_desktop(0)
        for i in range(desktop.get_child_count()):
            app = desktop.get_child_at_index(i)
            if app is not None and app.get_name() == "Tirel":
                return app
        time.sleep(0.2)
    return None


def wait_for(read, want, timeout=5.0):
    end = time.time() + timeout
    got = read()
    while got != want and time.time() < end:
        time.sleep(0.05)
        got = read()
    return got


def drive(step, by_name, separator):
    """Runs one step; returns what went wrong, if anything."""
    kind, section = step[0], step[1]
    number = step[-1].replace(".", separator) if isinstance(step[-1], str) else None
    if kind == "enabled":
        label = by_name[("label", section)]
        got = wait_for(lambda: label.get_state_set().contains(Atspi.StateType.ENABLED), step[2])
        return None if got == step[2] else f"enabled is {got}"
    node = by_name[("push button" if kind == "press" else "text", f"{section}: {step[2]}")]
    if kind == "set":
        node.set_text_contents(number)
    elif kind == "press":
        with warnings.catch_warnings():  # the 2.46 bindings have no other call for the name
            warnings.simplefilter("ignore", DeprecationWarning)
            names = [node.get_action_name(i) for i in range(node.get_n_actions())]
        node.do_action(names.index("Press"))
    elif kind == "click":
        box = node.get_extents(Atspi.CoordType.SCREEN)
        Atspi.generate_mouse_event(box.x + box.width // 2, box.y + box.height // 2, "b1c")
    else:
        got = wait_for(lambda: node.get_text(0, -1), number)
        return None if got == number else f"reads {got!r}"
    return None


def main():
    program, separator = sys.argv[1], sys.argv[2]
    try:  # the accessibility bus is started on demand through the session bus
        session = Gio.bus_get_sync(Gio.BusType.SESSION)
        address = session.call_sync("org.a11y.Bus", "/org/a11y/bus", "org.a11y.Bus",
                                    "GetAddress", None, GLib.VariantType("(s)"), 0, 10000,
                                    None).unpack()[0]
        Gio.DBusConnection.new_for_address_sync(
            address, Gio.DBusConnectionFlags.AUTHENTICATION_CLIENT |
            Gio.DBusConnectionFlags.MESSAGE_BUS_CONNECTION, None, None).close_sync(None)
    except GLib.Error as error:
        print(f"AT-SPI bus out of reach: {error.message}")
        return 77
    env = dict(os.environ, QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1", QT_QPA_PLATFORM="xcb")
    proc = subprocess.Popen([program], env=env)
    faults = []
    try:
        app = find_app(proc, 20)
        if app is None:
            print(f"the program never showed on the AT-SPI bus (exit status {proc.poll()})")
            return 1
        found, by_name = {}, {}
        walk(app, "", found, by_name)
        expected = expected_nodes()
        for key, parent in expected.items():
            if found.get(key) != [parent]:
                faults.append(f"{key}: expected once inside {parent!r}, found {found.get(key)}")
        for key, parents in found.items():
            if key not in expected:
                faults.append(f"unexpected {key} inside {parents}")
        print(f"tree: {len(expected)} named nodes expected, "
              f"{sum(len(p) for p in found.values())} found")

        for step in STEPS:
            try:
                fault = drive(step, by_name, separator)
            except (KeyError, ValueError, GLib.Error) as error:  # a node or an action missing
                fault = repr(error)
            if fault:
                faults.append(f"{step}: {fault}")
        print(f"steps: {len(STEPS)} driven")
    finally:
        proc.terminate()
        proc.wait(10)
    for fault in faults:
        print("FAULT", fault)
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main())
