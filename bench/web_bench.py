"""The page's figures, in headless Chromium on a local server:
  - its weight: the HTML (with its style sheet inside), the start script,
    the code's JavaScript and its WebAssembly, gzip -9, and the total;
  - navigation start to the form on screen (the page's first contentful
    paint: the HTML carries the form, laid out by the style sheets) and to
    the form answering input (the page's own mark once its code has bound
    the form), each as a ratio to a page with one line of text (its first
    contentful paint), served the same way, interleaved, paired ratios of
    ROUNDS rounds, with the browser's cache disabled (no service worker: a
    first visit);
  - key release to result in the page: the first release after load, and
    the mean of 2000 releases, each a keyup in Text_Y handled to the written
    diameter (cross-origin isolated, for a fine clock), and how many times
    one release crosses between JavaScript and WebAssembly (every call of
    an export of the WebAssembly's and of an import of its, counted by
    wrappers put around both before the page's scripts run);
  - a change in the installation's view of 50 sections on a phone with the
    CPU slowed four times: handled, drawn, and what waits after the frame.

Usage: web_bench.py SITE_FOLDER [ROUNDS]"""

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

site = sys.argv[1]
rounds = int(sys.argv[2]) if len(sys.argv) > 2 else 15
here = os.path.dirname(os.path.abspath(__file__))

total = 0
for name in ["index.html", "page_start.js", "tubarogas.js", "tubarogas.wasm"]:
    with open(os.path.join(site, name), "rb") as source:
        size = len(gzip.compress(source.read(), 9))
    total += size
    print("%-28s %6.1f KiB gzip" % (name, size / 1024))
print("%-28s %6.1f KiB gzip" % ("page weight", total / 1024))

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

# The page and the one-line page side by side, served the same way.
folder = tempfile.mkdtemp()
try:
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
    driver.execute_cdp_cmd("Page.addScriptToEvaluateOnNewDocument", {"source": COUNT_CROSSINGS})
    driver.execute_cdp_cmd("Network.enable", {})
    driver.execute_cdp_cmd("Network.setCacheDisabled", {"cacheDisabled": True})

    def wait_for(script):
        for _ in range(500):
            result = driver.execute_script(script)
            if result is not None:
                return result
            time.sleep(0.01)
        raise RuntimeError("timed out: " + script)

    # Where the time to the form answering goes: the page's own marks
    # (page_start.js, the code's), and when each file had arrived.
    STEPS = [("the start script runs", "mark", "tubarogas-start-script"),
             ("after the first frame: the script put in", "mark", "tubarogas-requested"),
             ("tubarogas.js arrived", "resource", "tubarogas.js"),
             ("tubarogas.wasm arrived", "resource", "tubarogas.wasm"),
             ("WebAssembly compiled", "mark", "tubarogas-compiled"),
             ("separator read", "mark", "tubarogas-separator"),
             ("WebAssembly instantiated", "mark", "tubarogas-instantiated"),
             ("binding begins", "mark", "tubarogas-binding"),
             ("form answering", "mark", "tubarogas-ready")]
    steps = {name: [] for name, _, _ in STEPS}

    def form_ready():
        """The form on screen, and answering input."""
        driver.get(url + "index.html")
        answering = wait_for("const m = performance.getEntriesByName('tubarogas-ready')[0];"
                             " return m ? m.startTime : null")
        shown = wait_for("const p = performance.getEntriesByName('first-contentful-paint')[0];"
                         " return p ? p.startTime : null")
        for name, kind, entry in STEPS:
            at = driver.execute_script(
                "const e = performance.getEntriesByType(arguments[0] === 'mark' ? 'mark' : 'resource')"
                ".find(e => arguments[0] === 'mark' ? e.name === arguments[1] : e.name.endsWith('/' + arguments[1]));"
                " return e ? (arguments[0] === 'mark' ? e.startTime : e.responseEnd) : null", kind, entry)
            if at is not None:
                steps[name].append(at)
        return shown, answering

    def one_line_shown():
        driver.get(url + "one_line.html")
        return wait_for("const p = performance.getEntriesByName('first-contentful-paint')[0];"
                        " return p ? p.startTime : null")

    form_ready(), one_line_shown()  # warm up the browser and the server
    rows = []
    for _ in range(rounds):
        shown, answering = form_ready()
        line = one_line_shown()
        rows.append((shown, answering, line, shown / line, answering / line))
    median = lambda column: statistics.median(row[column] for row in rows)
    print("navigation to the form on screen: %.1f ms; answering input: %.1f ms; one-line page shown: %.1f ms"
          % (median(0), median(1), median(2)))
    print("ratios to the one-line page: on screen %.2f, answering %.2f (medians of %d paired rounds)"
          % (median(3), median(4), rounds))
    print("where the time to the form answering goes (medians, ms from navigation start):")
    print("  %-44s %7.1f" % ("the form on screen (first contentful paint)", median(0)))
    for name, _, _ in STEPS:
        if steps[name]:
            print("  %-44s %7.1f" % (name, statistics.median(steps[name])))

    driver.get(url + "index.html")
    wait_for("return performance.getEntriesByName('tubarogas-ready').length ? true : null")
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
    print("key release to result in the page: first %.3f ms, mean %.1f us, %d crossings between JavaScript and"
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
    driver.quit()
    server.kill()
finally:
    shutil.rmtree(folder)
