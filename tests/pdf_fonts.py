#!/usr/bin/python3
"""pdf_fonts.py PDF HTML [PDF HTML...]: each PDF, printed from its HTML,
embeds every font it uses, a Japanese one among them, and shows every
character of the HTML's text and of the SVG pictures it links. The printer
leaves a blank where no font has a glyph, so such a character is missing from
the PDF's text."""
import html
import re
import subprocess
import sys
from pathlib import Path


def run(*command):
    return subprocess.run(command, capture_output=True, text=True, check=True).stdout


def shown_text(page):
    source = page.read_text(encoding="utf-8")
    body = re.sub(r"<(head|style|script)\b.*?</\1>", "", source, flags=re.S)
    text = html.unescape(re.sub(r"<[^>]*>", "", body))
    for picture in re.findall(r'<img [^>]*src="([^"]+\.svg)"', body):
        svg = (page.parent / picture).read_text(encoding="utf-8")
        text += html.unescape(" ".join(re.findall(r"<text\b[^>]*>(.*?)</text>", svg, re.S)))
        text = re.sub(r"<[^>]*>", "", text)
    return text


failures = []
for pdf, page in zip(sys.argv[1::2], sys.argv[2::2]):
    fonts = [(row.split()[0].split("+")[-1], row.split()[-5]) for row in run("pdffonts", pdf).splitlines()[2:]]
    failures += [f"{pdf}: {name} is not embedded" for name, embedded in fonts if embedded != "yes"]
    if not any(name.startswith("IPA") for name, _ in fonts):
        failures.append(f"{pdf}: no Japanese font among {[name for name, _ in fonts]}")
    printed = set(run("pdftotext", "-enc", "UTF-8", pdf, "-"))
    missing = sorted({c for c in shown_text(Path(page)) if not c.isspace() and c not in printed})
    if missing:
        failures.append(f"{pdf}: no glyph for " + " ".join(f"{c} (U+{ord(c):04X})" for c in missing))
    print(f"{pdf}: fonts {', '.join(sorted({name for name, _ in fonts}))}; every character shown")
if failures:
    print("FAIL: " + "; ".join(failures), file=sys.stderr)
    sys.exit(1)
