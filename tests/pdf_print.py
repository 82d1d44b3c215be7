#!/usr/bin/python3
"""pdf_print.py PDF HTML [PDF HTML...]: each PDF, printed from its HTML,
reads as the page means it to:
- it embeds every font it uses, a Japanese one among them, and shows every
  character of the HTML's text and of the SVG pictures it links (the printer
  leaves a blank where no font has a glyph, so such a character is missing
  from the PDF's text);
- no table header breaks inside a word: each word of a header (its parts
  between spaces and <br>) stands whole on one printed line;
- no line of code wraps, and code is printed in a Latin monospace face;
- no line starts with a character that Japanese line-breaking rules keep off
  a line's start, except the quoted lines of the help window, which keep the
  window's own breaks."""
import html
import re
import subprocess
import sys
from pathlib import Path

# Closing brackets, full stops and commas, small kana, the long vowel mark.
NO_LINE_START = set("、。，．・：；？！）」』】］〕｝〉》ー～ぁぃぅぇぉっゃゅょゎァィゥェォッャュョヮヵヶ") | set(")]},.:;?!%")


def run(*command):
    return subprocess.run(command, capture_output=True, text=True, check=True).stdout


def text_of(fragment):
    return html.unescape(re.sub(r"<[^>]*>", "", fragment))


def bare(text):
    return re.sub(r"\s+", "", text)


def shown_text(page, body):
    text = text_of(body)
    for picture in re.findall(r'<img [^>]*src="([^"]+\.svg)"', body):
        svg = (page.parent / picture).read_text(encoding="utf-8")
        text += text_of(" ".join(re.findall(r"<text\b[^>]*>(.*?)</text>", svg, re.S)))
    return text


def check(pdf, page):
    failures = []
    source = page.read_text(encoding="utf-8")
    body = re.sub(r"<(head|style|script)\b.*?</\1>", "", source, flags=re.S)
    fonts = [(row.split()[0].split("+")[-1], row.split()[-5]) for row in run("pdffonts", pdf).splitlines()[2:]]
    failures += [f"{name} is not embedded" for name, embedded in fonts if embedded != "yes"]
    if not any(name.startswith("IPA") for name, _ in fonts):
        failures.append(f"no Japanese font among {[name for name, _ in fonts]}")
    printed_text = run("pdftotext", "-enc", "UTF-8", pdf, "-")
    missing = sorted({c for c in shown_text(page, body) if not c.isspace() and c not in set(printed_text)})
    if missing:
        failures.append("no glyph for " + " ".join(f"{c} (U+{ord(c):04X})" for c in missing))

    printed = [bare(line) for line in printed_text.splitlines()]
    cells = [bare(text_of(cell)) for cell in re.findall(r"<th\b[^>]*>(.*?)</th>", body, re.S)]
    words = {bare(text_of(word)) for cell in re.findall(r"<th\b[^>]*>(.*?)</th>", body, re.S)
             for word in re.split(r"<br\s*/?>|\s+", cell)} - {""}
    # A header printed on two lines is two lines in a row that make up the
    # header; it is broken inside a word if one ends inside a word of it.
    lines = [line for line in printed if line]
    broken = sorted({f"{first}／{second}" for first, second in zip(lines, lines[1:])
                     if any(first + second in cell for cell in cells) for word in words
                     for cut in range(1, len(word)) if first.endswith(word[:cut]) and second.startswith(word[cut:])})
    if broken:
        failures.append(f"table headers broken inside a word: {broken}")
    code = [bare(text_of(line)) for block in re.findall(r"<pre\b[^>]*>(.*?)</pre>", body, re.S)
            for line in block.split("\n")]
    wrapped = [line for line in code if line and not any(line in printed_line for printed_line in printed)]
    if wrapped:
        failures.append(f"code lines wrapped: {wrapped}")
    if code and not any(name.startswith("DejaVu-Sans-Mono") for name, _ in fonts):
        failures.append("code is not printed in DejaVu Sans Mono")
    quoted = {bare(text_of(line)) for block in re.findall(r'<div class="line-block">(.*?)</div>', body, re.S)
              for line in re.split(r"<br\s*/?>", block)}
    # Laid out, a printed line is one line across the page, whatever gaps it has.
    laid_out = [bare(line) for line in run("pdftotext", "-layout", "-enc", "UTF-8", pdf, "-").splitlines()]
    starts = [line for line in laid_out if line and line[0] in NO_LINE_START and line not in quoted]
    if starts:
        failures.append(f"lines start against the line-breaking rules: {starts}")
    print(f"{pdf}: fonts {', '.join(sorted({name for name, _ in fonts}))}; every character shown; "
          f"{len(words)} header words whole, {len(code)} code lines unwrapped, no line starts against the rules")
    return [f"{pdf}: {failure}" for failure in failures]


failures = []
for pdf, page in zip(sys.argv[1::2], sys.argv[2::2]):
    failures += check(pdf, Path(page))
if failures:
    print("FAIL: " + "; ".join(failures), file=sys.stderr, flush=True)
    sys.exit(1)
