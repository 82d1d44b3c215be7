#!/usr/bin/python3
"""The guide gives the help window's text whole: each line of the window, in
order and to the code point, as a line of the guide's quoted text."""
import re
import sys
from pathlib import Path

root = Path(__file__).resolve().parent.parent
source = (root / "ui/help/help_text.cpp").read_text(encoding="utf-8")
window = [line for line in re.findall(r'QStringLiteral\("([^"]*)"\)', source) if line]
guide = (root / "docs/guide.md").read_text(encoding="utf-8")
quoted = re.findall(r"^\| (.*)$", guide.split('<div class="help-text">')[1].split("</div>")[0], re.M)
if quoted != window or len(window) < 30:
    missing = [line for line in window if line not in quoted]
    print(f"FAIL: the guide quotes {len(quoted)} lines of the window's {len(window)}; differing: {missing[:3]}")
    sys.exit(1)
print(f"the guide quotes all {len(window)} lines of the help window")
