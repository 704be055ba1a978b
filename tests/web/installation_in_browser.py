"""The installation's view in headless Chromium, driven as a user drives it:
the README's house entered by keys and clicks and read back against
tubarogas-calc --impianto run here on the same lines; sections added and
taken away, a value out of range, the proposals, a reload, the link in an
English browser, hostile addresses, the printed sheets, axe-core, the page
offline, and a phone's thumb.

Usage: installation_in_browser.py SITE_FOLDER TUBAROGAS_CALC.js README.md AXE.min.js SCREENSHOT_FOLDER"""

import base64
import os
import re
import subprocess
import sys

from selenium import webdriver
from selenium.webdriver.chrome.service import Service
from selenium.webdriver.common.action_chains import ActionChains
from selenium.webdriver.common.by import By
from selenium.webdriver.common.keys import Keys

from installation_checks import (HOUSE_ADDRESS, ROWS, as_command_line, calc, check, failures, readme_house,
                                 wait_until)

site, calc_js, readme, axe_js, shots = sys.argv[1:6]
here = os.path.dirname(os.path.abspath(__file__))
os.makedirs(shots, exist_ok=True)
HOUSE = readme_house(readme)


def serve():
    server = subprocess.Popen([sys.executable, os.path.join(here, "..", "..", "scripts", "serve_static.py"), site, "0",
                               "--gzip"], stdout=subprocess.PIPE, text=True)
    return server, server.stdout.readline().strip()


def browser(language):
    options = webdriver.ChromeOptions()
    options.binary_location = "/usr/lib/chromium/chromium"
    for argument in ["--headless=new", "--no-sandbox", "--disable-gpu", "--disable-dev-shm-usage",
                     "--lang=" + language, "--window-size=1280,900"]:
        options.add_argument(argument)
    options.add_experimental_option("prefs", {"intl.accept_languages": language})
    options.set_capability("goog:loggingPrefs", {"browser": "ALL"})
    return webdriver.Chrome(service=Service("/usr/bin/chromedriver"), options=options)


VIEW = "const rows = (() => {" + ROWS + """})();
    return {rows, summary: document.getElementById('impianto-sintesi').textContent,
            note: document.getElementById('impianto-nota').textContent,
            title: document.title, address: location.hash,
            shown: document.getElementById('pagina').dataset.vista || ''};"""


def view(driver):
    return driver.execute_script(VIEW)


def same_as_command_line(driver, what, *options, house=HOUSE, invalid=()):
    """The page's rows and summary against the command line's, but for rows
    that are not valid, which the page says field by field."""
    summary, expected = calc(calc_js, house, *options)
    shown = [as_command_line(row) for row in view(driver)["rows"]]
    for row in invalid:
        check(shown[row][9] == "tratto non valido" and expected[row][9].startswith("riga non valida: "),
              "%s: %r and %r" % (what, shown[row], expected[row]))
        shown[row] = expected[row]
    check(shown == expected, "%s: %r against %r" % (what, shown, expected))
    check(view(driver)["summary"] == summary, "%s: the summary %r, not %r" % (what, view(driver)["summary"], summary))


def opened(driver, address, title_start="Tubaro GAS · Impianto"):
    """The page at `address`, its code bound, its view settled."""
    driver.get("about:blank")
    driver.get(url + address)
    return wait_until(lambda: driver.execute_script(
        "return performance.getEntriesByName('tubarogas-ready').length > 0 && document.title.startsWith(arguments[0])",
        title_start), 10)


def keys(*sequence):
    ActionChains(driver).send_keys(*sequence).perform()


def click(name):
    driver.find_element(By.ID, name).click()


def row_of(name):
    return driver.execute_script("const n = [...document.querySelectorAll('#impianto-tratti th input')]"
                                 ".find(e => e.value === arguments[0]); return n ? n.closest('tr').id : ''", name)


def retype(field, text):
    click(field)
    ActionChains(driver).key_down(Keys.CONTROL).send_keys("a").key_up(Keys.CONTROL).send_keys(text).perform()


def tap(name):
    """A finger's tap at the middle of an element, brought into view first."""
    x, y = driver.execute_script("const e = document.getElementById(arguments[0]); e.scrollIntoView({block: 'center'});"
                                 " const b = e.getBoundingClientRect(); return [b.left + b.width / 2, b.top + b.height / 2]",
                                 name)
    driver.execute_cdp_cmd("Input.dispatchTouchEvent", {"type": "touchStart", "touchPoints": [{"x": x, "y": y}]})
    driver.execute_cdp_cmd("Input.dispatchTouchEvent", {"type": "touchEnd", "touchPoints": []})


def leave(driver, server):
    """Ends a server only once its page can ask it nothing more: the page's
    service worker installed, then the page left."""
    installed = driver.execute_async_script(
        "const done = arguments[0]; navigator.serviceWorker.ready.then(() => done(true));"
        " setTimeout(() => done(false), 20000);")
    check(installed, "the service worker never installed")
    driver.get("about:blank")
    server.kill()
    server.wait()


def console_errors(driver):
    return [each["message"] for each in driver.get_log("browser") if each["level"] == "SEVERE"]


def pdf_of(driver, name):
    path = os.path.join(shots, name + ".pdf")
    with open(path, "wb") as sheet:
        sheet.write(base64.b64decode(driver.execute_cdp_cmd("Page.printToPDF", {"preferCSSPageSize": True})["data"]))
    subprocess.run(["pdftoppm", "-r", "60", "-png", path, os.path.join(shots, name)], check=True)
    pages = int(re.search(r"Pages:\s+(\d+)", subprocess.run(["pdfinfo", path], capture_output=True, text=True).stdout)[1])
    return path, pages


def pdf_text(path, page=None):
    pages = ["-f", str(page), "-l", str(page)] if page else []
    return " ".join(subprocess.run(["pdftotext", *pages, path, "-"], capture_output=True, text=True).stdout.split())


server, url = serve()
driver = browser("it-IT")
other = None
try:
    # From the form to the installation and back, by its links: the fresh
    # view is the example, and only the view shown writes the address.
    driver.get(url)
    check(wait_until(lambda: driver.execute_script("return performance.getEntriesByName('tubarogas-ready').length > 0"),
                     10), "the page came up")
    click("vista-impianto")
    check(wait_until(lambda: view(driver)["title"] == "Tubaro GAS · Impianto · 3 tratti · peggiore 85 Pa su 100"),
          "the example: %r" % view(driver)["title"])
    example = view(driver)
    check(example["shown"] == "impianto" and example["address"].startswith("#impianto=Montante,,10,26,;Caldaia")
          and driver.find_element(By.ID, "vista-impianto").get_attribute("aria-current") == "page",
          "the installation shown: %r" % example)
    click("vista-calcolo")
    check(wait_until(lambda: driver.title == "Tubaro GAS · D 37 mm 1\"1/2 · P 116 kW · Y 100 Pa · L 30 m"
                     and driver.execute_script("return location.hash") == ""), "back to the form: %r" % driver.title)
    driver.back()
    check(wait_until(lambda: view(driver)["shown"] == "impianto" and view(driver)["title"] == example["title"]),
          "the installation again by the browser's back: %r" % view(driver)["title"])

    # Taken away, row by row (what hangs from a row taken away says so, as
    # the kitchen's branch shows below): the hint.
    for name in ["Montante", "Caldaia", "Piano cottura"]:
        click(row_of(name) + "-togli")
    check(driver.execute_script("return !document.getElementById('impianto-vuoto').hidden"
                                " && document.activeElement.id === 'impianto-aggiungi'"), "no section: the hint")
    check(wait_until(lambda: view(driver)["title"] == "Tubaro GAS · Impianto · nessun tratto"), "no section: the title")

    # The README's house by keys: a section from the last one by its own
    # button, any other added at the end with its start chosen by arrows.
    for name, start, length, diameter, power in HOUSE:
        names = [row[0] for row in view(driver)["rows"]]
        if start and names and names[-1] == start:
            click(row_of(start) + "-daqui")
            keys(name, Keys.TAB, Keys.TAB)
        else:
            click("impianto-aggiungi")
            keys(name, Keys.TAB, *[Keys.DOWN] * (names.index(start) + 1 if start else 0), Keys.TAB)
        keys(length, Keys.TAB, diameter, Keys.TAB, power)
    same_as_command_line(driver, "the house typed")
    check(wait_until(lambda: view(driver)["address"] == HOUSE_ADDRESS), "the address: %r" % view(driver)["address"])
    check(view(driver)["title"] == "Tubaro GAS · Impianto · 5 tratti · peggiore 96 Pa su 100", "the title")
    driver.save_screenshot(os.path.join(shots, "installation-desktop.png"))

    # Sixty pascals: the kitchen gets no share; then back.
    retype("impianto-ammessa", "60")
    same_as_command_line(driver, "sixty pascals", "--ammessa", "60")
    retype("impianto-ammessa", "100")

    # A value out of range: its field says why, the rest is computed
    # without it.
    heater = row_of("Scaldabagno")
    retype(heater + "-d", "5000")
    marked = driver.execute_script("return [document.getElementById(arguments[0] + '-d').getAttribute('aria-invalid'),"
                                   " document.getElementById(arguments[0] + '-d-errore').textContent]", heater)
    check(marked == ["true", "deve stare tra 0 e 5000 mm, esclusi"], "out of range: %r" % marked)
    same_as_command_line(driver, "out of range", house=HOUSE[:4] + [HOUSE[4][:3] + ["5000"] + HOUSE[4][4:]], invalid=[4])
    retype(heater + "-d", "16")
    same_as_command_line(driver, "mended")

    # Reloaded once the address says what the screen shows, the same; then
    # a link opened in an English browser.
    check(wait_until(lambda: view(driver)["address"] == HOUSE_ADDRESS), "the address: %r" % view(driver)["address"])
    driver.refresh()
    check(wait_until(lambda: driver.execute_script("return performance.getEntriesByName('tubarogas-ready').length > 0")
                     and view(driver)["title"].startswith("Tubaro GAS · Impianto · 5")), "reloaded")
    same_as_command_line(driver, "reloaded")
    other = browser("en-US")
    check(opened(other, HOUSE_ADDRESS), "the link in English")
    english = view(other)
    check([row[4] for row in english["rows"]] == ["", "24", "", "8.5", "19.5"] and english["rows"][3][6] == "8.5"
          and [row[8] for row in english["rows"]] == ["42", "89", "66", "77", "96"] and english["address"] == HOUSE_ADDRESS,
          "in English: %r" % english)
    other.quit()
    other = None

    # Hostile addresses open nothing harmful, and say what they left out.
    driver.get_log("browser")
    hostile = [("impianto", True), ("impianto=", True),
               ("impianto=%3Cimg%20src%3Dx%20onerror%3Dwindow.pwned%3D1%3E,,1,,5&ammessa=100", False),
               ("impianto=<script>window.pwned=1</script>,,1,,5&ammessa=100", False),
               ("impianto=A%22%3E%3Csvg%20onload%3Dwindow.pwned%3D1%3E,,1,,5&ammessa=100", False),
               ("impianto=A,,1,,5;B,A%00,2,,5&ammessa=100", True), ("impianto=A%E2%80%AE,,1,,5&ammessa=100", True),
               ("impianto=A,,%C0%B1,,5&ammessa=100", True), ("impianto=A%ZZ,,1,,5&ammessa=100", True),
               ("impianto=A,,1,,5%", True), ("impianto=" + "x" * 100000 + ",,1,,5&ammessa=100", True),
               ("impianto=" + ";".join("T%d,,1,,5" % i for i in range(250)) + "&ammessa=100", True),
               ("impianto=A,,1,,5;B,Z,1,,5&ammessa=100", False), ("impianto=A,A,1,,5&ammessa=100", False),
               ("impianto=A,,1,,5&ammessa=javascript:window.pwned=1", False), ("impianto=A,,1,,5&ammessa=-5", False),
               ("impianto=A,,1e999,,5&ammessa=100", False), ("impianto=%F0%9F%94%A5%20Cucina,,3,,8.5&ammessa=100", False),
               ("impianto=A,,1,,5&ammessa=100&impianto=B,,1,,5&calcola=diametro", False), ("impianto=;;;;&ammessa=100", True)]
    for fragment, said in hostile:
        check(opened(driver, "#" + fragment), "hostile %r: opened" % fragment[:40])
        clean = driver.execute_script(
            "return window.pwned === undefined && !document.querySelector('main img, main svg, main script')"
            " && document.querySelectorAll('#impianto-tratti tr').length <= 200")
        shown = view(driver)
        check(clean and shown["shown"] == "impianto" and bool(shown["note"]) == said and console_errors(driver) == [],
              "hostile %r: %r" % (fragment[:40], [clean, shown["note"], console_errors(driver)]))
    check(view(driver)["rows"] == [] and opened(driver, "#" + hostile[2][0])
          and view(driver)["rows"][0][0] == "<img src=x onerror=window.pwned=1>", "markup in a name is a name")

    # Paper: one A4 sheet with every section and verdict, the paths, the
    # allowance, the assumptions, the date, the version and the address;
    # nothing of the controls. Dark or not, black on white.
    check(opened(driver, HOUSE_ADDRESS), "the house to print")
    driver.execute_cdp_cmd("Emulation.setEmulatedMedia", {"features": [{"name": "prefers-color-scheme", "value": "dark"}]})
    sheet, pages = pdf_of(driver, "installation-sheet")
    text = pdf_text(sheet)
    laid_out = [" ".join(line.split()) for line in subprocess.run(["pdftotext", "-layout", sheet, "-"], capture_output=True,
                                                                    text=True).stdout.split("\n")]
    check(pages == 1, "one sheet: %d" % pages)
    # Each section's line, its figures in their columns (a cell's second
    # line, such as "proposto", on the next).
    for name, start, length, diameter, power, p, y, from_meter, inches, _ in calc(calc_js, HOUSE)[1]:
        cells = " ".join(cell for cell in [name, start or "contatore", length, diameter, power, p, y, from_meter, inches] if cell)
        check(any(line.startswith(cells) for line in laid_out), "the sheet lacks %r: %r" % (cells, laid_out))
    for expected in ["Impianto gas: tratti dal contatore agli apparecchi", "entro il limite, margine 11 Pa",
                     "Percorsi dal contatore a ogni apparecchio", "Scaldabagno 19,5 96 4 entro il limite · percorso peggiore",
                     "perdita ammessa 100 Pa", "K 0,6076", "8500 kcal/m³", "raccordi compresi", "Stampato il",
                     "Versione Beta - 2004 11 19", url + HOUSE_ADDRESS[:60]]:
        check(expected in text, "the sheet lacks %r: %r" % (expected, text))
    check(re.search(r"Stampato il \d+ \w+ 20\d\d", text), "the date on the sheet")
    for absent in ["Aggiungi", "Togli", "Tratto da qui", "Tubazione", "cliccare qui"]:
        check(absent not in text, "on paper: %r" % absent)
    driver.execute_cdp_cmd("Emulation.setEmulatedMedia", {"features": []})
    # Sixty sections fill more than a sheet, each headed by the columns.
    long_one = "#impianto=" + ";".join("T%d,%s,2,,%s" % (i, "T%d" % (i - 1) if i > 1 else "", "1" if i % 2 else "")
                                       for i in range(1, 61)) + "&ammessa=1000"
    check(opened(driver, long_one), "sixty sections to print")
    sheet, pages = pdf_of(driver, "installation-sheets")
    # (The last sheet may hold the paths' table alone, under its own.)
    headed = [all(word in pdf_text(sheet, page).split() for word in ["Tratto", "Esito"] + (["Pollici"] if page < pages else []))
              for page in range(1, pages + 1)]
    check(pages >= 2 and all(headed), "the headings on every sheet: %r" % headed)

    # Added and taken away: the kitchen's branch goes, what hung from it
    # says so, nothing else is lost.
    check(opened(driver, HOUSE_ADDRESS), "the house again")
    click(row_of("Cucina") + "-togli")
    lost = driver.execute_script("return [document.getElementById(arguments[0] + '-da').getAttribute('aria-invalid'),"
                                 " document.getElementById(arguments[0] + '-da-errore').textContent]", row_of("Piano cottura"))
    check([row[1] for row in view(driver)["rows"][2:]] == ["Cucina", "Cucina"]
          and lost == ["true", "non è un tratto valido sopra questo"], "what hung from the kitchen: %r" % lost)
    same_as_command_line(driver, "the kitchen taken away", house=HOUSE[:2] + HOUSE[3:], invalid=[2, 3])
    check(wait_until(lambda: view(driver)["address"] == "#impianto=Montante,,10,26,;Caldaia,Montante,6,,24;Piano%20cottura,"
                     "Cucina,3,,8.5;Scaldabagno,Cucina,4,16,19.5&ammessa=100"), "its address: %r" % view(driver)["address"])
    click(row_of("Montante") + "-daqui")
    check([row[:2] for row in view(driver)["rows"]][:2] == [["Montante", "contatore"], ["Tratto 5", "Montante"]]
          and driver.execute_script("return document.activeElement.id") == row_of("Tratto 5") + "-nome",
          "a section from the riser: %r" % view(driver)["rows"])
    # The riser's name cleared to be retyped: what hangs from it has lost its
    # start (not moved to the meter), and the address still says where it
    # hung; named again, they follow it.
    riser, boiler = row_of("Montante"), row_of("Caldaia")
    retype(riser + "-nome", Keys.DELETE)
    invalid_start = driver.execute_script("return document.getElementById(arguments[0] + '-da').getAttribute('aria-invalid')",
                                          boiler)
    check(invalid_start == "true" and as_command_line(view(driver)["rows"][2])[5:] == ["", "", "", "", "tratto non valido"]
          and wait_until(lambda: ";Caldaia,Montante,6,," in view(driver)["address"]),
          "the riser unnamed: %r, %r" % (view(driver)["rows"][2], view(driver)["address"]))
    keys("Colonna")
    check(wait_until(lambda: view(driver)["address"].startswith("#impianto=Colonna,,10,26,;Tratto%205,Colonna,,,;Caldaia,Colonna,6,,24")),
          "the riser named again: %r" % view(driver)["address"])
    # Two sections named A, the first not valid: C hung from the second is
    # found as the command line finds it.
    check(opened(driver, "#impianto=A,,,26,;A,,10,26,;C,,5,,10&ammessa=100"), "two sections named A")
    driver.find_element(By.ID, row_of("C") + "-da").send_keys(Keys.DOWN, Keys.DOWN)
    check(wait_until(lambda: view(driver)["address"] == "#impianto=A,,,26,;A,,10,26,;C,A,5,,10&ammessa=100"),
          "C from the second A: %r" % view(driver)["address"])
    same_as_command_line(driver, "C from the second A", house=[("A", "", "", "26", ""), ("A", "", "10", "26", ""),
                                                                ("C", "A", "5", "", "10")], invalid=[0])

    # Accessibility, light and dark, of both views: axe-core finds nothing.
    with open(axe_js) as source:
        axe = source.read()
    for scheme, link in [("light", None), ("dark", None), ("dark", "vista-calcolo")]:
        driver.execute_cdp_cmd("Emulation.setEmulatedMedia",
                               {"features": [{"name": "prefers-color-scheme", "value": scheme}]})
        if link:
            driver.save_screenshot(os.path.join(shots, "installation-dark.png"))
            click(link)
            check(wait_until(lambda: view(driver)["shown"] == ""), "the form again")
        driver.execute_script(axe)
        found = driver.execute_async_script(
            "const done = arguments[0]; axe.run(document).then(r => done(r.violations.map(v => v.id + ': ' +"
            " v.nodes.map(n => n.target.join(' ')).join(', '))), e => done(['axe: ' + e]))")
        check(found == [], "axe-core, %s, %s: %r" % (scheme, link or "the installation", found))
    driver.save_screenshot(os.path.join(shots, "form-dark.png"))
    driver.execute_cdp_cmd("Emulation.setEmulatedMedia", {"features": []})

    # Offline: the service worker keeps the page; with the server gone the
    # installation reopens and answers.
    check(wait_until(lambda: driver.execute_script("return !!navigator.serviceWorker.controller"), 20),
          "no service worker in control")
    # (Its check for a newer worker, which asks the server, over first.)
    check(driver.execute_async_script("const done = arguments[0]; navigator.serviceWorker.ready.then(r => r.update())"
                                      ".then(() => done(true), () => done(false));"), "the worker's update check")
    server.kill()
    server.wait()
    check(opened(driver, HOUSE_ADDRESS), "offline")
    retype(row_of("Caldaia") + "-l", "12")
    same_as_command_line(driver, "offline, a change", house=[HOUSE[0], HOUSE[1][:2] + ["12"] + HOUSE[1][3:]] + HOUSE[2:])
    server, url = serve()

    # A phone, touch and all: cards for a thumb, a section added by a tap
    # and typed into, taken away by a tap.
    driver.execute_cdp_cmd("Emulation.setTouchEmulationEnabled", {"enabled": True, "maxTouchPoints": 5})
    for width, height in [(360, 740), (390, 844)]:
        driver.execute_cdp_cmd("Emulation.setDeviceMetricsOverride",
                               {"width": width, "height": height, "deviceScaleFactor": 2, "mobile": True})
        check(opened(driver, HOUSE_ADDRESS), "the house on a phone of %d" % width)
        faults = driver.execute_script("""const faults = [];
            const r = document.createRange(); r.selectNodeContents(document.getElementById('titolo'));
            if (r.getBoundingClientRect().right > document.querySelector('.viste').getBoundingClientRect().left)
                faults.push('the links over the title');
            for (const e of document.querySelectorAll('.viste a, #impianto input, #impianto select, #impianto button')) {
                const b = e.getBoundingClientRect();
                if (b.width < 44 || b.height < 44) faults.push(e.id + ' ' + b.width + 'x' + b.height);
                if (e.tagName !== 'A' && e.tagName !== 'BUTTON' && parseFloat(getComputedStyle(e).fontSize) < 16)
                    faults.push(e.id + ' text');
            }
            if (document.documentElement.scrollWidth > innerWidth) faults.push('sideways scroll');
            return faults;""")
        check(faults == [], "for a thumb at %d: %r" % (width, faults))
        driver.save_screenshot(os.path.join(shots, "installation-phone-%d.png" % width))
        tap(row_of("Scaldabagno") + "-daqui")
        check(wait_until(lambda: len(view(driver)["rows"]) == 6), "a tap adds a section at %d" % width)
        keys("Forno", Keys.TAB, Keys.TAB, "2", Keys.TAB, Keys.TAB, "5")
        check(wait_until(lambda: view(driver)["rows"][5][:2] == ["Forno", "Scaldabagno"] and view(driver)["rows"][5][8]),
              "typed on a phone at %d: %r" % (width, view(driver)["rows"][5]))
        tap(row_of("Forno") + "-togli")
        check(wait_until(lambda: len(view(driver)["rows"]) == 5), "a tap takes it away at %d" % width)
    driver.execute_cdp_cmd("Emulation.setEmulatedMedia", {"features": [{"name": "prefers-color-scheme", "value": "dark"}]})
    driver.save_screenshot(os.path.join(shots, "installation-phone-dark.png"))
    check(console_errors(driver) == [], "console errors: %r" % console_errors(driver))
    leave(driver, server)
finally:
    driver.quit()
    if other:
        other.quit()
    server.kill()

if failures:
    sys.exit("%d checks failed" % len(failures))
print("the installation in Chromium: ok")
