"""Drives the program's web build in a real browser: the folder served by a
web server on 127.0.0.1, Debian's Chromium (headless, or on the X server of
DISPLAY) through chromium-driver, WebKitGTK's MiniBrowser on DISPLAY through
its WebDriver. Shared by the web round (web_round.py) and its benchmark."""
import functools
import http.server
import io
import socketserver
import threading
import time

from selenium import webdriver
from selenium.webdriver.chrome.service import Service as ChromeService
from selenium.webdriver.common.actions import interaction
from selenium.webdriver.common.actions.action_builder import ActionBuilder
from selenium.webdriver.common.actions.pointer_input import PointerInput
from selenium.webdriver.common.keys import Keys

# The wall clock the page sees, frozen at the time the Linux round runs on
# (faketime), so that both builds roll the same face; timers run on.
FROZEN_CLOCK = """<script>
(() => {
  const Real = Date, frozen = new Real(2026, 11, 9, 10, 0, 0).getTime();
  class Frozen extends Real {
    constructor(...given) { super(...(given.length ? given : [frozen])); }
    static now() { return frozen; }
  }
  Date = Frozen;
})();
</script>"""

# The face the die shows in each frame the program draws, while
# window.dieFaces is a list: [time in ms, face] per frame, face 0 where no die
# face is seen. Qt's web platform hands each frame's changed part of a
# window's pixels to WebGL (texSubImage2D), so the face is read off those
# pixels, without making the page wait for what WebGL draws. The die stands
# at (384, 256) of the main window, the page's top left; a face is told by
# its pips.
DIE_WATCH = """<script>
(() => {
  const look = (x, y, width, height, pixels, start) => {
    const scale = window.devicePixelRatio;
    const at = (px, py) => {
      const cx = Math.round((384 + px) * scale) - x, cy = Math.round((256 + py) * scale) - y;
      const i = start + (cy * width + cx) * 4;
      return [pixels[i], pixels[i + 1], pixels[i + 2]];
    };
    const black = (px, py) => at(px, py).every((v) => v < 64);
    const [r, g, b] = at(15, 15);
    if (!at(1, 1).every((v) => v > 192))
      return 0;
    // Face 1's red pip: red in the first byte or the third, as the
    // platform orders its pixels.
    if (g < 64 && Math.min(r, b) < 64 && Math.max(r, b) > 192)
      return 1;
    return {1: 2, 5: 3, 9: 4, 13: 5, 11: 6}[black(7, 7) * 8 + black(15, 15) * 4 + black(9, 16) * 2 + black(23, 7)] || 0;
  };
  for (const Context of [window.WebGLRenderingContext, window.WebGL2RenderingContext]) {
    if (!Context)
      continue;
    const real = Context.prototype.texSubImage2D;
    Context.prototype.texSubImage2D = function(target, level, x, y, width, height, format, type, pixels, offset) {
      const scale = window.devicePixelRatio;
      if (window.dieFaces && pixels && pixels.BYTES_PER_ELEMENT == 1 && x <= 384 * scale && y <= 256 * scale &&
          x + width >= 408 * scale && y + height >= 280 * scale)
        window.dieFaces.push([performance.now(), look(x, y, width, height, pixels, offset || 0)]);
      return real.apply(this, arguments);
    };
  }
})();
</script>"""


def faces_a_second(frames):
    """The faces a second of the die's run, from the frames DIE_WATCH saw.
    The faces come in turn, 1 to 6 and round again, so between two frames
    less than 50 ms apart (fewer than six faces at the run's 100 a second)
    the step from one face to the next is the number passed; longer gaps are
    left out. Raises ValueError where a frame showed no face, or where the
    frames kept span less than a second."""
    shown = dict(frames)
    if 0 in shown.values():
        raise ValueError(f"{list(shown.values()).count(0)} of {len(shown)} frames showed no die face")
    passed = ms = 0
    times = sorted(shown)
    for before, after in zip(times, times[1:]):
        if after - before < 50:
            passed += (shown[after] - shown[before]) % 6
            ms += after - before
    if ms < 1000:
        raise ValueError(f"the run was drawn in too few frames to tell its pace ({len(frames)})")
    return passed * 1000 / ms


def read_layout(path):
    """The layout table (tests/layout_table): NAME -> (x, y, width, height)."""
    layout = {}
    for line in open(path, encoding="utf-8"):
        name, *box = line.split()
        layout[name] = tuple(map(int, box))
    return layout


def middle(box):
    x, y, width, height = box
    return x + width // 2, y + height // 2


class Folder(socketserver.ThreadingMixIn, http.server.HTTPServer):
    daemon_threads = True
    allow_reuse_address = True


def serve(folder, frozen=False, die_watch=False):
    """A web server on 127.0.0.1 for FOLDER, on a port of its own; with
    frozen, the page's clock is frozen, with die_watch the page has
    DIE_WATCH. Returns the server and its address."""
    scripts = (FROZEN_CLOCK if frozen else "") + (DIE_WATCH if die_watch else "")

    class Handler(http.server.SimpleHTTPRequestHandler):
        extensions_map = {**http.server.SimpleHTTPRequestHandler.extensions_map,
                          ".wasm": "application/wasm", ".webmanifest": "application/manifest+json"}

        def log_message(self, *args):
            pass

        def send_head(self):
            if scripts and self.path.split("?")[0] in ("/", "/index.html"):
                with open(f"{folder}/index.html", "rb") as page:
                    body = page.read().replace(b"<head>", b"<head>" + scripts.encode(), 1)
                self.send_response(200)
                self.send_header("Content-Type", "text/html; charset=utf-8")
                self.send_header("Content-Length", str(len(body)))
                self.end_headers()
                return io.BytesIO(body)
            return super().send_head()

    server = Folder(("127.0.0.1", 0), functools.partial(Handler, directory=folder))
    threading.Thread(target=server.serve_forever, daemon=True).start()
    return server, f"http://127.0.0.1:{server.server_address[1]}/"


def chromium(headless=True, width=1024, height=768, touch=False, profile=None):
    """Debian's Chromium with a viewport of WIDTH x HEIGHT CSS pixels."""
    options = webdriver.ChromeOptions()
    options.binary_location = "/usr/bin/chromium"
    for argument in ["--no-sandbox", "--use-gl=swiftshader", "--enable-unsafe-swiftshader", "--hide-scrollbars",
                     "--no-first-run", "--disable-features=Translate", "--force-device-scale-factor=1"]:
        options.add_argument(argument)
    if headless:
        options.add_argument("--headless=new")
    if touch:
        options.add_argument("--touch-events=enabled")
    if profile:
        options.add_argument(f"--user-data-dir={profile}")
    options.set_capability("goog:loggingPrefs", {"browser": "ALL"})
    driver = webdriver.Chrome(service=ChromeService("/usr/bin/chromedriver"), options=options)
    # With touch, a mobile device's viewport: the page's own zoom and scroll
    # rules apply, as on a tablet.
    driver.execute_cdp_cmd("Emulation.setDeviceMetricsOverride",
                           {"width": width, "height": height, "deviceScaleFactor": 1, "mobile": touch})
    if touch:
        driver.execute_cdp_cmd("Emulation.setTouchEmulationEnabled", {"enabled": True, "maxTouchPoints": 5})
    return driver


# What Safari on an iPad calls itself: the page and Qt see an iPad's browser.
IPAD_SAFARI = ("Mozilla/5.0 (iPad; CPU OS 17_6 like Mac OS X) AppleWebKit/605.1.15 (KHTML, like Gecko) "
               "Version/17.6 Mobile/15E148 Safari/604.1")


def webkit(width=1024, height=768):
    """WebKitGTK's MiniBrowser on DISPLAY, as Safari on an iPad, its window
    sized so that the page has WIDTH x HEIGHT CSS pixels."""
    options = webdriver.WebKitGTKOptions()
    options.binary_location = "/usr/lib/x86_64-linux-gnu/webkit2gtk-4.1/MiniBrowser"
    for argument in ["--automation", "--enable-webgl=true", f"--user-agent={IPAD_SAFARI}"]:
        options.add_argument(argument)
    driver = webdriver.WebKitGTK(executable_path="/usr/bin/WebKitWebDriver", options=options)
    inner = driver.execute_script("return [innerWidth, innerHeight]")
    outer = driver.get_window_size()
    driver.set_window_size(outer["width"] + width - inner[0], outer["height"] + height - inner[1])
    return driver


def program_shown(driver, seconds=60):
    """Waits until the program's canvas shows (the loader's text gone)."""
    end = time.monotonic() + seconds
    while time.monotonic() < end:
        if driver.execute_script(
                "const s = document.getElementById('status');"
                "return s && s.style.display == 'none' && document.getElementById('screen').style.display == 'block'"):
            return True
        time.sleep(0.05)
    return False


def status_text(driver):
    return driver.execute_script(
        "const s = document.getElementById('status'); return s.style.display == 'none' ? '' : s.textContent")


def settled(driver, path, seconds=5):
    """The page's screenshot once it stops changing, written to PATH."""
    shot, end = driver.get_screenshot_as_png(), time.monotonic() + seconds
    while time.monotonic() < end:
        time.sleep(0.15)
        previous, shot = shot, driver.get_screenshot_as_png()
        if shot == previous:
            break
    with open(path, "wb") as out:
        out.write(shot)


def click(driver, x, y):
    """A real mouse click at X, Y of the page (CSS pixels)."""
    actions = ActionBuilder(driver)
    actions.pointer_action.move_to_location(x, y).pointer_down().pointer_up()
    actions.perform()
    time.sleep(0.15)


def tap(driver, x, y):
    """A finger's tap at X, Y of the page."""
    actions = ActionBuilder(driver, mouse=PointerInput(interaction.POINTER_TOUCH, "finger"))
    actions.pointer_action.move_to_location(x, y).pointer_down().pause(0.05).pointer_up()
    actions.perform()
    time.sleep(0.15)


def key(driver, name):
    """A real key press (Keys.SPACE, Keys.ENTER, ...), to the focused window."""
    actions = ActionBuilder(driver)
    actions.key_action.key_down(name).key_up(name)
    actions.perform()
    time.sleep(0.15)


SPACE, ENTER = Keys.SPACE, Keys.ENTER
