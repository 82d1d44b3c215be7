"""Prints, for every control of the program that shows on the screen, its role,
name and screen extents, one per line: ROLE<TAB>NAME<TAB>X Y W H."""
import pyatspi

from a11y_tree import program, showing, walk


for node in walk(program(15)):
    if showing(node) and node.getRole() != pyatspi.ROLE_APPLICATION:
        box = node.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
        print(f"{node.getRoleName()}\t{node.name}\t{box.x} {box.y} {box.width} {box.height}")
