"""A native Wayland window's Check1, read through AT-SPI: it cannot keep the
window on top, so it is neither ticked nor sensitive, and says why.
Run by window_wayland.sh, which starts the compositor, the bus and the
program. Usage: window_wayland.py HOW_IT_WAS_STARTED"""

import sys
import time

import pyatspi

how = sys.argv[1]


def application():
    deadline = time.monotonic() + 30
    while time.monotonic() < deadline:
        for app in pyatspi.Registry.getDesktop(0):
            if app is not None and app.name == "TubaroCalcolatore" and app.childCount > 0:
                return app
        time.sleep(0.05)
    sys.exit("FAIL (%s): the window did not appear on the accessibility bus within 30 s" % how)


def find(node, name):
    if node.name == name and node.getRole() == pyatspi.ROLE_CHECK_BOX:
        return node
    for child in node:
        if child is not None:
            found = find(child, name)
            if found is not None:
                return found
    return None


box = find(application()[0], "Sempre in primo piano")
if box is None:
    sys.exit("FAIL (%s): no check box named 'Sempre in primo piano'" % how)
states = box.getState()
failures = []
if states.contains(pyatspi.STATE_SENSITIVE):
    failures.append("Check1 is sensitive")
if states.contains(pyatspi.STATE_CHECKED):
    failures.append("Check1 is ticked")
if "Wayland" not in box.description or "non disponibile" not in box.description:
    failures.append("Check1 does not say why: %r" % box.description)
for failure in failures:
    print("FAIL (%s): %s" % (how, failure), file=sys.stderr)
sys.exit(1 if failures else 0)
