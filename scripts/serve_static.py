"""Serves a folder on localhost with the MIME types a web app needs
(application/wasm for WebAssembly, which browsers insist on to compile it
as it streams in, and the manifest's own type).

Usage: serve_static.py FOLDER [PORT] [--isolated] [--gzip] [--log FILE]
                       [--slow-wasm SECONDS] [--held-wasm] [--missing NAME COUNT]...
                       [--hold-after NAME COUNT]... [--cut NAME]... [--replace NAME FILE COUNT]...
                       [--corrupt-wasm]
  PORT 0: any free port, printed. --isolated: cross-origin isolated (COOP
  and COEP), which the benchmarks need for a fine performance.now().
  --gzip: files sent gzip-encoded to a browser that takes it, as most hosts
  do. --log: a line per request, "SECONDS PATH STATUS", SECONDS on the
  monotonic clock from the server's start.
  For the tests of what the page does before its code has loaded, and when
  it cannot: --slow-wasm, the WebAssembly only after that long, as on a slow
  network; --held-wasm, the WebAssembly only once /release has been asked
  for (and held again after /hold), so a test decides when the code comes;
  --hold-after, NAME held so too once it has been sent COUNT times;
  --missing, 404 for the first COUNT requests of NAME (0: for every one),
  at once, held or not; --cut, NAME cut short, its first half only;
  --replace, FILE sent in place of NAME the first COUNT times it is asked
  for; --corrupt-wasm, the WebAssembly's bytes spoiled (half of them)."""

import functools
import gzip
import http.server
import os
import sys
import threading
import time

# Asked for help, it helps; given no folder to serve, it says how to call it.
if sys.argv[1:2] in (["-h"], ["--help"]):
    print(__doc__)
    sys.exit(0)
if len(sys.argv) < 2 or not os.path.isdir(sys.argv[1]):
    print(__doc__, file=sys.stderr)
    sys.exit(2)
folder = sys.argv[1]
flags = sys.argv[2:]
port = int(flags.pop(0)) if flags and not flags[0].startswith("--") else 8080
isolated = "--isolated" in flags
gzipped = "--gzip" in flags


def values(name, count=1):
    """Every occurrence of an option, with its `count` values."""
    found = []
    for at, each in enumerate(flags):
        if each == name:
            found.append(flags[at + 1:at + 1 + count])
    return found


slow_wasm = float(values("--slow-wasm")[0][0]) if values("--slow-wasm") else 0.0
held_wasm = "--held-wasm" in flags
missing = {name: int(count) for name, count in values("--missing", 2)}
cut = {name for [name] in values("--cut")}
replaced = {name: (body, int(count)) for name, body, count in values("--replace", 3)}
held_after = {name: int(count) for name, count in values("--hold-after", 2)}
corrupt_wasm = "--corrupt-wasm" in flags
log_path = values("--log")[0][0] if values("--log") else None
started = time.monotonic()
lock = threading.Lock()
asked = {}
released = threading.Event()


def log(path, status):
    if log_path:
        with lock, open(log_path, "a") as out:
            out.write("%.3f %s %d\n" % (time.monotonic() - started, path, status))


class Handler(http.server.SimpleHTTPRequestHandler):
    # Headers and body are written apart: without this, Nagle's algorithm
    # and delayed acknowledgements hold each response back.
    disable_nagle_algorithm = True
    extensions_map = {
        **http.server.SimpleHTTPRequestHandler.extensions_map,
        ".wasm": "application/wasm",
        ".webmanifest": "application/manifest+json",
        ".js": "text/javascript",
        ".svg": "image/svg+xml",
    }

    def do_GET(self):
        path = self.path.split("?")[0]
        name = path.lstrip("/") or "index.html"
        if path in ("/hold", "/release"):
            (released.clear if path == "/hold" else released.set)()
            self.send_body(b"ok", "text/plain")
            return
        with lock:
            asked[name] = asked.get(name, 0) + 1
            times = asked[name]
        wasm = name.endswith(".wasm")
        if name in missing and (missing[name] == 0 or times <= missing[name]):
            log(path, 404)
            self.send_error(404)
            return
        if wasm and slow_wasm:
            time.sleep(slow_wasm)
        if (wasm and held_wasm) or (name in held_after and times > held_after[name]):
            released.wait(120)
        file = os.path.join(folder, name)
        if name in replaced and times <= replaced[name][1]:
            file = replaced[name][0]
        if (name in cut or name in replaced or (wasm and corrupt_wasm) or gzipped) and os.path.isfile(file):
            with open(file, "rb") as source:
                body = bytearray(source.read())
            if name in cut:
                body = body[:len(body) // 2]
            if wasm and corrupt_wasm:
                body[len(body) // 2:] = bytes(len(body) - len(body) // 2)
            log(path, 200)
            self.send_body(bytes(body), self.guess_type(file))
            return
        log(path, 200 if os.path.exists(file) else 404)
        super().do_GET()

    def send_body(self, body, content_type):
        encoded = gzipped and "gzip" in self.headers.get("Accept-Encoding", "")
        if encoded:
            body = gzip.compress(body)
        self.send_response(200)
        self.send_header("Content-Type", content_type)
        if encoded:
            self.send_header("Content-Encoding", "gzip")
        self.send_header("Content-Length", str(len(body)))
        self.end_headers()
        self.wfile.write(body)

    def end_headers(self):
        # Always the latest files from here; offline use is the service
        # worker's business.
        self.send_header("Cache-Control", "no-cache")
        if isolated:
            self.send_header("Cross-Origin-Opener-Policy", "same-origin")
            self.send_header("Cross-Origin-Embedder-Policy", "require-corp")
        super().end_headers()

    def log_message(self, format, *args):
        pass


server = http.server.ThreadingHTTPServer(("127.0.0.1", port), functools.partial(Handler, directory=folder))
print("http://127.0.0.1:%d/" % server.server_address[1], flush=True)
server.serve_forever()
