@echo off
rem SPDX-FileCopyrightText: 2026 Tirel developers
rem SPDX-License-Identifier: GPL-3.0-or-later
rem
rem What Tirel's "Info" starts on Windows: beside tirel.exe, where "Info" looks first, it opens the
rem help page that lies beside it in the default browser. "start" does not wait for the browser,
rem so the command interpreter ends at once and leaves no window behind.
start "" "%~dp0ajuda.html"
