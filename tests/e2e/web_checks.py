"""What the web build does beside a round:
    web_checks.py offline WEB_FOLDER   in Chromium, opened on a high-density
                                       screen (2 device pixels a CSS pixel, as an
                                       iPad's), the server stopped, opened again
    web_checks.py cue WEB_FOLDER LAYOUT  HELP pressed once in Chromium on DISPLAY
                                       (web.sh records what the sound server plays)
    web_checks.py pace WEB_FOLDER LAYOUT  the die's run, 100 faces a second, in
                                       Chromium and in WebKit on DISPLAY"""
import sys
import tempfile
import time

import browser

check, web = sys.argv[1], sys.argv[2]


def fail(message):
    print(f"FAIL: {check}: {message}", file=sys.stderr)
    sys.exit(1)


def opened(driver, what):
    if not browser.program_shown(driver, 60):
        fail(f"{what}, the program did not open: the page says {browser.status_text(driver)!r}")


# The files the service worker keeps, all of them in its cache.
KEPT = """const done = arguments[arguments.length - 1];
navigator.serviceWorker.getRegistration()
  .then((registered) => registered ? caches.keys() : [])
  .then((names) => Promise.all(names.map((name) => caches.open(name).then((cache) => cache.keys()))))
  .then((lists) => done(lists.flat().map((request) => new URL(request.url).pathname)))
  .catch((error) => done(String(error)));"""


def pace(engine, layout):
    """The die's faces a second over 2 s of its run, in a page the size of the
    main window: on this machine the browsers draw without a GPU, and in a
    larger page each frame's drawing holds up the die's timer."""
    server, url = browser.serve(web, die_watch=True)
    width, height = layout["Form1"][2:]
    driver = browser.webkit(width, height) if engine == "webkit" else browser.chromium(width=width, height=height)
    try:
        driver.get(url)
        opened(driver, engine)
        time.sleep(1)
        browser.click(driver, *browser.middle(layout["Command4"]))  # roll
        time.sleep(0.3)
        driver.execute_script("window.dieFaces = []")
        time.sleep(2)
        frames = driver.execute_script("const seen = window.dieFaces; window.dieFaces = null; return seen")
        try:
            rate = browser.faces_a_second(frames)
        except ValueError as error:
            fail(f"{engine}: the die's run: {error}")
        if not 90 <= rate <= 110:
            fail(f"{engine}: the die's run showed {rate:.0f} faces a second, not 100")
        print(f"pace: {engine}: {rate:.0f} faces a second, in {len(frames)} frames")
    finally:
        driver.quit()
        server.shutdown()


if check == "pace":
    layout = browser.read_layout(sys.argv[3])
    for engine in ("chromium", "webkit"):
        pace(engine, layout)
    sys.exit(0)

server, url = browser.serve(web)
with tempfile.TemporaryDirectory() as profile:
    driver = browser.chromium(headless=check != "cue", profile=profile)
    try:
        driver.set_script_timeout(30)
        if check == "offline":
            driver.execute_cdp_cmd("Emulation.setDeviceMetricsOverride",
                                   {"width": 1024, "height": 768, "deviceScaleFactor": 2, "mobile": False})
        driver.get(url)
        opened(driver, "online")
        if check == "offline":
            # Drawn at the screen's own pixels, so sharp: the canvas holds two
            # device pixels for each CSS pixel.
            canvas = driver.execute_script("const c = document.getElementById('screen'); return [c.width, c.height]")
            if canvas != [2048, 1536]:
                fail(f"on a screen of 2 device pixels a CSS pixel, the canvas holds {canvas}, not [2048, 1536]")
            wanted = {"/", "/index.html", "/parking-dice.wasm", "/parking-dice.js", "/qtloader.js",
                      "/sounds/pinpon.wav", "/sounds/endpinpon.wav", "/manifest.webmanifest", "/icons/192.png"}
            end = time.monotonic() + 30
            while not wanted <= set(kept := driver.execute_async_script(KEPT)):
                if time.monotonic() > end:
                    fail(f"the service worker keeps {kept}, not {sorted(wanted)}")
                time.sleep(0.5)
            browser.settled(driver, "/dev/null")
            online = driver.get_screenshot_as_png()
            server.shutdown()
            server.server_close()
            driver.refresh()
            opened(driver, "with the server stopped")
            # The chime too comes from the cache.
            status = driver.execute_async_script(
                "fetch('sounds/pinpon.wav').then((r) => arguments[0](r.status), (e) => arguments[0](String(e)))")
            if status != 200:
                fail(f"offline, the chime's fetch gave {status}")
            browser.settled(driver, "/dev/null")
            if driver.get_screenshot_as_png() != online:
                fail("opened offline, the page is not as online")
            print(f"offline: ok, {len(kept)} files kept, the page opened again with the server stopped")
        else:
            time.sleep(1)
            browser.click(driver, *browser.middle(browser.read_layout(sys.argv[3])["Command21"]))  # HELP
            time.sleep(2)
            print("cue: HELP pressed")
    finally:
        driver.quit()
        server.shutdown()
