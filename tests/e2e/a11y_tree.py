"""The end-to-end tests' harness over AT-SPI: finds the program and its
windows in the accessibility tree, presses a named control, waits for a
condition, and fails with a message. The program runs with
QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 on the test's own session bus."""
import sys
import time

import pyatspi

# Said before every failure, to tell apart runs of one script (set by it).
context = ""


def fail(message):
    print(f"FAIL{f' ({context})' if context else ''}: {message}", file=sys.stderr)
    sys.exit(1)


def wait_for(what, find, seconds=10.0):
    """What find() returns once it is true, polled every 50 ms; fails after
    the given seconds with "no WHAT"."""
    end = time.monotonic() + seconds
    while time.monotonic() < end:
        found = find()
        if found:
            return found
        time.sleep(0.05)
    fail("no " + what)


def application():
    desktop = pyatspi.Registry.getDesktop(0)
    for index in range(desktop.childCount):
        app = desktop.getChildAtIndex(index)
        if app is not None and app.name == "parking-dice":
            return app
    return None


def program(seconds=20.0):
    """The program's application object, once it is on the accessibility bus."""
    return wait_for("program on the accessibility bus", application, seconds)


def walk(node):
    yield node
    for index in range(node.childCount):
        child = node.getChildAtIndex(index)
        if child is not None:
            yield from walk(child)


def named(node, name, role=None):
    """The first control below node with this accessible name (and role)."""
    return next((n for n in walk(node) if n.name == name and (role is None or n.getRole() == role)), None)


def first_result(app):
    """The first log cell once it holds a rolled face, "1回目 K"; None before."""
    cells = [f"1回目 {k}" for k in range(1, 7)]
    return next((n for n in walk(app) if n.name in cells), None)


def top_level(app, test):
    """The first of the program's windows for which test(window) holds."""
    windows = (app.getChildAtIndex(i) for i in range(app.childCount))
    return next((window for window in windows if window is not None and test(window)), None)


def showing(node):
    return node.getState().contains(pyatspi.STATE_SHOWING)


def enabled(node):
    return node.getState().contains(pyatspi.STATE_ENABLED)


def press(node, what=None):
    """Runs the control's Press action, as a screen reader's user does."""
    if node is None:
        fail(f"no control {what} to press" if what else "nothing to press")
    action = node.queryAction()
    names = [action.getName(i).lower() for i in range(action.nActions)]
    if "press" not in names:
        fail("no press action on " + node.name)
    action.doAction(names.index("press"))
