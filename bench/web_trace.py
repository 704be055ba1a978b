"""A trace of one page load in Chromium, through its DevTools protocol, and
where the time of the page's main thread goes in it: for web_bench.py.

Chromium's debugging address (chromedriver gives it) takes a WebSocket; the
standard library speaks enough of it here (text frames, the client's masked,
the browser's whole or in pieces) for the Tracing and IO domains, so the
benchmark needs nothing beyond selenium."""

import base64
import collections
import json
import os
import socket
import struct
import urllib.parse
import urllib.request

CATEGORIES = ["devtools.timeline", "disabled-by-default-devtools.timeline", "blink", "blink.user_timing",
              "loading", "toplevel", "fonts", "v8", "v8.execute", "v8.wasm", "disabled-by-default-v8.compile"]


class DevTools:
    """The browser's own target, as a WebSocket client of one connection."""

    def __init__(self, debugger_address):
        with urllib.request.urlopen("http://%s/json/version" % debugger_address) as answer:
            url = urllib.parse.urlsplit(json.load(answer)["webSocketDebuggerUrl"])
        self.socket = socket.create_connection((url.hostname, url.port))
        key = base64.b64encode(os.urandom(16)).decode()
        self.socket.sendall(("GET %s HTTP/1.1\r\nHost: %s\r\nUpgrade: websocket\r\nConnection: Upgrade\r\n"
                             "Sec-WebSocket-Key: %s\r\nSec-WebSocket-Version: 13\r\n\r\n"
                             % (url.path, url.netloc, key)).encode())
        head = b""
        while not head.endswith(b"\r\n\r\n"):
            head += self.exactly(1)
        if b" 101 " not in head.split(b"\r\n")[0]:
            raise RuntimeError("no WebSocket: " + head.decode(errors="replace"))
        self.last_id = 0
        self.pending = []

    def exactly(self, size):
        data = bytearray()
        while len(data) < size:
            chunk = self.socket.recv(size - len(data))
            if not chunk:
                raise EOFError("the browser closed its debugging connection")
            data += chunk
        return bytes(data)

    def send(self, text):
        payload = text.encode()
        size = len(payload)
        if size < 126:
            head = struct.pack(">BB", 0x81, 0x80 | size)
        elif size < 1 << 16:
            head = struct.pack(">BBH", 0x81, 0x80 | 126, size)
        else:
            head = struct.pack(">BBQ", 0x81, 0x80 | 127, size)
        mask = os.urandom(4)
        self.socket.sendall(head + mask + bytes(byte ^ mask[at % 4] for at, byte in enumerate(payload)))

    def receive(self):
        message = b""
        while True:
            first, second = self.exactly(2)
            size = second & 0x7f
            if size == 126:
                size = struct.unpack(">H", self.exactly(2))[0]
            elif size == 127:
                size = struct.unpack(">Q", self.exactly(8))[0]
            data = self.exactly(size)
            opcode = first & 0x0f
            if opcode in (0, 1, 2):
                message += data
                if first & 0x80:
                    return json.loads(message)

    def call(self, method, **params):
        self.last_id += 1
        self.send(json.dumps({"id": self.last_id, "method": method, "params": params}))
        while True:
            message = self.receive()
            if message.get("id") == self.last_id:
                if "error" in message:
                    raise RuntimeError("%s: %s" % (method, message["error"]))
                return message.get("result", {})
            self.pending.append(message)

    def event(self, method):
        for at, message in enumerate(self.pending):
            if message.get("method") == method:
                return self.pending.pop(at)["params"]
        while True:
            message = self.receive()
            if message.get("method") == method:
                return message["params"]
            self.pending.append(message)

    def close(self):
        self.socket.close()


def record(devtools, load):
    """The trace events of every process while load() runs."""
    devtools.call("Tracing.start", transferMode="ReturnAsStream",
                  traceConfig={"includedCategories": CATEGORIES, "recordMode": "recordAsMuchAsPossible"})
    try:
        load()
    finally:
        devtools.call("Tracing.end")
        stream = devtools.event("Tracing.tracingComplete")["stream"]
    chunks = []
    while True:
        part = devtools.call("IO.read", handle=stream, size=1 << 20)
        chunks.append(base64.b64decode(part["data"]) if part.get("base64Encoded") else part["data"].encode())
        if part.get("eof"):
            break
    devtools.call("IO.close", handle=stream)
    trace = json.loads(b"".join(chunks))
    return trace["traceEvents"] if isinstance(trace, dict) else trace


# What each piece of the main thread's work is, by the name of its trace
# event: a piece's own time (less what is nested in it) goes to the nearest
# event, itself or around it, that this names.
KINDS = {
    "DocumentLoader::CommitNavigation": "navigation committed, document set up",
    "LocalWindowProxy::Initialize": "the script context set up",
    "ParseHTML": "the HTML parsed",
    "CSSParserImpl::parseStyleSheet": "the style sheet parsed",
    "ResourceFetcher::requestResource": "requests made (preloads, scripts)",
    "UpdateLayoutTree": "style",
    "Layout": "layout",
    # Inside layout: a font the process has not used yet, asked of the
    # browser's process.
    "FontCache::GetFontPlatformData": "fonts looked up",
    "PrePaint": "paint, layers, commit",
    "Paint": "paint, layers, commit",
    "Layerize": "paint, layers, commit",
    "Commit": "paint, layers, commit",
    "UpdateLayer": "paint, layers, commit",
    "MinorGC": "garbage collected",
    "MajorGC": "garbage collected",
    "V8.GCIncrementalMarking": "garbage collected",
    "V8.GCFinalizeMC": "garbage collected",
    "V8.GCScavenger": "garbage collected",
    "Receive mojo message": "messages from other processes",
    "Receive mojo reply": "messages from other processes",
}
SCRIPTS = {"EvaluateScript", "FunctionCall", "TimerFire", "FireAnimationFrame", "RunMicrotasks",
           "EventDispatch", "v8.callFunction", "v8.run"}


ON_A_CORE = "main thread on a core, in all"
IN_TASKS = "main thread in tasks"
OFF_A_CORE = "main thread in a task, off a core"
BETWEEN_TASKS = "main thread between tasks"
PAGE_THREADS = "the page's other threads, on a core"
OTHER_PROCESSES = "the browser's other processes, on a core"


def kind_of(event, around):
    name = event["name"]
    if name in KINDS:
        return KINDS[name]
    if name.startswith(("v8.wasm.", "wasm.")):
        return "WebAssembly compiled, instantiated"
    if name in SCRIPTS:
        url = event.get("args", {}).get("data", {}).get("url", "")
        if url:
            return "script: " + url.rsplit("/", 1)[-1].split("?")[0]
        return around if around and around.startswith("script") else "script: callbacks (timers, promises)"
    return around


def spread(totals, kind, amount, start, end, windows):
    """`amount` ms of a span from `start` to `end` (µs), shared among the
    windows as the span's wall time falls in them."""
    for at, (first, last) in enumerate(windows):
        if end > start:
            share = max(0, min(end, last) - max(start, first)) / (end - start)
        else:
            share = 1.0 if first <= start < last else 0.0
        totals[kind][at] += amount * share


def main_thread_time(events, main, windows, totals):
    """The main thread's time in each (start, end) window (µs of the trace's
    clock): each kind's own time on a core (its thread time, less what is
    nested in it), the tasks' time on a core in all, and their wall time."""
    mine = [event for event in events if (event["pid"], event["tid"]) == main and event.get("ph") == "X"
            and "dur" in event and "tdur" in event]
    mine.sort(key=lambda event: (event["ts"], -event["dur"]))
    stack = []  # [event, kind, its children's thread time]

    def close(until):
        while stack and stack[-1][0]["ts"] + stack[-1][0]["dur"] <= until:
            event, kind, children = stack.pop()
            spread(totals, kind, max(0, event["tdur"] - children) / 1000, event["ts"], event["ts"] + event["dur"],
                   windows)
            if stack:
                stack[-1][2] += event["tdur"]

    for event in mine:
        close(event["ts"])
        if not stack:
            spread(totals, ON_A_CORE, event["tdur"] / 1000, event["ts"], event["ts"] + event["dur"], windows)
            spread(totals, IN_TASKS, event["dur"] / 1000, event["ts"], event["ts"] + event["dur"], windows)
        kind = kind_of(event, stack[-1][1] if stack else None) or "other tasks"
        stack.append([event, kind, 0])
    close(float("inf"))


def other_threads_time(events, main, pid, windows, totals):
    """Every other thread's time on a core in each window: the page's own
    process (script and WebAssembly compiled in the background, raster, its
    compositor) apart from the browser's other processes."""
    tops = collections.defaultdict(list)
    for event in events:
        if event.get("ph") == "X" and event["name"] in ("ThreadControllerImpl::RunTask", "ThreadPool_RunTask",
                                                         "RunTask") and "tdur" in event \
                and (event["pid"], event["tid"]) != main:
            tops[(event["pid"], event["tid"])].append(event)
    for thread, tasks in tops.items():
        kind = PAGE_THREADS if thread[0] == pid else OTHER_PROCESSES
        tasks.sort(key=lambda event: (event["ts"], -event["dur"]))
        reached = 0
        for event in tasks:
            if event["ts"] < reached:
                continue  # nested in the task before
            reached = event["ts"] + event["dur"]
            spread(totals, kind, event["tdur"] / 1000, event["ts"], reached, windows)


def breakdown(events, page, marks):
    """Where the time goes in the load of the page whose address ends in
    `page`: windows from its navigation's start to each of `marks` (names of
    trace events: first contentful paint, user timing marks) in turn.
    Returns (the marks' times in ms, {kind: [ms per window]}): the main
    thread's time on a core by kind of work, and in all (ON_A_CORE); its
    tasks' time off a core (OFF_A_CORE); its time between tasks
    (BETWEEN_TASKS); the time on a core of the page's other threads
    (PAGE_THREADS) and of the browser's other processes (OTHER_PROCESSES)."""
    starts = [event for event in events if event["name"] == "navigationStart"
              and event.get("args", {}).get("data", {}).get("documentLoaderURL", "").endswith(page)]
    if not starts:
        raise RuntimeError("no navigation to " + page + " in the trace")
    start = starts[-1]
    main, pid = (start["pid"], start["tid"]), start["pid"]
    times = []
    for mark in marks:
        found = [event["ts"] for event in events if event["name"] == mark and event["pid"] == pid
                 and event["ts"] >= start["ts"]]
        if not found:
            raise RuntimeError("no " + mark + " in the trace")
        times.append(min(found))
    edges = [start["ts"]] + times
    windows = list(zip(edges, edges[1:]))
    totals = collections.defaultdict(lambda: [0.0] * len(windows))
    main_thread_time(events, main, windows, totals)
    other_threads_time(events, main, pid, windows, totals)
    # What the main thread's tasks spent off a core (another process's or
    # thread's turn, or an answer awaited from another process), and its
    # time between tasks.
    totals[OFF_A_CORE] = [busy - running for busy, running in zip(totals.pop(IN_TASKS), totals[ON_A_CORE])]
    totals[BETWEEN_TASKS] = [(last - first) / 1000 - busy - running
                             for (first, last), busy, running in zip(windows, totals[OFF_A_CORE], totals[ON_A_CORE])]
    return [(at - start["ts"]) / 1000 for at in times], totals
