"""The page's figures, in headless Chromium on a local server:
  - its weight: the HTML (with its style sheet inside), the start script,
    the code's JavaScript and its WebAssembly, gzip -9, and the total;
  - its start against a page with one line of text, served the same way,
    and beside it the page's HTML alone (no script, no preload: the least
    the form can cost), in three profiles: a desktop (1280 x 800) as fast
    as this machine is; the same with the CPU slowed four times (DevTools'
    CPU throttling, as Lighthouse's mobile audit does); a phone (412 x 823,
    touch, so the layout for a thumb) with the CPU slowed four times. In
    each, ROUNDS rounds, the pages in turn, browser cache off and no
    service worker (each a first visit); medians of: navigation start to
    the form on screen (the page's first contentful paint: the HTML
    carries the form, laid out by its style sheet), and to the form
    answering input (the page's own mark once its code has bound the
    form); the one-line page's first contentful paint; the ratio of the
    two first paints, paired within each round, with its quartiles; the
    time from the form on screen to the form answering (and its ninth
    decile and most); the page's largest contentful paint; and the page's
    own marks on the way;
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
    wrappers put around both before the page's scripts run);
  - a change in the installation's view of 50 sections on a phone with the
    CPU slowed four times: handled, drawn, and what waits after the frame.

With EARLIER_SITE_FOLDER (the page of an earlier build), that page too in
every round and every trace, in a column of its own.

Usage: web_bench.py SITE_FOLDER [ROUNDS [TRACES [EARLIER_SITE_FOLDER]]]"""

import gzip
import os
import re
import shutil
import statistics
import subprocess
import sys
import tempfile
import time

from selenium import webdriver
from selenium.webdriver.chrome.service import Service

# Its helper beside it, with no bytecode cache left in the source tree.
sys.dont_write_bytecode = True
import web_trace  # noqa: E402

site = sys.argv[1]
rounds = int(sys.argv[2]) if len(sys.argv) > 2 else 15
traces = int(sys.argv[3]) if len(sys.argv) > 3 else 5
earlier = sys.argv[4] if len(sys.argv) > 4 else None
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
# there is one: one script that waits, not a poll that would run in the
# page meanwhile.
WHEN = """
const [type, name, done] = arguments;
const found = () => performance.getEntriesByName(name)[0];
if (found()) { done(found().startTime); return; }
const observer = new PerformanceObserver(() => {
    if (!found()) return;
    observer.disconnect();
    done(found().startTime);
});
observer.observe({type, buffered: true});
"""
# The last largest-contentful-paint candidate so far (these reach only an
# observer), a frame after the page answers, so a paint its binding brought
# has its candidate.
LARGEST = """
const done = arguments[0];
requestAnimationFrame(() => setTimeout(() => {
    const observer = new PerformanceObserver(list => {
        observer.disconnect();
        const all = list.getEntries();
        done(all.length ? all[all.length - 1].startTime : null);
    });
    observer.observe({type: "largest-contentful-paint", buffered: true});
    setTimeout(() => { observer.disconnect(); done(null); }, 1000);
}, 0));
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

# The columns: this build; its HTML alone (no script, no preload: the form
# as the HTML and its style sheet draw it, the least this page can cost);
# an earlier build, if given. (column, its files, whether it has its code)
PAGES = [("now", site, True), ("HTML only", site, False)] + ([("earlier", earlier, True)] if earlier else [])
CODE_TAGS = re.compile(r'<script [^>]*></script>\n|<link rel="preload" [^>]*>\n')
folder_of = lambda column: column.replace(" ", "_")

folder = tempfile.mkdtemp()
server = driver = None
try:
    # The pages and the one-line page side by side, served the same way.
    for column, files, code in PAGES:
        shutil.copytree(files, os.path.join(folder, folder_of(column)))
        # No service worker: each navigation is a first visit.
        with open(os.path.join(folder, folder_of(column), "sw.js"), "w") as worker:
            worker.write("")
        if not code:
            with open(os.path.join(folder, folder_of(column), "index.html")) as html:
                alone = CODE_TAGS.sub("", html.read())
            with open(os.path.join(folder, folder_of(column), "index.html"), "w") as html:
                html.write(alone)
    shutil.copy(os.path.join(here, "one_line.html"), os.path.join(folder, "one_line.html"))
    server = subprocess.Popen([sys.executable, os.path.join(here, "..", "scripts", "serve_static.py"), folder, "0",
                               "--isolated"], stdout=subprocess.PIPE, text=True)
    url = server.stdout.readline().strip()

    options = webdriver.ChromeOptions()
    options.binary_location = "/usr/lib/chromium/chromium"
    for argument in ["--headless=new", "--no-sandbox", "--disable-gpu", "--window-size=1280,800"]:
        options.add_argument(argument)
    driver = webdriver.Chrome(service=Service("/usr/bin/chromedriver"), options=options)
    driver.set_script_timeout(30)
    driver.execute_cdp_cmd("Network.enable", {})
    driver.execute_cdp_cmd("Network.setCacheDisabled", {"cacheDisabled": True})
    devtools = web_trace.DevTools(driver.capabilities["goog:chromeOptions"]["debuggerAddress"])

    def profile(rate, metrics):
        driver.execute_cdp_cmd("Emulation.setCPUThrottlingRate", {"rate": rate})
        if metrics:
            driver.execute_cdp_cmd("Emulation.setDeviceMetricsOverride", metrics)
            driver.execute_cdp_cmd("Emulation.setTouchEmulationEnabled", {"enabled": True, "maxTouchPoints": 5})
        else:
            driver.execute_cdp_cmd("Emulation.clearDeviceMetricsOverride", {})
            driver.execute_cdp_cmd("Emulation.setTouchEmulationEnabled", {"enabled": False})

    def form_ready(column, code):
        """The form on screen, answering input, its largest paint, its marks."""
        driver.get(url + folder_of(column) + "/index.html")
        answering = driver.execute_async_script(WHEN, "mark", "tubarogas-ready") if code else None
        shown = driver.execute_async_script(WHEN, "paint", "first-contentful-paint")
        largest = driver.execute_async_script(LARGEST)
        marks = driver.execute_script(STEP_TIMES, [[kind, entry] for _, kind, entry in STEPS])
        return shown, answering, largest, marks

    def one_line_shown():
        driver.get(url + "one_line.html")
        return driver.execute_async_script(WHEN, "paint", "first-contentful-paint")

    def traced(page, marks, until):
        driver.get("about:blank")
        events = web_trace.record(devtools, lambda: (driver.get(url + page),
                                                     driver.execute_async_script(WHEN, *until)))
        return web_trace.breakdown(events, "/" + page, marks)

    def line(label, values, form="%10.1f"):
        print("  %-46s" % label + "".join(form % value if value is not None else "%10s" % "-" for value in values))

    for name, rate, metrics in PROFILES:
        profile(rate, metrics)
        for column, _, code in PAGES:  # warm up the browser and the server
            form_ready(column, code)
        one_line_shown()
        rows = {column: [] for column, _, _ in PAGES}
        for turn in range(rounds):
            # Each page in turn, in an order that turns round with the rounds.
            order = PAGES[turn % len(PAGES):] + PAGES[:turn % len(PAGES)]
            measured = {column: form_ready(column, code) for column, _, code in order}
            shown_line = one_line_shown()
            for column, (shown, answering, largest, marks) in measured.items():
                rows[column].append({"shown": shown, "answering": answering, "line": shown_line,
                                     "ratio": shown / shown_line, "largest": largest, "marks": marks,
                                     "after": None if answering is None else answering - shown})
        print("\n%s: medians of %d interleaved rounds, ms from navigation start" % (name, rounds))
        print("  %-46s" % "" + "".join("%10s" % column for column, _, _ in PAGES))
        columns = [rows[column] for column, _, _ in PAGES]

        def each(what, summary):
            """A figure of each column, from its rounds' values of `what`."""
            values = [[row[what] for row in column if row[what] is not None] for column in columns]
            return [summary(column) if column else None for column in values]

        quantile = lambda share: lambda values: (statistics.quantiles(values, n=100, method="inclusive")[share - 1]
                                                 if len(values) > 1 else values[0])
        line("the one-line page shown", each("line", statistics.median))
        line("the form on screen (first contentful paint)", each("shown", statistics.median))
        line("  / the one-line page's, paired in the round", each("ratio", statistics.median), "%10.2f")
        line("  the rounds' first and third quartiles", each("ratio", quantile(25)), "%10.2f")
        line("", each("ratio", quantile(75)), "%10.2f")
        line("largest contentful paint", each("largest", statistics.median))
        line("the form answering", each("answering", statistics.median))
        line("  after the form is on screen", each("after", statistics.median))
        line("  the same, ninth of ten rounds", each("after", quantile(90)))
        line("  the same, at most", each("after", max))
        print("  the page's marks on the way:")
        for at, (step, _, _) in enumerate(STEPS):
            times = [[row["marks"][at] for row in column if row["marks"][at] is not None] for column in columns]
            if any(times[:1] + times[2:]):
                line("  " + step, [statistics.median(values) if values else None for values in times])

        # Where the time goes, traced.
        kinds = {column: {} for column, _, _ in PAGES}
        line_kinds, times = {}, {column: [] for column, _, _ in PAGES}
        for _ in range(traces):
            for column, _, code in PAGES:
                at, spent = traced(folder_of(column) + "/index.html",
                                   ["firstContentfulPaint", "tubarogas-ready" if code else "firstContentfulPaint"],
                                   ["mark", "tubarogas-ready"] if code else ["paint", "first-contentful-paint"])
                times[column].append(at)
                for kind, windows in spent.items():
                    kinds[column].setdefault(kind, []).append(windows)
            _, spent = traced("one_line.html", ["firstContentfulPaint"], ["paint", "first-contentful-paint"])
            for kind, windows in spent.items():
                line_kinds.setdefault(kind, []).append(windows[0])
        middle = lambda values: statistics.median(values + [0.0] * (traces - len(values)))
        print("  where the time goes, traced (medians of %d loads each), ms:" % traces)
        heads = [("to paint", column) for column, _, _ in PAGES] + [("to paint", "one-line")] + \
                [("to answer", column) for column, _, code in PAGES if code]
        print("  %-46s" % "" + "".join("%10s" % head for head, _ in heads))
        print("  %-46s" % "" + "".join("%10s" % column for _, column in heads))
        line("on screen (to paint), answering (to answer)",
             [None if column == "one-line" else middle([at[0 if head == "to paint" else 1] for at in times[column]])
              for head, column in heads])
        summary = [web_trace.ON_A_CORE, web_trace.OFF_A_CORE, web_trace.BETWEEN_TASKS, web_trace.PAGE_THREADS,
                   web_trace.OTHER_PROCESSES]
        everything = set(line_kinds).union(*(set(spent) for spent in kinds.values())) - set(summary)
        work = sorted(everything, key=lambda kind: -middle([w[0] for w in kinds["now"].get(kind, [])]))
        for kind in work + summary:
            if kind == web_trace.ON_A_CORE:
                print("  " + "-" * (46 + 10 * len(heads)))
            line(kind if kind in summary else "  " + kind,
                 [middle(line_kinds.get(kind, [])) if column == "one-line" else
                  middle([w[0 if head == "to paint" else 1] for w in kinds[column].get(kind, [])])
                  for head, column in heads])
    profile(1, None)

    driver.execute_cdp_cmd("Page.addScriptToEvaluateOnNewDocument", {"source": COUNT_CROSSINGS})
    driver.get(url + "now/index.html")
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

    # The installation's view: a change typed into one section of fifty
    # (a tree from the meter, 25 appliances, a third of the diameters typed,
    # the rest proposed) on Chromium's phone profile (360 x 740, touch) with
    # the CPU slowed four times, and the same change in the form as a
    # yardstick. Each change is a trusted input event; timed in the page:
    # the event's handling (the view's state read, the code, the cells
    # written), the frame after it (from its start to the first task after
    # it: style, layout, paint), from the event to that frame drawn, and
    # the work left until after it (the installation's address, title and
    # sheet).
    if not driver.execute_script("return !!document.getElementById('impianto')"):
        # (A page of a build without the view.)
        driver.quit()
        server.kill()
        sys.exit(0)
    sections = []
    for i in range(1, 51):
        sections.append("T%d,%s,%d,%s,%s" % (i, "T%d" % (i // 2) if i > 1 else "", 3 + i % 7,
                                             "" if i % 3 else str(40 - i // 2), "%d.5" % (5 + i % 20) if 2 * i > 50 else ""))
    driver.execute_cdp_cmd("Emulation.setTouchEmulationEnabled", {"enabled": True, "maxTouchPoints": 5})
    driver.execute_cdp_cmd("Emulation.setDeviceMetricsOverride",
                           {"width": 360, "height": 740, "deviceScaleFactor": 3, "mobile": True})

    def changes_in(address, ready, root, field):
        """Sixty changes typed into `field`, timed as above: the medians and
        how many were drawn within a frame of the event."""
        driver.get("about:blank")
        driver.get(url + "index.html" + address)
        wait_for("return (" + ready + ") ? true : null")
        driver.execute_script("""window.changes = [];
            document.getElementById(arguments[0]).addEventListener('input', event => {
                const change = {start: performance.now(), fromEvent: event.timeStamp};
                changes.push(change);
                addEventListener('input', () => { change.handled = performance.now(); }, {once: true});
                requestAnimationFrame(() => {
                    change.frame = performance.now();
                    const after = new MessageChannel();
                    after.port1.onmessage = () => {
                        change.drawn = performance.now();
                        setTimeout(() => { change.settled = performance.now(); }, 0);
                    };
                    after.port2.postMessage(0);
                });
            }, true);""", root)
        driver.execute_cdp_cmd("Emulation.setCPUThrottlingRate", {"rate": 4})
        driver.execute_script("document.getElementById(arguments[0]).focus()", field)
        for k in range(60):
            driver.execute_script("document.getElementById(arguments[0]).select()", field)
            driver.execute_cdp_cmd("Input.insertText", {"text": str(4 + k % 2)})
            time.sleep(0.25)
        timed = driver.execute_script("return changes.filter(c => c.settled)")[10:]
        driver.execute_cdp_cmd("Emulation.setCPUThrottlingRate", {"rate": 1})
        of = lambda key: statistics.median(key(c) for c in timed)
        return (of(lambda c: c["handled"] - c["start"]), of(lambda c: c["drawn"] - c["frame"]),
                of(lambda c: c["drawn"] - c["fromEvent"]), sum(c["drawn"] - c["fromEvent"] <= 16.7 for c in timed),
                len(timed), of(lambda c: c["settled"] - c["drawn"]))

    print("on Chromium's phone profile (360 x 740, touch), the CPU slowed 4x, medians of 50 changes:")
    for what, figures in [
            ("a length typed in the form (the yardstick)",
             changes_in("", "performance.getEntriesByName('tubarogas-ready').length", "Form_Principale", "Text_L")),
            ("a length typed in one section of 50",
             changes_in("#impianto=" + ";".join(sections) + "&ammessa=100", "document.title.includes('50 tratti')",
                        "impianto", "tratto-25-l"))]:
        print("  %s: handled %.1f ms; the frame after it %.1f ms (from its start); event to that frame drawn %.1f ms,"
              " within 16.7 ms %d of %d; then what waits %.1f ms" % (what, *figures))
    print("  load average while measured: %.2f" % os.getloadavg()[0])
finally:
    if driver:
        driver.quit()
    if server:
        server.kill()
        server.wait()
    shutil.rmtree(folder)
