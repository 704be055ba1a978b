"""The window as assistive technology reaches it: fields, spin arrows and the
error note read and worked through AT-SPI, keys and clicks from xdotool.
Run by window_accessibility.sh, which starts the display, the bus and the
program."""

import subprocess
import sys
import time

import pyatspi
from gi.repository import GLib

DIAMETER = "Diametro interno del tubo, in millimetri"
POWER = "Potenza, in kilowatt"
LOSS = "Perdita di carico totale, in pascal"
LENGTH = "Lunghezza equivalente, in metri"
POWER_SPIN = "Regola la potenza"
LENGTH_DOWN = "Diminuisci la lunghezza equivalente"
LENGTH_UP = "Aumenta la lunghezza equivalente"

failures = []
events = []


def pump():
    """Hands on what the bus has brought, events included."""
    while GLib.MainContext.default().iteration(False):
        pass


def check(condition, what):
    if not condition:
        failures.append(what)
        print("FAIL:", what, file=sys.stderr)


def wait_for(predicate, seconds=20.0):
    """The window answers the bus and takes keys and clicks from the display
    on two ways, neither waiting for the other: what a key or a click did is
    waited for, never assumed after a while."""
    deadline = time.monotonic() + seconds
    while True:
        pump()
        if predicate():
            return True
        if time.monotonic() > deadline:
            return False
        time.sleep(0.02)


def application():
    found = []

    def shown():
        found[:] = [app for app in pyatspi.Registry.getDesktop(0)
                    if app is not None and app.name == "TubaroCalcolatore" and app.childCount > 0]
        return found

    if not wait_for(shown, 30):
        sys.exit("FAIL: the window did not appear on the accessibility bus within 30 s")
    return found[0]


app = application()
window = app[0]


def find(name, role=None):
    node = pyatspi.findDescendant(
        window, lambda n: n.name == name and (role is None or n.getRoleName() == role))
    if node is None:
        sys.exit("FAIL: no accessible object named %r" % name)
    return node


def text(name):
    return find(name).queryText().getText(0, -1)


def set_text(name, value):
    """A change without a key, as a paste is: done when the call returns."""
    find(name).queryEditableText().setTextContents(value)


def focus(name):
    find(name).queryComponent().grabFocus()


def keys(*arguments):
    subprocess.run(["xdotool", *arguments], check=True)


clicks = [0]


def click(name, where=0.5):
    """Clicks `name` at `where` across it, each click above or below the
    middle in turn, so that no two clicks make a double click."""
    x, y, width, height = find(name).queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
    clicks[0] += 1
    keys("mousemove", str(x + int(width * where)), str(y + int(height * (0.3 if clicks[0] % 2 else 0.7))),
         "click", "1")


def settle_in(name):
    """Returns once the window has handled every key and click sent so far:
    a click in the field `name`, which has the focus, at the end away from
    its caret, moves the caret, and keys and clicks are handled in the order
    sent."""
    def caret_and_selection():
        text = find(name).queryText()
        return text.caretOffset, [text.getSelection(i) for i in range(text.getNSelections())]

    before = caret_and_selection()
    click(name, 0.95 if before[0] == 0 else 0.05)
    if not wait_for(lambda: caret_and_selection() != before):
        sys.exit("FAIL: a click in %r left its caret and selection as they were: %r" % (name, before))


def error_notes():
    return [child for child in app if child.getRoleName() == "alert"
            and child.getState().contains(pyatspi.STATE_SHOWING)]


def on_event(event):
    try:
        events.append((event.type, event.source.getRoleName(), event.source.name, event.detail1))
    except Exception:  # the source may be gone already
        pass


pyatspi.Registry.registerEventListener(on_event, "object:state-changed:showing")

# At start: the stored values, the focus in the loss field.
check(text(DIAMETER) == "37" and text(POWER) == "116", "start values")
check(find(LOSS).getState().contains(pyatspi.STATE_FOCUSED), "focus at start in Text_Y")

# Ctrl+A, Ctrl+C in the computed field copies the result: releasing A
# recalculates and writes the same 37, which leaves the selection alone.
def clipboard():
    return subprocess.run(["xclip", "-o", "-selection", "clipboard"], capture_output=True, text=True).stdout


focus(DIAMETER)
keys("key", "ctrl+a")
keys("key", "ctrl+c")
# Copied, the selection was there after A's release had recalculated.
check(wait_for(lambda: clipboard() == "37"), "clipboard after Ctrl+A, Ctrl+C in Text_D: %r" % clipboard())
check(find(DIAMETER).queryText().getNSelections() == 1, "Ctrl+A selection kept after the recalculation")

# A failing step shows the note, an alert whose name is the message, and
# says so on the bus; the next good recalculation takes it away.
set_text(LENGTH, "1")
find(LENGTH_DOWN).queryAction().doAction(0)
check(wait_for(lambda: text(LENGTH) == "0"), "stepped length")
check(wait_for(lambda: len(error_notes()) == 1), "an error note is shown")
notes = error_notes()
if notes:
    check(notes[0].name == "Divisione per zero", "the note's name: %r" % notes[0].name)
    check(notes[0].description == "Divisione per zero", "the note's description: %r" % notes[0].description)
check(wait_for(lambda: ("object:state-changed:showing", "alert", "Divisione per zero", 1) in events),
      "no showing event for the alert: %r" % events)
set_text(LENGTH, "29")
find(LENGTH_UP).queryAction().doAction(0)
check(wait_for(lambda: text(LENGTH) == "30" and text(DIAMETER) == "37"), "recalculated after the step")
check(wait_for(lambda: not error_notes()), "the note goes at the next good recalculation")


# The key that brings the focus into a field does not recalculate; other
# releases there do. Armed: a power that would make the diameter 15.
def arm():
    set_text(POWER, "10")
    set_text(DIAMETER, "37")


# How the focus comes into Text_P, from where, and the key then released
# there, which recalculates.
ARRIVALS = [
    ("Tab", LOSS, [("key", "Tab")], ("key", "shift")),
    ("Shift+Tab", POWER_SPIN, [("keydown", "shift", "key", "Tab")], ("keyup", "shift")),
    ("a click with Shift held", LOSS, [("keydown", "shift"), ("click", POWER)], ("keyup", "shift")),
]
for name, start, arrival, release in ARRIVALS:
    arm()
    focus(start)
    for step in arrival:
        click(step[1]) if step[0] == "click" else keys(*step)
    check(wait_for(lambda: find(POWER).getState().contains(pyatspi.STATE_FOCUSED)), name + " reaches Text_P")
    settle_in(POWER)  # the arrival's own releases handled
    check(text(DIAMETER) == "37", name + ": the arrival recalculated")
    keys(*release)
    check(wait_for(lambda: text(DIAMETER) == "15"), name + ": the key released afterwards did not recalculate")

# Alt+Tab away and back: the window manager keeps the keys; no recalculation.
arm()
focus(POWER)
other = subprocess.Popen(["xmessage", "-geometry", "+400+300", "altro programma"], stderr=subprocess.DEVNULL)
try:
    ids = []

    def other_shown():
        ids[:] = subprocess.run(["xdotool", "search", "--name", "xmessage"], capture_output=True,
                                text=True).stdout.split()
        return ids

    if not wait_for(other_shown, 30):
        sys.exit("FAIL: the other program's window did not appear within 30 s")
    keys("windowactivate", "--sync", ids[-1])
    keys("keydown", "alt", "key", "Tab")
    keys("keyup", "alt")

    def active():
        return subprocess.run(["xdotool", "getactivewindow", "getwindowname"], capture_output=True,
                              text=True).stdout.strip()

    check(wait_for(lambda: active() == "Tubaro GAS"), "Alt+Tab did not come back: %r" % active())
    check(wait_for(lambda: find(POWER).getState().contains(pyatspi.STATE_FOCUSED)), "the focus is back in Text_P")
    check(text(DIAMETER) == "37", "Alt+Tab back into the window recalculated")
finally:
    other.kill()
    other.wait()

# Keyboard alone: the Tab cycle of the diameter mode, a mode change by the
# arrow keys, a spin step by Up, the information line by Space and Enter.
NAMES = {"Text_D": DIAMETER, "Text_P": POWER, "Text_Y": LOSS, "Text_L": LENGTH,
         "Text_Pollici": "Misura nominale del tubo, in pollici",
         "Text1": "Informazioni sul programma: fare clic per cambiare", "Check1": "Sempre in primo piano",
         "UpDown_D": "Regola il diametro", "UpDown_P": POWER_SPIN, "UpDown_Y": "Regola la perdita di carico",
         "UpDown_L": "Regola la lunghezza equivalente", "Option_Diametro": "Calcola il diametro",
         "Option_Potenza": "Calcola la potenza"}


def focused():
    for control, name in NAMES.items():
        if find(name).getState().contains(pyatspi.STATE_FOCUSED):
            return control
    return "-"


def tab_visits(count, key="Tab"):
    visits = []
    for _ in range(count):
        before = focused()
        keys("key", key)
        wait_for(lambda: focused() != before)
        visits.append(focused())
    return visits


set_text(POWER, "116")
focus(LOSS)
cycle = tab_visits(11)
check(cycle == ["Text_P", "UpDown_P", "Text_L", "Option_Diametro", "UpDown_Y", "Check1", "Text1", "Text_D",
                "UpDown_L", "Text_Pollici", "Text_Y"], "the Tab cycle: %r" % cycle)
tab_visits(4)
keys("key", "Down")
check(wait_for(lambda: find(NAMES["Option_Potenza"]).getState().contains(pyatspi.STATE_CHECKED)),
      "Down sets the next option")
cycle = tab_visits(5)
check(cycle == ["UpDown_Y", "Check1", "Text1", "Text_D", "UpDown_D"], "the Tab cycle in power mode: %r" % cycle)
keys("key", "Up")
check(wait_for(lambda: text(DIAMETER) == "38" and text(POWER) == "124"), "Up on UpDown_D steps and recalculates")
tab_visits(2, "shift+Tab")
info = NAMES["Text1"]
before = text(info)
keys("key", "space")
check(wait_for(lambda: text(info) != before), "Space on the information line")
shown = text(info)
keys("key", "Return")
check(wait_for(lambda: text(info) not in (shown, before)), "Enter on the information line")

if failures:
    sys.exit("%d checks failed" % len(failures))
print("window through the accessibility bus: ok")
