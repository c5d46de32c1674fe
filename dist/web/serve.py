#!/usr/bin/env python3
# SPDX-FileCopyrightText: 2026 Tirel developers
# SPDX-License-Identifier: GPL-3.0-or-later
"""Serves Tirel's web folder as it is meant to be served: each file in the smallest encoding the
browser accepts (the .br or .gz packed beside it), with the type that lets the browser compile
tirel.wasm while it arrives, and validators that let a repeat visit revalidate instead of reloading.

    python3 serve.py [FOLDER] [--port PORT] [--bind ADDRESS]

FOLDER defaults to the folder this file is in, PORT to 8000 (0 picks a free one), ADDRESS to
127.0.0.1. The first line printed names the address served."""
import argparse
import email.utils
import http.server
import os

TYPES = {
    ".html": "text/html; charset=utf-8", ".js": "text/javascript; charset=utf-8",
    ".wasm": "application/wasm", ".webmanifest": "application/manifest+json",
    ".json": "application/json", ".svg": "image/svg+xml", ".png": "image/png",
    ".ttf": "font/ttf", ".otf": "font/otf", ".txt": "text/plain; charset=utf-8",
    ".md": "text/markdown; charset=utf-8", ".gz": "application/gzip", ".zip": "application/zip",
}
ENCODINGS = (("br", ".br"), ("gzip", ".gz"))


def accepted(header):
    """The content codings an Accept-Encoding header allows (those not given q=0)."""
    codings = set()
    for item in (header or "").split(","):
        name, *params = [part.strip().lower() for part in item.split(";")]
        weights = [p.partition("=")[2] for p in params if p.replace(" ", "").startswith("q=")]
        try:
            if not weights or float(weights[0]) > 0:
                codings.add(name)
        except ValueError:
            pass
    return codings


class Handler(http.server.SimpleHTTPRequestHandler):
    protocol_version = "HTTP/1.1"

    def send_head(self):
        path = self.translate_path(self.path)
        if os.path.isdir(path):
            if not self.path.split("?")[0].endswith("/"):
                # Relative addresses in the page need the folder's own address.
                self.send_response(301)
                self.send_header("Location", self.path.split("?")[0] + "/")
                self.send_header("Content-Length", "0")
                self.end_headers()
                return None
            path = os.path.join(path, "index.html")
        if not os.path.isfile(path):
            self.send_error(404)
            return None
        served, coding = path, None
        allowed = accepted(self.headers.get("Accept-Encoding"))
        for name, suffix in ENCODINGS:
            if name in allowed and os.path.isfile(path + suffix):
                served, coding = path + suffix, name
                break
        stat = os.stat(served)
        tag = f'"{stat.st_mtime_ns:x}-{stat.st_size:x}-{coding or "identity"}"'
        headers = {
            "Content-Type": TYPES.get(os.path.splitext(path)[1], "application/octet-stream"),
            "ETag": tag, "Last-Modified": email.utils.formatdate(stat.st_mtime, usegmt=True),
            # Always revalidated: an update reaches the next visit, and the service worker keeps
            # the page for when there is no network.
            "Cache-Control": "no-cache", "Vary": "Accept-Encoding",
        }
        if coding:
            headers["Content-Encoding"] = coding
        if tag in [t.strip() for t in self.headers.get("If-None-Match", "").split(",")]:
            self.send_response(304)
            for name, value in headers.items():
                self.send_header(name, value)
            self.end_headers()
            return None
        self.send_response(200)
        headers["Content-Length"] = str(stat.st_size)
        for name, value in headers.items():
            self.send_header(name, value)
        self.end_headers()
        return open(served, "rb")


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    parser = argparse.ArgumentParser(description="Serves Tirel's web folder, compressed.")
    parser.add_argument("folder", nargs="?", default=here)
    parser.add_argument("--port", type=int, default=8000)
    parser.add_argument("--bind", default="127.0.0.1")
    args = parser.parse_args()
    folder = os.path.abspath(args.folder)
    server = http.server.ThreadingHTTPServer(
        (args.bind, args.port), lambda *a: Handler(*a, directory=folder))
    print(f"serving {folder} at http://{args.bind}:{server.server_address[1]}/", flush=True)
    try:
        server.serve_forever()
    except KeyboardInterrupt:
        pass


if __name__ == "__main__":
    main()
