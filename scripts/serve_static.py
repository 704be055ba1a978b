"""Serves a folder on localhost with the MIME types a web app needs
(application/wasm for WebAssembly, which browsers insist on to compile it
as it streams in, and the manifest's own type).

Usage: serve_static.py FOLDER [PORT] [--isolated] [--slow-wasm SECONDS]
  PORT 0: any free port, printed. --isolated: cross-origin isolated (COOP
  and COEP), which the benchmarks need for a fine performance.now().
  --slow-wasm: the WebAssembly only after that long, as on a slow network,
  for the tests of what the page does before its code has loaded."""

import functools
import http.server
import sys
import time

folder = sys.argv[1]
port = int(sys.argv[2]) if len(sys.argv) > 2 else 8080
isolated = "--isolated" in sys.argv[3:]
slow_wasm = float(sys.argv[sys.argv.index("--slow-wasm") + 1]) if "--slow-wasm" in sys.argv else 0.0


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
        if slow_wasm and self.path.split("?")[0].endswith(".wasm"):
            time.sleep(slow_wasm)
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
