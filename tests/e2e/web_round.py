"""One round on the program's web build in a real browser, with real input
events: roll, stop, the rolled car's fixed space, the same back-first space,
HELP (its window closed again), quit and はい (tapped with touch, else Enter).
Keeps the page after each step as PNG (start, result, fixed, back-first,
after-help) for web.sh to compare with the Linux build's, and checks what a
user sees of the windows and of the program's end.
    web_round.py ENGINE WIDTHxHEIGHT WEB_FOLDER LAYOUT FACE OUT
ENGINE is chromium (mouse), chromium-touch (a finger's taps) or webkit; the
page is WIDTH x HEIGHT CSS pixels, and every window must lie wholly on it."""
import os
import subprocess
import sys
import time

import browser

engine, size, web, layout_file, face, out = sys.argv[1:7]
width, height, face = *map(int, size.split("x")), int(face)
ENDED = "プログラムは終わりました。もう一度始めるには、このページを読み込み直してください。"
layout = browser.read_layout(layout_file)


def fail(message):
    print(f"FAIL: {engine}: {message} (the page as it was: {out}/failed.png)", file=sys.stderr)
    driver.save_screenshot(os.path.join(out, "failed.png"))
    for entry in driver.get_log("browser") if engine.startswith("chromium") else []:
        print("  console:", entry["message"][:300], file=sys.stderr)
    sys.exit(1)


def press(name):
    """A click (or tap) on the middle of the main window's control NAME; the
    main window's client area is the page's top left."""
    (browser.tap if touch else browser.click)(driver, *browser.middle(layout[name]))


def keep(step):
    path = os.path.join(out, f"{step}.png")
    browser.settled(driver, path)
    return open(path, "rb").read()


# Parts of the main window's client area left out where a window opening or
# closing is looked for: its top bar (where the pressed button's focus and
# look change), or the whole of it.
TOP_BAR, MAIN = "rectangle 0,0 489,24", "rectangle 0,0 489,607"


def new_window(before, after, left_out=TOP_BAR):
    """The box (x, y, width, height) of what changed between two shots of the
    page, but in the part left out: a window opened, frame and all."""
    paths = [os.path.join(out, "before.png"), os.path.join(out, "after.png")]
    for path, shot in zip(paths, (before, after)):
        with open(path, "wb") as file:
            file.write(shot)
    box = subprocess.run(["convert", paths[0], paths[1], "-compose", "difference", "-composite", "-fill", "black", "-draw", left_out,
                          "-threshold", "0", "-format", "%@", "info:"],
                         check=True, capture_output=True, text=True).stdout
    size, x, y = box.replace("+", " ").split()
    width, height = map(int, size.split("x"))
    return int(x), int(y), width, height


def buttons_in(shot, box):
    """The boxes of the buttons of the window at BOX in the page's shot, left
    to right: the parts below its title bar that stand out from the window's
    own background whole, each of a button's size."""
    x, y, width, height = box
    background = subprocess.run(["convert", shot, "-crop", f"1x1+{x + 8}+{y + 40}", "-depth", "8", "txt:-"],
                                check=True, capture_output=True, text=True).stdout.split("#")[-1][:6]
    parts = subprocess.run(["convert", shot, "-crop", f"{width}x{height - 26}+{x}+{y + 26}", "+repage", "-fuzz", "3%",
                            "-fill", "white", "-opaque", f"#{background}", "-fill", "black", "+opaque", "white",
                            "-define", "connected-components:verbose=true", "-connected-components", "8", "null:"],
                           check=True, capture_output=True, text=True).stdout.splitlines()[1:]
    buttons = []
    for part in parts:
        _, place, _, _, colour = part.split()
        w, h, left, top = map(int, place.replace("+", "x").split("x"))
        if colour == "srgb(0,0,0)" and w >= 40 and h >= 20 and w < width - 20:
            buttons.append((x + left, y + 26 + top, w, h))
    return sorted(buttons)


def in_view(box, what):
    x, y, width, height = box
    inner = driver.execute_script("return [innerWidth, innerHeight]")
    if x < 0 or y < 0 or x + width > inner[0] or y + height > inner[1]:
        fail(f"{what} at {box} does not lie wholly in the page's {inner[0]} x {inner[1]}")


touch = engine == "chromium-touch"
os.makedirs(out, exist_ok=True)
server, url = browser.serve(web, frozen=True)
driver = browser.webkit(width, height) if engine == "webkit" else browser.chromium(touch=touch, width=width, height=height)
try:
    driver.get(url)
    if not browser.program_shown(driver):
        fail(f"the program did not open: the page says {browser.status_text(driver)!r}")
    if driver.title != "簡単なソラミネとシミュレーション":
        fail(f"the page is called {driver.title!r}")
    start = keep("start")
    press("Command4")  # roll
    time.sleep(0.3)
    press("Command1")  # stop
    keep("result")
    press(f"Command{4 + face}")  # the rolled car's fixed space
    keep("fixed")
    press(f"Command{14 + face}")  # the back-first space in the same place
    parked = keep("back-first")

    press("Command21")  # HELP
    time.sleep(0.5)
    help_box = new_window(parked, keep("help"))
    in_view(help_box, "the help window")
    if help_box[2] < 300 or help_box[3] < 200:
        fail(f"HELP opened no window (only {help_box} changed)")
    if touch:
        # The help window's close button, tapped where its layout puts it in
        # the client area, which Qt's frame holds below its 18-pixel title
        # bar, inside borders of 4.
        x, y, w, h = layout["Form2.Command1"]
        browser.tap(driver, help_box[0] + 4 + x + w // 2, help_box[1] + 26 + y + h // 2)
    else:
        browser.key(driver, browser.SPACE)  # its close button has the focus
    time.sleep(0.3)
    after_help = keep("after-help")
    if new_window(parked, after_help, MAIN)[2] > 1:
        fail("the help window is still open")

    press("Command3")  # quit
    time.sleep(0.5)
    question_box = new_window(after_help, keep("question"))
    in_view(question_box, "the quit question")
    if question_box[2] < 100:
        fail("終了 asked no question")
    if touch:
        buttons = buttons_in(os.path.join(out, "question.png"), question_box)
        if len(buttons) != 2:
            fail(f"the quit question shows {len(buttons)} buttons, not はい and いいえ: {buttons}")
        browser.tap(driver, *browser.middle(buttons[0]))  # はい comes first
    else:
        browser.key(driver, browser.ENTER)  # はい, its default button
    end = time.monotonic() + 10
    while browser.status_text(driver) != ENDED:
        if time.monotonic() > end:
            fail(f"after はい the page says {browser.status_text(driver)!r}, not {ENDED!r}")
        time.sleep(0.1)
    print(f"{engine}: ok, rolled {face}; help window at {help_box}, quit question at {question_box}")
finally:
    driver.quit()
    server.shutdown()
