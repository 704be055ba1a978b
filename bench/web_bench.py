"""The page's figures, in headless Chromium on a local server:
  - its weight: the HTML (with its style sheet inside), the start script,
    the code's JavaScript and its WebAssembly, gzip -9, and the total;
  - its start against a page with one line of text, served the same way,
    in three profiles: a desktop (1280 x 800) as fast as this machine is;
    the same with the CPU slowed four times (DevTools' CPU throttling, as
    Lighthouse's mobile audit does); a phone (412 x 823, touch, so the
    layout for a thumb) with the CPU slowed four times. In each, ROUNDS
    interleaved rounds of the two pages, browser cache off and no service
    worker (each a first visit); medians of: navigation start to the form
    on screen (the page's first contentful paint: the HTML carries the
    form, laid out by its style sheet), and to the form answering input
    (the page's own mark once its code has bound the form); the one-line
    page's first contentful paint; the paired ratio of the two first
    paints; the time from the form on screen to the form answering; the
    page's largest contentful paint; and the page's own marks on the way;
  - where the time goes (web_trace.py): TRACES loads of each page in each
    profile recorded with Chromium's Tracing domain; medians, from the
    navigation's start to the first contentful paint and from there to the
    form answering, beside the one-line page's up to its first paint: the
    page's main thread's time on a core by kind of work, and in all; the
    time its tasks spent off a core (another's turn on the two cores, or
    an answer awaited from another process) and its time between tasks;
    the time on a core of the page's other threads and of the browser's
    other processes. (Tracing slows everything down: these times are
    larger than the untraced ones.)
  - key release to result in the page: the first release after load, and
    the mean of 2000 releases, each a keyup in Text_Y handled to the written
    diameter (cross-origin isolated, for a fine clock), and how many times
    one release crosses between JavaScript and WebAssembly (every call of
    an export of the WebAssembly's and of an import of its, counted by
    wrappers put around both before the page's scripts run).

Usage: web_bench.py SITE_FOLDER [ROUNDS [TRACES]]"""

import gzip
import os
import shutil
import statistics
import subprocess
import sys
import tempfile
import time

from selenium import webdriver
from selenium.webdriver.chrome.service import Service

import web_trace

site = sys.argv[1]
rounds = int(sys.argv[2]) if len(sys.argv) > 2 else 15
traces = int(sys.argv[3]) if len(sys.argv) > 3 else 5
here = os.path.dirname(os.path.abspath(__file__))

total = 0
for name in ["index.html", "page_start.js", "tubarogas.js", "tubarogas.wasm"]:
    with open(os.path.join(site, name), "rb") as source:
        size = len(gzip.compress(source.read(), 9))
    total += size
    print("%-28s %6.1f KiB gzip" % (name, size / 1024))
print("%-28s %6.1f KiB gzip" % ("page weight", total / 1024))

# (name, CPU slowed by, the screen's metrics or None for the window as it is)
PHONE = {"width": 412, "height": 823, "deviceScaleFactor": 1.75, "mobile": True}
PROFILES = [("desktop", 1, None), ("desktop, CPU slowed 4x", 4, None), ("phone, CPU slowed 4x", 4, PHONE)]

# Counts every call across the boundary: the imports the WebAssembly calls,
# wrapped as it is instantiated, and its exports, wrapped where they are read.
COUNT_CROSSINGS = """
window.crossings = 0;
const counted = f => function (...args) { window.crossings++; return f.apply(this, args); };
const instantiate = WebAssembly.instantiate;
WebAssembly.instantiate = (source, imports) => {
    for (const module of Object.values(imports || {}))
        for (const [name, value] of Object.entries(module))
            if (typeof value === "function") module[name] = counted(value);
    return instantiate(source, imports);
};
const exportsOf = Object.getOwnPropertyDescriptor(WebAssembly.Instance.prototype, "exports").get;
const wrapped = new WeakMap();
Object.defineProperty(WebAssembly.Instance.prototype, "exports", {get() {
    if (!wrapped.has(this)) {
        const all = {};
        for (const [name, value] of Object.entries(exportsOf.call(this)))
            all[name] = typeof value === "function" ? counted(value) : value;
        wrapped.set(this, Object.freeze(all));
    }
    return wrapped.get(this);
}});
"""

# Resolves with the time of the first performance entry of that name once
# there is one, and of the last largest-contentful-paint candidate by then:
# one script that waits, not a poll that would run in the page meanwhile.
WHEN = """
const [type, name, done] = arguments;
const last = () => window.largestPaint === undefined ? null : window.largestPaint;
const found = () => performance.getEntriesByName(name)[0];
if (found()) { done([found().startTime, last()]); return; }
const observer = new PerformanceObserver(() => {
    if (!found()) return;
    observer.disconnect();
    // A frame later, so a paint the event brought has its candidate.
    requestAnimationFrame(() => setTimeout(() => done([found().startTime, last()]), 0));
});
observer.observe({type, buffered: true});
"""
# (Largest contentful paints reach only an observer.)
LARGEST_PAINT = """
new PerformanceObserver(list => {
    for (const entry of list.getEntries()) window.largestPaint = entry.startTime;
}).observe({type: "largest-contentful-paint", buffered: true});
"""

# The page's own marks (page_start.js, the code's), and when each file had
# arrived, on the way to the form answering.
STEPS = [("the start script runs", "mark", "tubarogas-start-script"),
         ("the code asked for", "mark", "tubarogas-requested"),
         ("tubarogas.js arrived", "resource", "tubarogas.js"),
         ("tubarogas.wasm arrived", "resource", "tubarogas.wasm"),
         ("WebAssembly compiled", "mark", "tubarogas-compiled"),
         ("separator read", "mark", "tubarogas-separator"),
         ("WebAssembly instantiated", "mark", "tubarogas-instantiated"),
         ("binding begins", "mark", "tubarogas-binding"),
         ("form answering", "mark", "tubarogas-ready")]
STEP_TIMES = """
return arguments[0].map(([kind, entry]) => {
    const e = performance.getEntriesByType(kind).find(e => kind === 'mark' ? e.name === entry
                                                                          : e.name.split('?')[0].endsWith('/' + entry));
    return e ? (kind === 'mark' ? e.startTime : e.responseEnd) : null;
});"""

folder = tempfile.mkdtemp()
server = driver = None
try:
    # The page and the one-line page side by side, served the same way.
    shutil.copytree(site, os.path.join(folder, "site"))
    shutil.copy(os.path.join(here, "one_line.html"), os.path.join(folder, "site", "one_line.html"))
    # No service worker: each navigation is a first visit.
    with open(os.path.join(folder, "site", "sw.js"), "w") as worker:
        worker.write("")
    server = subprocess.Popen([sys.executable, os.path.join(here, "..", "scripts", "serve_static.py"),
                               os.path.join(folder, "site"), "0", "--isolated"], stdout=subprocess.PIPE, text=True)
    url = server.stdout.readline().strip()

    options = webdriver.ChromeOptions()
    options.binary_location = "/usr/lib/chromium/chromium"
    for argument in ["--headless=new", "--no-sandbox", "--disable-gpu", "--window-size=1280,800"]:
        options.add_argument(argument)
    driver = webdriver.Chrome(service=Service("/usr/bin/chromedriver"), options=options)
    driver.set_script_timeout(30)
    driver.execute_cdp_cmd("Network.enable", {})
    driver.execute_cdp_cmd("Network.setCacheDisabled", {"cacheDisabled": True})
    driver.execute_cdp_cmd("Page.addScriptToEvaluateOnNewDocument", {"source": LARGEST_PAINT})
    devtools = web_trace.DevTools(driver.capabilities["goog:chromeOptions"]["debuggerAddress"])

    def profile(rate, metrics):
        driver.execute_cdp_cmd("Emulation.setCPUThrottlingRate", {"rate": rate})
        if metrics:
            driver.execute_cdp_cmd("Emulation.setDeviceMetricsOverride", metrics)
            driver.execute_cdp_cmd("Emulation.setTouchEmulationEnabled", {"enabled": True, "maxTouchPoints": 5})
        else:
            driver.execute_cdp_cmd("Emulation.clearDeviceMetricsOverride", {})
            driver.execute_cdp_cmd("Emulation.setTouchEmulationEnabled", {"enabled": False})

    def form_ready():
        """The form on screen, answering input, its largest paint, its marks."""
        driver.get(url + "index.html")
        answering, largest = driver.execute_async_script(WHEN, "mark", "tubarogas-ready")
        shown = driver.execute_async_script(WHEN, "paint", "first-contentful-paint")[0]
        return shown, answering, largest, driver.execute_script(STEP_TIMES, [[kind, entry] for _, kind, entry in STEPS])

    def one_line_shown():
        driver.get(url + "one_line.html")
        return driver.execute_async_script(WHEN, "paint", "first-contentful-paint")[0]

    def traced(page, marks, until):
        driver.get("about:blank")
        events = web_trace.record(devtools, lambda: (driver.get(url + page),
                                                     driver.execute_async_script(WHEN, *until)))
        return web_trace.breakdown(events, "/" + page, marks)

    for name, rate, metrics in PROFILES:
        profile(rate, metrics)
        form_ready(), one_line_shown()  # warm up the browser and the server
        rows, steps = [], []
        for _ in range(rounds):
            shown, answering, largest, marks = form_ready()
            line = one_line_shown()
            rows.append((shown, answering, line, shown / line, answering - shown, largest))
            steps.append(marks)
        median = lambda column: statistics.median(row[column] for row in rows)
        print("\n%s (medians of %d paired, interleaved rounds, ms from navigation start):" % (name, rounds))
        print("  the form on screen %.1f, answering %.1f; the one-line page shown %.1f" % (median(0), median(1),
                                                                                        median(2)))
        print("  on screen / the one-line page: %.2f (the rounds' quartiles %.2f-%.2f); answering %.1f ms after"
              " the form is on screen (at most %.1f)"
              % (median(3), *statistics.quantiles([row[3] for row in rows], n=4)[0::2], median(4),
                 max(row[4] for row in rows)))
        print("  largest contentful paint %.1f" % median(5))
        for at, (step, _, _) in enumerate(STEPS):
            times = [marks[at] for marks in steps if marks[at] is not None]
            if times:
                print("    %-44s %7.1f" % (step, statistics.median(times)))

        # Where the time goes, traced.
        kinds, line_kinds, times = {}, {}, []
        for _ in range(traces):
            at, spent = traced("index.html", ["firstContentfulPaint", "tubarogas-ready"],
                               ["mark", "tubarogas-ready"])
            times.append(at)
            for kind, windows in spent.items():
                kinds.setdefault(kind, []).append(windows)
            _, spent = traced("one_line.html", ["firstContentfulPaint"], ["paint", "first-contentful-paint"])
            for kind, windows in spent.items():
                line_kinds.setdefault(kind, []).append(windows[0])
        middle = lambda values: statistics.median(values + [0.0] * (traces - len(values)))
        print("  where the time goes, traced (medians of %d loads; on screen at %.1f, answering at %.1f), ms:"
              % (traces, middle([at[0] for at in times]), middle([at[1] for at in times])))
        print("    %-48s %9s %9s %9s" % ("", "to paint", "one-line", "to answer"))
        summary = [web_trace.ON_A_CORE, web_trace.OFF_A_CORE, web_trace.BETWEEN_TASKS, web_trace.PAGE_THREADS,
                   web_trace.OTHER_PROCESSES]
        work = sorted((set(kinds) | set(line_kinds)) - set(summary),
                      key=lambda kind: -middle([w[0] for w in kinds.get(kind, [])]))
        for kind in work + summary:
            if kind == web_trace.ON_A_CORE:
                print("    " + "-" * 78)
            print("    %-48s %9.1f %9.1f %9.1f" % (kind if kind in summary else "  " + kind,
                                                   middle([w[0] for w in kinds.get(kind, [])]),
                                                   middle(line_kinds.get(kind, [])),
                                                   middle([w[1] for w in kinds.get(kind, [])])))
    profile(1, None)

    driver.execute_cdp_cmd("Page.addScriptToEvaluateOnNewDocument", {"source": COUNT_CROSSINGS})
    driver.get(url + "index.html")
    driver.execute_async_script(WHEN, "mark", "tubarogas-ready")
    first, crossings, mean = driver.execute_script("""
        const y = document.getElementById('Text_Y');
        const d = document.getElementById('Text_D');
        const release = () => y.dispatchEvent(new KeyboardEvent('keyup', {key: 'Shift', keyCode: 16, bubbles: true}));
        y.value = '1000';
        window.crossings = 0;
        let t = performance.now();
        release();
        const first = performance.now() - t;
        const crossings = window.crossings;
        if (d.value !== '23') throw new Error('no result: ' + d.value);
        const n = 2000;
        t = performance.now();
        for (let i = 0; i < n; ++i) {
            y.value = i % 2 ? '1000' : '100';
            release();
        }
        return [first, crossings, (performance.now() - t) / n];""")
    print("\nkey release to result in the page: first %.3f ms, mean %.1f us, %d crossings between JavaScript and"
          " WebAssembly" % (first, mean * 1000, crossings))
finally:
    if driver:
        driver.quit()
    if server:
        server.kill()
        server.wait()
    shutil.rmtree(folder)
