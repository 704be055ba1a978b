"""Serves a folder on localhost with the MIME types a web app needs
(application/wasm for WebAssembly, which browsers insist on to compile it
as it streams in, and the manifest's own type).

Usage: serve_static.py FOLDER [PORT] [--isolated] [--slow-wasm SECONDS]
                       [--missing-wasm SECONDS] [--corrupt-wasm]
  PORT 0: any free port, printed. --isolated: cross-origin isolated (COOP
  and COEP), which the benchmarks need for a fine performance.now().
  For the tests of what the page does before its code has loaded, and when
  it cannot: --slow-wasm, the WebAssembly only after that long, as on a slow
  network; --missing-wasm, 404 for it during the first SECONDS (0: always);
  --corrupt-wasm, its bytes spoiled (half of them)."""

import functools
import http.server
import os
import sys
import time

folder = sys.argv[1]
port = int(sys.argv[2]) if len(sys.argv) > 2 else 8080
isolated = "--isolated" in sys.argv[3:]


def option(name):
    return float(sys.argv[sys.argv.index(name) + 1]) if name in sys.argv else None


slow_wasm = option("--slow-wasm") or 0.0
missing_wasm = option("--missing-wasm")
corrupt_wasm = "--corrupt-wasm" in sys.argv
started = time.monotonic()


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
        wasm = self.path.split("?")[0].endswith(".wasm")
        if wasm and slow_wasm:
            time.sleep(slow_wasm)
        if wasm and missing_wasm is not None and (missing_wasm == 0 or time.monotonic() - started < missing_wasm):
            self.send_error(404)
            return
        if wasm and corrupt_wasm:
            with open(os.path.join(folder, self.path.split("?")[0].lstrip("/")), "rb") as source:
                body = bytearray(source.read())
            body[len(body) // 2:] = bytes(len(body) - len(body) // 2)
            self.send_response(200)
            self.send_header("Content-Type", "application/wasm")
            self.send_header("Content-Length", str(len(body)))
            self.end_headers()
            self.wfile.write(body)
            return
        super().do_GET()

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
