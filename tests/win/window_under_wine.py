"""The Windows window under Wine, driven as a user drives it (xdotool types
and clicks on the X display) and read back from a second Win32 process under
the same wineserver (window_probe.exe), checked against the golden rows of
the form's tests. Run by window_under_wine.sh, which starts the display, the
window manager and the window.

Usage: window_under_wine.py PROBE.exe GOLDEN_ROWS.exe SCREENSHOT.png"""

import subprocess
import sys
import time

probe_exe, golden_exe, screenshot = sys.argv[1:4]
failures = []


def check(condition, what):
    if not condition:
        failures.append(what)
        print("FAIL:", what, file=sys.stderr)


class Probe:
    def __init__(self):
        self.process = subprocess.Popen(["wine", probe_exe], stdin=subprocess.PIPE, stdout=subprocess.PIPE,
                                        encoding="utf-8", errors="replace")

    def ask(self, command):
        self.process.stdin.write(command + "\n")
        self.process.stdin.flush()
        return self.process.stdout.readline().rstrip("\r\n")

    def text(self, name):
        return self.ask("text " + name)

    def set(self, name, text):
        self.ask("set %s %s" % (name, text))

    def rect(self, name):
        return [int(value) for value in self.ask("rect " + name).split()]

    def close(self):
        self.ask("quit")
        self.process.wait(timeout=10)


def xdotool(*arguments):
    subprocess.run(["xdotool", *arguments], check=True)
    time.sleep(0.15)


def click(name, where=0.5):
    left, top, right, bottom = probe.rect(name)
    x = left + (right - left) // 2
    y = top + int((bottom - top) * where)
    xdotool("mousemove", str(x), str(y), "click", "1")


def wait_until(predicate, seconds=5.0):
    end = time.time() + seconds
    while time.time() < end:
        if predicate():
            return True
        time.sleep(0.05)
    return predicate()


def x_window():
    ids = subprocess.run(["xdotool", "search", "--name", "^Tubaro GAS$"], capture_output=True, text=True).stdout.split()
    return ids[-1] if ids else None


def above_other_windows():
    state = subprocess.run(["xprop", "-id", x_window(), "_NET_WM_STATE"], capture_output=True, text=True).stdout
    return "_NET_WM_STATE_ABOVE" in state


def overlap(a, b):
    return a[0] < b[2] and b[0] < a[2] and a[1] < b[3] and b[1] < a[3]


probe = Probe()
if probe.ask("wait") != "ready":
    sys.exit("FAIL: the window never appeared")
wait_until(lambda: x_window() is not None and probe.ask("focus") == "Text_Y")

FIELDS = {"D": "Text_D", "P": "Text_P", "Y": "Text_Y", "L": "Text_L"}
OPTIONS = {"D": "Option_Diametro", "P": "Option_Potenza", "Y": "Option_Perdita", "L": "Option_Lunghezza"}
SPINS = {"D": "UpDown_D", "P": "UpDown_P", "Y": "UpDown_Y", "L": "UpDown_L"}
START = {"D": "37", "P": "116", "Y": "100", "L": "30"}


def restore_start_texts():
    for letter, text in START.items():
        probe.set(FIELDS[letter], text)


# The start: stored values, nothing computed, the window above the others.
for letter, text in START.items():
    check(probe.text(FIELDS[letter]) == text, "start text of " + FIELDS[letter])
check(probe.text("Text_Pollici") == '1"1/2', "start designation")
check(probe.text("Text1") == "cliccare qui per informazioni", "start information line")
check([probe.ask("checked " + OPTIONS[q]) for q in "DPYL"] == ["1", "0", "0", "0"], "the diameter is computed")
check([probe.ask("visible " + SPINS[q]) for q in "DPYL"] == ["0", "1", "1", "1"], "UpDown_D alone hidden")
check(probe.ask("checked Check1") == "1", "Check1 checked")
check(probe.ask("topmost") == "1", "WS_EX_TOPMOST at start")
check(above_other_windows(), "_NET_WM_STATE_ABOVE at start")
check(probe.ask("focus") == "Text_Y", "focus in Text_Y at start")
# Made after the first paint, before any input: the description tips and
# the error note's window.
check(wait_until(lambda: probe.ask("tooltips") == "2"), "%s tooltip windows once started" % probe.ask("tooltips"))

# Typing into a field recalculates at each key release, with the comma of
# the regional settings.
xdotool("key", "End", "0")
check(wait_until(lambda: probe.text("Text_D") == "23"), "the diameter for 1000 Pa")
check(wait_until(lambda: probe.text("Text_Pollici") == '1"'), "the designation follows the diameter")
click("Text_P")
xdotool("key", "ctrl+a", "1", "0", "comma", "4")
check(wait_until(lambda: probe.text("Text_D") == "9"), "10,4 kW read with the comma")

# The Tab that brings the focus into a field is not a key release there.
restore_start_texts()
probe.set("Text_P", "10")
probe.set("Text_D", "37")
click("Text_Y")
xdotool("key", "Tab")
check(wait_until(lambda: probe.ask("focus") == "Text_P"), "Tab goes from Text_Y to Text_P")
check(probe.text("Text_D") == "37", "the arriving Tab recalculated")
xdotool("key", "shift")
check(wait_until(lambda: probe.text("Text_D") == "15"), "a Shift released in Text_P did not recalculate")
restore_start_texts()

# The spin controls step their field, and the recalculation follows.
click("UpDown_P", 0.25)
check(wait_until(lambda: probe.text("Text_P") == "117"), "UpDown_P up")
click("UpDown_P", 0.75)
check(wait_until(lambda: probe.text("Text_P") == "116"), "UpDown_P down")
check(probe.text("Text_D") == "37", "the diameter after the steps")

# Choosing the computed quantity moves the hidden spin control.
click("Option_Potenza")
check(wait_until(lambda: [probe.ask("checked " + OPTIONS[q]) for q in "DPYL"] == ["0", "1", "0", "0"]), "one option set")
check([probe.ask("visible " + SPINS[q]) for q in "DPYL"] == ["1", "0", "1", "1"], "UpDown_P hidden in power mode")
click("UpDown_D", 0.25)
check(wait_until(lambda: probe.text("Text_P") == "124"), "a diameter step recalculates the power")
check(probe.text("Text_D") == "38", "the stepped diameter")
click("Option_Diametro")
restore_start_texts()

# A failing step shows the note, naming the kind, clear of the check box;
# the next good recalculation takes it away.
probe.set("Text_L", "1")
click("UpDown_L", 0.75)
check(wait_until(lambda: probe.ask("note") == "Divisione per zero"), "the note names a division by zero")
check(probe.text("Text_L") == "0", "the step stays")
note_place = probe.ask("noterect")
if note_place != "-":
    check(not overlap([int(v) for v in note_place.split()], probe.rect("Check1")), "the note covers the check box")
click("UpDown_L", 0.25)
check(wait_until(lambda: probe.ask("note") == "-"), "the note goes at the next good recalculation")
restore_start_texts()

# The golden rows of the regional separator, each through the window: the
# inputs pasted, the mode's field given a 1 (which passes its check) and a
# key released in it, which recalculates and writes the result over the 1,
# or leaves the 1 and shows the error.
rows = [line.rstrip("\r").split("\t")
        for line in subprocess.run(["wine", golden_exe], capture_output=True, encoding="utf-8").stdout.splitlines()]
tried = 0
for name, mode, separator, d, p, y, l, expected, designation in rows:
    if separator != ",":
        continue
    tried += 1
    click(OPTIONS[mode])
    texts = {"D": d, "P": p, "Y": y, "L": l}
    for letter in "DPYL":
        probe.set(FIELDS[letter], "1" if letter == mode else texts[letter])
    click(FIELDS[mode])
    xdotool("key", "shift")
    output = FIELDS[mode]
    if expected in ("Tipo non corrispondente", "Overflow", "Divisione per zero", "Argomento non valido"):
        check(wait_until(lambda: probe.ask("note") == expected), "%s: note %r, expected %r"
              % (name, probe.ask("note"), expected))
        check(probe.text(output) == "1", "%s: the output was written after an error" % name)
    else:
        check(wait_until(lambda: probe.text(output) == expected), "%s: %r, expected %r"
              % (name, probe.text(output), expected))
        if designation:
            check(probe.text("Text_Pollici") == designation, "%s: designation %r" % (name, probe.text("Text_Pollici")))
check(tried > 50, "only %d golden rows tried" % tried)
click("Option_Diametro")
restore_start_texts()

# The check box switches staying on top, without moving the window.
place = probe.rect("window")
click("Check1")
check(wait_until(lambda: probe.ask("checked Check1") == "0" and probe.ask("topmost") == "0"), "unchecked: not topmost")
check(wait_until(lambda: not above_other_windows()), "unchecked: still above other windows")
click("Check1")
check(wait_until(lambda: probe.ask("checked Check1") == "1" and probe.ask("topmost") == "1"), "checked: topmost again")
check(wait_until(above_other_windows), "checked: not above other windows")
check(probe.rect("window") == place, "the window moved")

# The information line toggles at each click (apart, or they would make a
# double click, which counts once).
click("Text1")
check(wait_until(lambda: probe.text("Text1") == "https://www.tubaro.example/gas"), "first click: the web address")
time.sleep(1)
click("Text1")
check(wait_until(lambda: probe.text("Text1") == "Versione Beta - 2004 11 19"), "second click: the version line")

# Keyboard alone: the Tab cycle of the diameter mode, a mode change by the
# arrow keys, a spin step by Up, the information line by Space and Enter.
def tab_visits(count, key="Tab"):
    visits = []
    for _ in range(count):
        before = probe.ask("focus")
        xdotool("key", key)
        wait_until(lambda: probe.ask("focus") != before)
        visits.append(probe.ask("focus"))
    return visits


click("Text_Y")
cycle = tab_visits(11)
check(cycle == ["Text_P", "UpDown_P", "Text_L", "Option_Diametro", "UpDown_Y", "Check1", "Text1", "Text_D",
                "UpDown_L", "Text_Pollici", "Text_Y"], "the Tab cycle: %r" % cycle)
check(tab_visits(1, "shift+Tab") == ["Text_Pollici"], "Shift+Tab wraps back")
tab_visits(5)
xdotool("key", "Down")
check(wait_until(lambda: probe.ask("checked Option_Potenza") == "1"), "Down sets the next option")
check([probe.ask("visible " + SPINS[q]) for q in "DPYL"] == ["1", "0", "1", "1"], "Down: the spin controls follow")
cycle = tab_visits(5)
check(cycle == ["UpDown_Y", "Check1", "Text1", "Text_D", "UpDown_D"], "the Tab cycle in power mode: %r" % cycle)
xdotool("key", "Up")
check(wait_until(lambda: probe.text("Text_D") == "38" and probe.text("Text_P") == "124"), "Up on UpDown_D steps")
tab_visits(2, "shift+Tab")
check(probe.ask("focus") == "Text1", "Shift+Tab back to Text1")
xdotool("key", "space")
check(wait_until(lambda: probe.text("Text1") == "https://www.tubaro.example/gas"), "Space on the information line")
xdotool("key", "Return")
check(wait_until(lambda: probe.text("Text1") == "Versione Beta - 2004 11 19"), "Enter on the information line")
check(probe.text("Text_P") == "124", "a key in the information line recalculated")
tab_visits(1, "shift+Tab")
xdotool("key", "space")
check(wait_until(lambda: probe.ask("checked Check1") == "0" and probe.ask("topmost") == "0"), "Space on Check1")
xdotool("key", "space")
check(wait_until(lambda: probe.ask("topmost") == "1"), "Space on Check1 again")

subprocess.run(["import", "-window", "root", screenshot], check=False)
probe.close()

if failures:
    sys.exit("%d checks failed" % len(failures))
print("the window under Wine: ok (%d golden rows)" % tried)
