"""The page in WebKit, the engine of every browser on an iPhone: WebKitGTK's
MiniBrowser driven through WebKitWebDriver by Selenium, on the X display the
caller gives it, as a user drives it: the start state, typing with its
result and inch size in an Italian browser, an error note from a spin step,
the stay-on-top box as WebKit allows it, the information line, and the
layout for a thumb at a phone's width.

Usage: page_in_webkit.py SITE_FOLDER SCREENSHOT_FOLDER   (LANG=it_IT.UTF-8)"""

import glob
import os
import subprocess
import sys
import time

from selenium import webdriver
from selenium.webdriver.common.action_chains import ActionChains
from selenium.webdriver.common.by import By
from selenium.webdriver.common.keys import Keys

site, shots = sys.argv[1:3]
here = os.path.dirname(os.path.abspath(__file__))
os.makedirs(shots, exist_ok=True)
failures = []
TARGETS = ["Text_D", "Text_Pollici", "Text_P", "Text_Y", "Text_L", "Option_Diametro", "Option_Potenza",
           "Option_Perdita", "Option_Lunghezza", "Check1", "Text1"]
with open(os.path.join(here, "thumb_layout.js")) as source:
    THUMB_LAYOUT = source.read()


def check(condition, what):
    if not condition:
        failures.append(what)
        print("FAIL:", what, file=sys.stderr)


def wait_until(predicate, seconds=5.0):
    end = time.time() + seconds
    while time.time() < end:
        if predicate():
            return True
        time.sleep(0.05)
    return predicate()


server = subprocess.Popen([sys.executable, os.path.join(here, "..", "..", "scripts", "serve_static.py"), site, "0"],
                          stdout=subprocess.PIPE, text=True)
url = server.stdout.readline().strip()
options = webdriver.WebKitGTKOptions()
# The MiniBrowser that libwebkit2gtk-4.1 installs in its own library folder.
options.binary_location = glob.glob("/usr/lib/*/webkit2gtk-4.1/MiniBrowser")[0]
options.add_argument("--automation")
driver = webdriver.WebKitGTK(executable_path="/usr/bin/WebKitWebDriver", options=options)


def js(script, *arguments):
    return driver.execute_script(script, *arguments)


def value(name):
    return js("return document.getElementById(arguments[0]).value", name)


def note():
    return js("const n = document.getElementById('nota'); return n && !n.hidden ? n.textContent : '-'")


def load():
    driver.get(url)
    return wait_until(lambda: js("return performance.getEntriesByName('tubarogas-ready').length > 0"
                                 " && document.activeElement && document.activeElement.id === 'Text_Y'"), 10)


def replace(name, text):
    field = driver.find_element(By.ID, name)
    field.click()
    js("arguments[0].select()", field)
    field.send_keys(text)


try:
    driver.set_window_size(1280, 800)
    check(load(), "the page came up with the focus in Text_Y")
    # A fresh page: Tab from Text_D reaches UpDown_L, Shift+Tab comes back.
    driver.find_element(By.ID, "Text_D").click()
    ActionChains(driver).send_keys(Keys.TAB).perform()
    forward = js("return document.activeElement.id")
    ActionChains(driver).key_down(Keys.SHIFT).send_keys(Keys.TAB).key_up(Keys.SHIFT).perform()
    back = js("return document.activeElement.id")
    check([forward, back] == ["UpDown_L", "Text_D"], "Tab from Text_D and back: %r" % [forward, back])
    check(load(), "the page again")
    check(js("return navigator.language") == "it-IT", "an Italian browser: %r" % js("return navigator.language"))
    # The start: stored values, nothing computed, not floating.
    check([value(name) for name in ["Text_D", "Text_P", "Text_Y", "Text_L", "Text_Pollici"]] ==
          ["37", "116", "100", "30", '1"1/2'], "start texts")
    check(js("return document.getElementById('Option_Diametro').checked"), "diameter mode")
    check(js("return document.getElementById('UpDown_D').hidden && !document.getElementById('UpDown_P').hidden"),
          "UpDown_D alone hidden")
    check(not js("return document.getElementById('Check1').checked"), "Check1 starts unticked")

    # Typing, with the comma: 1000 Pa, then 10,4 kW over 30 m need 9 mm, 3/8".
    driver.find_element(By.ID, "Text_Y").send_keys(Keys.END, "0")
    check(wait_until(lambda: value("Text_D") == "23"), "a key in Text_Y recalculates: %r" % value("Text_D"))
    replace("Text_P", "10,4")
    check(wait_until(lambda: value("Text_D") == "9" and value("Text_Pollici") == '3/8"'),
          "10,4 kW: 9 mm, 3/8\": %r" % [value("Text_D"), value("Text_Pollici")])

    # An error note from a spin step, beside the field it wrote.
    replace("Text_L", "1")
    driver.find_element(By.CSS_SELECTOR, "#UpDown_L button.down").click()
    check(wait_until(lambda: note() == "Divisione per zero"), "the note from a spin step: %r" % note())
    check(value("Text_L") == "0", "the step was written")
    driver.save_screenshot(os.path.join(shots, "webkit-desktop.png"))

    # The information line, by a click.
    driver.find_element(By.ID, "Text1").click()
    check(wait_until(lambda: value("Text1") == "https://www.tubaro.example/gas"), "a click on the information line")

    # Staying on top: WebKit has no floating window for a page, so the box
    # is disabled and says why.
    check(js("return !('documentPictureInPicture' in window)"), "WebKit has no Document Picture-in-Picture")
    check(js("const c = document.getElementById('Check1'); return c.disabled && c.title.includes('non disponibile')"),
          "without Picture-in-Picture the box is disabled and says why")

    # A phone's width: the layout for a thumb. MiniBrowser's window keeps a
    # width of its own, so the page goes into a frame of a phone's size.
    js("document.body.replaceChildren(Object.assign(document.createElement('iframe'),"
       " {id: 'phone', src: arguments[0], width: 360, height: 740}))", url)
    driver.switch_to.frame(driver.find_element(By.ID, "phone"))
    check(wait_until(lambda: js("return performance.getEntriesByName('tubarogas-ready').length > 0"), 10),
          "the page in a phone's frame")
    check(js("return innerWidth") == 360, "a phone's width: %r" % js("return innerWidth"))
    faults = js("return (" + THUMB_LAYOUT + ")(arguments[0])", TARGETS)
    check(faults == [], "for a thumb at 360 px: %r" % faults)
    driver.switch_to.default_content()
    driver.save_screenshot(os.path.join(shots, "webkit-phone-360.png"))
finally:
    driver.quit()
    server.kill()

if failures:
    sys.exit("%d checks failed" % len(failures))
print("the page in WebKit: ok")
