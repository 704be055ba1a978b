"""The installation's view in WebKit (WebKitGTK's MiniBrowser through
WebKitWebDriver), the engine of every browser on an iPhone: the README's
house opened by its address and read against tubarogas-calc.js on the same
lines, a value out of range typed, a section added and taken away, and the
cards at a phone's width.

Usage: installation_in_webkit.py SITE_FOLDER TUBAROGAS_CALC.js README.md SCREENSHOT_FOLDER   (LANG=it_IT.UTF-8)"""

import glob
import os
import subprocess
import sys

from selenium import webdriver
from selenium.webdriver.common.by import By

from installation_checks import HOUSE_ADDRESS, ROWS, as_command_line, calc, check, failures, readme_house, wait_until

site, calc_js, readme, shots = sys.argv[1:5]
here = os.path.dirname(os.path.abspath(__file__))
os.makedirs(shots, exist_ok=True)
summary, expected = calc(calc_js, readme_house(readme))

server = subprocess.Popen([sys.executable, os.path.join(here, "..", "..", "scripts", "serve_static.py"), site, "0"],
                          stdout=subprocess.PIPE, text=True)
url = server.stdout.readline().strip()
options = webdriver.WebKitGTKOptions()
options.binary_location = glob.glob("/usr/lib/*/webkit2gtk-4.1/MiniBrowser")[0]
options.add_argument("--automation")
driver = webdriver.WebKitGTK(executable_path="/usr/bin/WebKitWebDriver", options=options)
js = driver.execute_script


def settled(title):
    return wait_until(lambda: js("return performance.getEntriesByName('tubarogas-ready').length > 0"
                                 " && document.title.startsWith(arguments[0])", title), 10)


def row_of(name):
    return js("return [...document.querySelectorAll('#impianto-tratti th input')].find(e => e.value === arguments[0])"
              ".closest('tr').id", name)


def retype(name, text):
    field = driver.find_element(By.ID, name)
    field.click()
    js("arguments[0].select()", field)
    field.send_keys(text)


try:
    driver.set_window_size(1280, 800)
    driver.get(url + HOUSE_ADDRESS)
    check(settled("Tubaro GAS · Impianto · 5 tratti · peggiore 96 Pa su 100"), "the house: %r" % driver.title)
    check([as_command_line(row) for row in js(ROWS)] == expected, "the house: %r" % js(ROWS))
    check(js("return document.getElementById('impianto-sintesi').textContent") == summary, "the summary")
    driver.save_screenshot(os.path.join(shots, "installation-webkit-desktop.png"))

    heater = row_of("Scaldabagno")
    retype(heater + "-d", "5000")
    check(js("return [document.getElementById(arguments[0] + '-d').getAttribute('aria-invalid'),"
             " document.getElementById(arguments[0] + '-d-errore').textContent]", heater)
          == ["true", "deve stare tra 0 e 5000 mm, esclusi"], "out of range")
    retype(heater + "-d", "16")
    check([as_command_line(row) for row in js(ROWS)] == expected, "mended: %r" % js(ROWS))

    driver.find_element(By.ID, row_of("Montante") + "-daqui").click()
    check(wait_until(lambda: [row[:2] for row in js(ROWS)][1] == ["Tratto 6", "Montante"]), "added: %r" % js(ROWS))
    driver.find_element(By.ID, row_of("Tratto 6") + "-togli").click()
    check(wait_until(lambda: [as_command_line(row) for row in js(ROWS)] == expected), "taken away: %r" % js(ROWS))

    # A phone's width, in a frame of that size (MiniBrowser keeps its own).
    js("document.body.replaceChildren(Object.assign(document.createElement('iframe'),"
       " {id: 'phone', src: arguments[0], width: 360, height: 740}))", url + HOUSE_ADDRESS)
    driver.switch_to.frame(driver.find_element(By.ID, "phone"))
    check(settled("Tubaro GAS · Impianto"), "the house in a phone's frame")
    faults = js("""const faults = [];
        for (const e of document.querySelectorAll('.viste a, #impianto input, #impianto select, #impianto button')) {
            const b = e.getBoundingClientRect();
            if (b.width < 44 || b.height < 44) faults.push(e.id + ' ' + b.width + 'x' + b.height);
        }
        if (document.documentElement.scrollWidth > innerWidth) faults.push('sideways scroll');
        return faults;""")
    check(faults == [], "for a thumb at 360 px: %r" % faults)
    driver.switch_to.default_content()
    driver.save_screenshot(os.path.join(shots, "installation-webkit-phone-360.png"))
finally:
    driver.quit()
    server.kill()

if failures:
    sys.exit("%d checks failed" % len(failures))
print("the installation in WebKit: ok")
