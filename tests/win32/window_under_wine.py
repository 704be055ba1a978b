"""The Windows window under Wine, driven as a user drives it (xdotool types
and clicks on the X display) and read back from a second Win32 process under
the same wineserver (window_probe.exe), checked against the golden rows of
the form's tests. Run by window_under_wine.sh, which starts the display, the
window manager and the window.

The window takes the keys and clicks of the display in the order they are
sent, and answers the probe in between: every step waits for what its keys
and clicks did, never for a while. A text set by the probe is set at once,
ahead of keys and clicks not yet handled, so it follows only what has been
seen done.

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
        try:
            self.process.stdin.write(command + "\n")
            self.process.stdin.flush()
            line = self.process.stdout.readline()
        except BrokenPipeError:
            line = ""
        if not line:
            sys.exit("FAIL: window_probe.exe ended (status %s) before answering %r" % (self.process.wait(), command))
        return line.rstrip("\r\n")

    def text(self, name):
        return self.ask("text " + name)

    def selection(self, name):
        return self.ask("selection " + name)

    def set(self, name, text):
        self.ask("set %s %s" % (name, text))

    def rect(self, name):
        return [int(value) for value in self.ask("rect " + name).split()]

    def close(self):
        self.process.stdin.write("quit\n")
        self.process.stdin.close()
        self.process.wait(timeout=30)


def xdotool(*arguments):
    subprocess.run(["xdotool", *arguments], check=True)


clicks = [0]


def click(name, down=0.5, across=None):
    """Clicks `name` at `down` its height and `across` its width; without
    `across`, a little left or right of the middle in turn, so that no two
    clicks make a double click."""
    left, top, right, bottom = probe.rect(name)
    clicks[0] += 1
    x = left + int((right - left) * across) if across is not None else \
        (left + right) // 2 + (3 if clicks[0] % 2 else -3)
    y = top + int((bottom - top) * down)
    xdotool("mousemove", str(x), str(y), "click", "1")


def wait_until(predicate, seconds=20.0):
    deadline = time.monotonic() + seconds
    while not predicate():
        if time.monotonic() > deadline:
            return False
        time.sleep(0.05)
    return True


def settle_in(field):
    """Returns once the window has handled every key and click sent so far:
    a click in `field`, which has the focus, at the end away from its
    selection moves the selection there."""
    before = probe.selection(field)
    click(field, across=0.95 if before.split()[1] == "0" else 0.05)
    if not wait_until(lambda: probe.selection(field) != before):
        sys.exit("FAIL: a click in %s left its selection at %s" % (field, before))


def x_window():
    ids = subprocess.run(["xdotool", "search", "--name", "^Tubaro GAS$"], capture_output=True, text=True).stdout.split()
    return ids[-1] if ids else None


def above_other_windows():
    window = x_window()
    state = subprocess.run(["xprop", "-id", window, "_NET_WM_STATE"], capture_output=True, text=True).stdout \
        if window else ""
    return "_NET_WM_STATE_ABOVE" in state


def where_keys_go():
    """For a failure's message: the window's focus, and the X window that
    has the keyboard."""
    focus = subprocess.run(["xdotool", "getwindowfocus", "getwindowname"], capture_output=True, text=True)
    return "focus %s, keyboard to %r" % (probe.ask("focus"), focus.stdout.strip())


def has_the_keyboard():
    """The display sends keys to the window the window manager focused."""
    focus = subprocess.run(["xdotool", "getwindowfocus"], capture_output=True, text=True).stdout.strip()
    return focus != "" and focus == x_window()


def overlap(a, b):
    return a[0] < b[2] and b[0] < a[2] and a[1] < b[3] and b[1] < a[3]


probe = Probe()
if probe.ask("wait") != "ready":
    sys.exit("FAIL: the window never appeared")
if not wait_until(lambda: has_the_keyboard() and probe.ask("focus") == "Text_Y"):
    sys.exit("FAIL: the window has not the keyboard, or its focus is not in Text_Y (%s)" % probe.ask("focus"))

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
check(wait_until(above_other_windows), "_NET_WM_STATE_ABOVE at start")
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
settle_in("Text_P")
check(probe.text("Text_D") == "9", "10,4 kW read with the comma: %r" % probe.text("Text_D"))

# The Tab that brings the focus into a field is not a key release there.
restore_start_texts()
probe.set("Text_P", "10")
probe.set("Text_D", "37")
click("Text_Y")
xdotool("key", "Tab")
check(wait_until(lambda: probe.ask("focus") == "Text_P"), "Tab goes from Text_Y to Text_P")
settle_in("Text_P")  # the Tab's release handled
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

def choose(mode):
    """Makes `mode` the computed quantity by a click on its option, once the
    window has it."""
    if probe.ask("checked " + OPTIONS[mode]) != "1":
        click(OPTIONS[mode])
        check(wait_until(lambda: probe.ask("checked " + OPTIONS[mode]) == "1"), "the option of " + mode)


# Choosing the computed quantity moves the hidden spin control.
click("Option_Potenza")
check(wait_until(lambda: [probe.ask("checked " + OPTIONS[q]) for q in "DPYL"] == ["0", "1", "0", "0"]), "one option set")
check([probe.ask("visible " + SPINS[q]) for q in "DPYL"] == ["1", "0", "1", "1"], "UpDown_P hidden in power mode")
click("UpDown_D", 0.25)
check(wait_until(lambda: probe.text("Text_P") == "124"), "a diameter step recalculates the power")
check(probe.text("Text_D") == "38", "the stepped diameter")
choose("D")
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
# inputs pasted, the mode's field given a 1 (a 2 where the result is 1; both
# pass its check) and a key released in it, which recalculates and writes
# the result over it, or leaves it and shows the error. The note of the row
# before is hidden first, so the one waited for is this row's.
rows = [line.rstrip("\r").split("\t")
        for line in subprocess.run(["wine", golden_exe], capture_output=True, encoding="utf-8").stdout.splitlines()]
tried = 0
for name, mode, separator, d, p, y, l, expected, designation in rows:
    if separator != ",":
        continue
    tried += 1
    choose(mode)
    placeholder = "2" if expected == "1" else "1"
    probe.ask("hidenote")
    texts = {"D": d, "P": p, "Y": y, "L": l}
    for letter in "DPYL":
        probe.set(FIELDS[letter], placeholder if letter == mode else texts[letter])
    click(FIELDS[mode])
    xdotool("key", "shift")
    output = FIELDS[mode]
    if expected in ("Tipo non corrispondente", "Overflow", "Divisione per zero", "Argomento non valido"):
        if not wait_until(lambda: probe.ask("note") == expected):
            check(False, "%s: note %r, expected %r (%s)" % (name, probe.ask("note"), expected, where_keys_go()))
        check(probe.text(output) == placeholder, "%s: the output was written after an error" % name)
    else:
        if not wait_until(lambda: probe.text(output) == expected):
            check(False, "%s: %r, expected %r (%s)" % (name, probe.text(output), expected, where_keys_go()))
        if designation:
            check(probe.text("Text_Pollici") == designation, "%s: designation %r" % (name, probe.text("Text_Pollici")))
check(tried > 50, "only %d golden rows tried" % tried)
choose("D")
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
click("Text1", across=0.3)
check(wait_until(lambda: probe.text("Text1") == "https://www.tubaro.example/gas"), "first click: the web address")
click("Text1", across=0.7)
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
# The computed power given a text no recalculation would write.
probe.set("Text_P", "1")
xdotool("key", "space")
check(wait_until(lambda: probe.text("Text1") == "https://www.tubaro.example/gas"), "Space on the information line")
xdotool("key", "Return")
check(wait_until(lambda: probe.text("Text1") == "Versione Beta - 2004 11 19"), "Enter on the information line")
# The Shift+Tab is handled after the releases of Space and Enter.
tab_visits(1, "shift+Tab")
check(probe.text("Text_P") == "1", "a key in the information line recalculated")
probe.set("Text_P", "124")
xdotool("key", "space")
check(wait_until(lambda: probe.ask("checked Check1") == "0" and probe.ask("topmost") == "0"), "Space on Check1")
xdotool("key", "space")
check(wait_until(lambda: probe.ask("topmost") == "1"), "Space on Check1 again")

subprocess.run(["import", "-window", "root", screenshot], check=False)
probe.close()

if failures:
    sys.exit("%d checks failed" % len(failures))
print("the window under Wine: ok (%d golden rows)" % tried)
