"""Prints, for every control of the program that shows on the screen, its role,
name and screen extents, one per line: ROLE<TAB>NAME<TAB>X Y W H."""
import sys
import time

import pyatspi

from a11y_tree import application, walk


end = time.monotonic() + 15
app = application()
while app is None and time.monotonic() < end:
    time.sleep(0.1)
    app = application()
if app is None:
    sys.exit("the program is not on the accessibility bus")
for node in walk(app):
    if node.getState().contains(pyatspi.STATE_SHOWING) and node.getRole() != pyatspi.ROLE_APPLICATION:
        box = node.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
        print(f"{node.getRoleName()}\t{node.name}\t{box.x} {box.y} {box.width} {box.height}")
