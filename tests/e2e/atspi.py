"""Reads the main window over AT-SPI, as a screen reader does, and plays one
roll through AT-SPI's actions."""
import time

import pyatspi

from a11y_tree import enabled, fail, first_result, press, program, showing, wait_for, walk


def controls(app):
    return {node.name: node for node in walk(app) if node.name}


app = program()
found = wait_for("main window controls", lambda: len(controls(app)) > 60 and controls(app), 15)

roll, stop = found.get("サイコロころがる"), found.get("サイコロ止まる")
if roll is None or stop is None:
    fail("die buttons not found: " + ", ".join(sorted(found)))
for node in (roll, stop):
    if node.getRole() != pyatspi.ROLE_PUSH_BUTTON:
        fail(node.name + " is not a push button")
if not enabled(roll) or enabled(stop):
    fail("at rest roll must be enabled and stop disabled")

expected = {
    "固定するとき 駐車位置3 空き": pyatspi.ROLE_PUSH_BUTTON,
    "固定しないとき 駐車位置1 空き": pyatspi.ROLE_PUSH_BUTTON,
    "固定するとき どかし回数 上へ 現在0": pyatspi.ROLE_PUSH_BUTTON,
    "固定しないとき どかし回数 下へ 現在0": pyatspi.ROLE_PUSH_BUTTON,
    "1回目 まだ振っていません": pyatspi.ROLE_LABEL,
    "サイコロの目 1": pyatspi.ROLE_IMAGE,
    "終了": pyatspi.ROLE_PUSH_BUTTON,
}
for name, role in expected.items():
    node = found.get(name)
    if node is None:
        fail("nothing is named " + name)
    if node.getRole() != role:
        fail(f"{name} has role {node.getRoleName()}")

# What cannot be seen is not shown to the reader either.
if not showing(found["サイコロの目 1"]):
    fail("the die face on view is not showing")
hidden = [n for n in walk(app) if n.name.startswith("車（") and showing(n)]
if hidden:
    fail("hidden car pictures are announced: " + hidden[0].name)

press(roll)
wait_for("running die", lambda: enabled(stop), 5)
if enabled(roll):
    fail("roll stays enabled while the die runs")
time.sleep(0.2)
press(stop)
cell = wait_for("result in the first log cell", lambda: first_result(app), 5)
print("log cell reads:", cell.name)

# The help text reaches the reader as text.
press(found["HELP"])


def help_text():
    for node in walk(app):
        if node.name == "設問と操作方法":
            try:
                text = node.queryText()
            except NotImplementedError:
                return None
            return text.getText(0, text.characterCount) or None
    return None


text = wait_for("help text", help_text, 5)
if "【問　　題】" not in text or "【操作方法】" not in text or len(text.split("\n")) != 34:
    fail("the help text reads: " + text[:80])
print("atspi: ok")
