"""Plays one round on the program through AT-SPI's actions (roll, stop, the
space of the rolled car, HELP, quit and Yes) and looks at the screen after
each step. On X11 it keeps the client areas of the windows on view; on Wayland
it finds each kept area, pixel for pixel, on the compositor's screenshot.
    same_steps.py x11|wayland FOLDER"""
import os
import re
import subprocess
import sys
import tempfile
import time

import pyatspi

import a11y_tree
from a11y_tree import enabled, fail, first_result, named, press, program, showing, top_level, wait_for, walk

mode, folder = sys.argv[1], sys.argv[2]
a11y_tree.context = mode
# Title patterns of the windows as xdotool looks them up on X11.
TITLES = {"main": "簡単なソラミネとシミュレーション", "help": "ヘルプ", "question": "^ソラミネの実験$"}
# The width of the frame around the focused control. Weston's headless backend
# has no keyboard, so no window there is active and no control shows the focus:
# the frame's ring, kept on X11, is left out of the comparison.
FOCUS_FRAME = 3


class Image:
    """An RGB picture read from ImageMagick's binary PPM."""

    def __init__(self, ppm):
        header = re.match(rb"P6\s+(\d+)\s+(\d+)\s+255\s", ppm)
        self.width, self.height = int(header[1]), int(header[2])
        self.data = ppm[header.end():]

    def row(self, y, x=0, width=None):
        start = (y * self.width + x) * 3
        return self.data[start:start + (self.width - x if width is None else width) * 3]

    def crop(self, x, y, width, height):
        rows = b"".join(self.row(y + line, x, width) for line in range(height))
        return f"P6\n{width} {height}\n255\n".encode() + rows

    def find(self, part, ring=None):
        """Where part lies on this picture, pixel for pixel, or None; the
        pixels of the ring (x, y, width, height), a focus frame, are left out."""
        rows = [part_row_spans(part.width, k, ring) for k in range(part.height)]
        anchor = next(k for k, spans in enumerate(rows) if spans == [(0, part.width)])
        first = part.row(anchor)
        for y in range(self.height - part.height + 1):
            line, start = self.row(y + anchor), 0
            while (x := line.find(first, start)) >= 0:
                start = x + 1
                if x % 3 == 0 and all(self.row(y + k, x // 3 + a, b - a) == part.row(k, a, b - a)
                                      for k in range(part.height) for a, b in rows[k]):
                    return x // 3, y
        return None


def part_row_spans(width, k, ring):
    """The stretches [a, b) of row k that are compared: all of it but the ring."""
    if ring is None:
        return [(0, width)]
    x, y, w, h = ring
    if not y <= k < y + h:
        return [(0, width)]
    if y + FOCUS_FRAME <= k < y + h - FOCUS_FRAME:
        return [(0, x), (x + FOCUS_FRAME, x + w - FOCUS_FRAME), (x + w, width)]
    return [(0, x), (x + w, width)]


def to_ppm(source):
    return subprocess.run(["convert", source, "-depth", "8", "ppm:-"], check=True, capture_output=True).stdout


def x11_shot():
    return subprocess.run(["import", "-window", "root", "-depth", "8", "ppm:-"], check=True, capture_output=True).stdout


def wayland_shot():
    # Weston's own screenshot client writes into the current folder.
    with tempfile.TemporaryDirectory() as scratch:
        subprocess.run(["weston-screenshooter"], cwd=scratch, check=True, capture_output=True)
        return to_ppm(os.path.join(scratch, os.listdir(scratch)[0]))


def x11_geometry(title):
    window = subprocess.run(["xdotool", "search", "--onlyvisible", "--name", title],
                            capture_output=True, text=True).stdout.split()
    if len(window) != 1:
        fail(f"{len(window)} visible windows are called {title}")
    shell = subprocess.run(["xdotool", "getwindowgeometry", "--shell", window[0]],
                           check=True, capture_output=True, text=True).stdout
    values = dict(line.split("=") for line in shell.split())
    return [int(values[key]) for key in ("X", "Y", "WIDTH", "HEIGHT")]


def keep(step, windows):
    """X11: the screen once it stops changing; each window's client area kept,
    and where the focused control lies in it."""
    shot, end = x11_shot(), time.monotonic() + 5
    while time.monotonic() < end:
        time.sleep(0.1)
        previous, shot = shot, x11_shot()
        if shot == previous:
            break
    screen = Image(shot)
    # The innermost focused object: the quit question's button box counts as focused with its button.
    focused = ([n for n in walk(app) if n.getState().contains(pyatspi.STATE_FOCUSED)] or [None])[-1]
    box = focused.queryComponent().getExtents(pyatspi.DESKTOP_COORDS) if focused else None
    for window in windows:
        x, y, width, height = x11_geometry(TITLES[window])
        with open(os.path.join(folder, f"{step}-{window}.ppm"), "wb") as out:
            out.write(screen.crop(x, y, width, height))
        if box and x <= box.x and box.x + box.width <= x + width and y <= box.y and box.y + box.height <= y + height:
            with open(os.path.join(folder, f"{step}-{window}.focus"), "w") as out:
                out.write(f"{box.x - x} {box.y - y} {box.width} {box.height}")


main_at, main_size = None, None


def focus_ring(step, window):
    path = os.path.join(folder, f"{step}-{window}.focus")
    return tuple(map(int, open(path).read().split())) if os.path.exists(path) else None


def match(step, windows):
    """Wayland: every kept area of the step on the screen within 5 s."""
    global main_at, main_size
    parts = {w: Image(open(os.path.join(folder, f"{step}-{w}.ppm"), "rb").read()) for w in windows}
    rings = {w: focus_ring(step, w) for w in windows}
    end = time.monotonic() + 5
    while True:
        screen = Image(wayland_shot())
        found = {window: screen.find(part, rings[window]) for window, part in parts.items()}
        if all(found.values()):
            break
        if time.monotonic() > end:
            missing = [w for w, at in found.items() if not at]
            fail(f"after {step}, the client area of {', '.join(missing)} is not as on X11")
    if "main" in found:
        if main_at is None:
            main_at = found["main"]
            check_frame(screen, main_at, parts["main"])
            main_size = parts["main"].width, parts["main"].height
        elif found["main"] != main_at:
            fail(f"the main window moved from {main_at} to {found['main']}")
    if "question" in found:
        # The compositor places the question, a dialog of the main window; found
        # whole where it overlaps the main window, it stands on top of it.
        (x, y), part = found["question"], parts["question"]
        if not (x < main_at[0] + main_size[0] and main_at[0] < x + part.width and
                y < main_at[1] + main_size[1] and main_at[1] < y + part.height):
            fail(f"the quit question at {x}, {y} is not over the main window at {main_at}")
    print(f"{step}: as on X11, at {found}")


def check_frame(screen, at, part):
    """The main window alone on the screen: its client area is the whole of it
    but the frame the client draws, of even width on the left, right and bottom
    (the title bar above), so the client area is no larger than on X11."""
    with tempfile.NamedTemporaryFile(suffix=".ppm") as shot:
        shot.write(screen.crop(0, 0, screen.width, screen.height))
        shot.flush()
        box = subprocess.run(["convert", shot.name, "-format", "%@", "info:"],
                             check=True, capture_output=True, text=True).stdout
    size, x, y = box.replace("+", " ").split()
    width, height = map(int, size.split("x"))
    left, right = at[0] - int(x), int(x) + width - at[0] - part.width
    bottom = int(y) + height - at[1] - part.height
    if not left == right == bottom >= 0:
        fail(f"the window around the client area ({box}) has borders {left}, {right}, {bottom}")


check = keep if mode == "x11" else match


app = program()
roll = wait_for("roll button", lambda: named(app, "サイコロころがる"))
wait_for("main window on view", lambda: showing(roll))
check("start", ["main"])

stop = named(app, "サイコロ止まる")
press(roll)
wait_for("running die", lambda: enabled(stop), 5)
time.sleep(0.2)
press(stop)
cell = wait_for("result", lambda: first_result(app))
face = cell.name[-1]
check("result", ["main"])

space = named(app, f"固定するとき 駐車位置{face} 空き")
if space is None:
    fail(f"no empty fixed space {face} after rolling {face}")
press(space)
wait_for(f"car {face} in its space", lambda: named(app, f"固定するとき 駐車位置{face} 空き") is None)
check("parked", ["main"])

press(named(app, "HELP"))
wait_for("help window", lambda: top_level(app, lambda n: "ヘルプ" in n.name and showing(n)))
check("help", ["help"])

press(named(app, "終了"))
question = wait_for("quit question", lambda: top_level(
    app, lambda n: n.name == "ソラミネの実験" and n.getRole() == pyatspi.ROLE_ALERT and showing(n)))
check("question", ["question"])
press(named(question, "はい"))
print(f"{mode}: ok, rolled {face}")
