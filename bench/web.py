"""The web build's figures in headless Chromium on this machine: what a
device downloads (as stored and as a server sends it gzip-compressed), the
page's load to the program's first frame, cold (a new profile: nothing kept)
and warm (reloaded: the service worker's cache and the compiled code kept),
the die's faces a second as the frames show them, and the page's main-thread
task time at rest and while the die runs, per face (drawing included: Qt
paints the page through WebGL, here Chromium's software renderer). It only
measures.
    bench/web.py WEB_FOLDER [RUNS]"""
import gzip
import os
import statistics
import sys
import tempfile
import time

sys.path.insert(0, os.path.join(os.path.dirname(__file__), "..", "tests", "e2e"))
import browser  # noqa: E402

web = sys.argv[1]
runs = int(sys.argv[2]) if len(sys.argv) > 2 else 5

# The moment of the first frame: the first animation frame after the loader
# shows the program's canvas, from the navigation's start.
FIRST_FRAME = """
new MutationObserver((changes, watch) => {
  const screen = document.getElementById("screen");
  if (screen && screen.style.display == "block") {
    watch.disconnect();
    requestAnimationFrame(() => requestAnimationFrame(() => { window.firstFrameMs = performance.now(); }));
  }
}).observe(document, {subtree: true, attributes: true, attributeFilter: ["style"]});
"""


def first_frame(driver):
    end = time.monotonic() + 60
    while (shown := driver.execute_script("return window.firstFrameMs")) is None:
        if time.monotonic() > end:
            raise SystemExit("the program did not open")
        time.sleep(0.02)
    return shown


def task_seconds(driver):
    """The page's main-thread task time so far (Chromium's own count)."""
    metrics = driver.execute_cdp_cmd("Performance.getMetrics", {})["metrics"]
    return next(m["value"] for m in metrics if m["name"] == "TaskDuration")


def spread(values, digits=0):
    return f"{statistics.median(values):.{digits}f} ({min(values):.{digits}f}-{max(values):.{digits}f})"


files = [os.path.join(folder, name) for folder, _, names in os.walk(web) for name in names]
stored = sum(os.path.getsize(f) for f in files)
sent = sum(len(gzip.compress(open(f, "rb").read(), 9)) for f in files)
wasm = os.path.join(web, "parking-dice.wasm")
print(f"| download, all {len(files)} files, KB | {stored / 1000:.0f} | gzip -9: {sent / 1000:.0f} |")
print(f"| of it parking-dice.wasm, KB | {os.path.getsize(wasm) / 1000:.0f} | gzip -9: "
      f"{len(gzip.compress(open(wasm, 'rb').read(), 9)) / 1000:.0f} |")

server, url = browser.serve(web, die_watch=True)
cold, warm, per_face, at_rest, rates = [], [], [], [], []
layout_roll, layout_stop = (72 + 72, 256 + 16), (224 + 72, 256 + 16)  # Command4, Command1
for _ in range(runs):
    with tempfile.TemporaryDirectory() as profile:
        driver = browser.chromium(profile=profile, width=1024, height=768)
        try:
            driver.execute_cdp_cmd("Page.addScriptToEvaluateOnNewDocument", {"source": FIRST_FRAME})
            driver.get(url)
            cold.append(first_frame(driver))
            driver.execute_async_script("navigator.serviceWorker.ready.then(() => arguments[0]())")
            time.sleep(1)
            driver.refresh()
            warm.append(first_frame(driver))
            time.sleep(1)
            driver.execute_cdp_cmd("Performance.enable", {})
            resting = task_seconds(driver)
            time.sleep(3)
            at_rest.append((task_seconds(driver) - resting) / 3 * 100)
            browser.click(driver, *layout_roll)
            time.sleep(0.5)
            before, seconds = task_seconds(driver), 5
            time.sleep(seconds)
            running = task_seconds(driver) - before
            # The faces a second, watched once the CPU is read: looking at
            # each frame costs the page a little time of its own.
            driver.execute_script("window.dieFaces = []")
            time.sleep(2)
            rates.append(browser.faces_a_second(driver.execute_script("return window.dieFaces")))
            per_face.append(running / (seconds * rates[-1]) * 1e6)
            browser.click(driver, *layout_stop)
        finally:
            driver.quit()
server.shutdown()
print(f"| page load to the first frame, cold (new profile), ms ({runs}) | {spread(cold)} |")
print(f"| page load to the first frame, warm (reloaded), ms ({runs}) | {spread(warm)} |")
print(f"| CPU at rest in the page's main thread, % of a core (3 s, {runs}) | {spread(at_rest, 1)} |")
print(f"| the die's faces a second (2 s, {runs}) | {spread(rates)} |")
print(f"| CPU per die face in the page's main thread, µs (5 s, {runs}) | {spread(per_face)} |")
