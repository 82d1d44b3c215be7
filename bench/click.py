# Clicks the left button at X Y of the screen through the XTEST extension,
# as xdotool does, and writes the monotonic clock (ns) taken just before the
# press into STAMP. Opening the display and moving the pointer come first,
# so the stamp is the click itself, not a tool's start (tens of ms here).
#   click.py X Y STAMP
import ctypes, ctypes.util, sys, time

x, y, stamp = int(sys.argv[1]), int(sys.argv[2]), sys.argv[3]
xlib = ctypes.CDLL(ctypes.util.find_library("X11"))
xtest = ctypes.CDLL(ctypes.util.find_library("Xtst"))
xlib.XOpenDisplay.restype = ctypes.c_void_p
xlib.XSync.argtypes = [ctypes.c_void_p, ctypes.c_int]
xtest.XTestFakeMotionEvent.argtypes = [ctypes.c_void_p, ctypes.c_int, ctypes.c_int, ctypes.c_int, ctypes.c_ulong]
xtest.XTestFakeButtonEvent.argtypes = [ctypes.c_void_p, ctypes.c_uint, ctypes.c_int, ctypes.c_ulong]
display = xlib.XOpenDisplay(None)
if not display:
    sys.exit("no display")
xtest.XTestFakeMotionEvent(display, -1, x, y, 0)
xlib.XSync(display, 0)
time.sleep(0.05)  # the program sees the pointer arrive before the press
clicked = time.clock_gettime_ns(time.CLOCK_MONOTONIC)
xtest.XTestFakeButtonEvent(display, 1, 1, 0)
xtest.XTestFakeButtonEvent(display, 1, 0, 0)
xlib.XSync(display, 0)
open(stamp, "w").write(str(clicked))
