#!/usr/bin/python3
"""class_tally.py [TALLY.xlsx]: the class tally (made here by
tools/class_tally.py unless given), filled in as a teacher would, opened by
LibreOffice headless, recalculated there and read back: the class's means and
pairs, and the expected figures it looks up for the class's rolls."""
import csv
import os
import subprocess
import sys
import tempfile
import zipfile
from pathlib import Path

from openpyxl import load_workbook

root = Path(__file__).resolve().parent.parent
sys.path.insert(0, str(root / "tools"))
import expected_moves as em  # noqa: E402

# Seventeen pairs after 20 rolls; pair 5 came out backwards, pair 9 even, and
# row 8 is a pair that has not reported yet.
PAIRS = [(7, 3), (9, 2), (5, 4), (8, 3), (3, 5), (6, 2), (10, 4), (None, None), (4, 4), (7, 1),
         (6, 3), (8, 2), (5, 2), (9, 3), (7, 5), (6, 1), (8, 4), (5, 3)]
# The sheet's results are LibreOffice's own: it is told to recalculate on load,
# whatever results a file holds.
RECALCULATE = """<?xml version="1.0" encoding="UTF-8"?>
<oor:items xmlns:oor="http://openoffice.org/2001/registry" xmlns:xs="http://www.w3.org/2001/XMLSchema"
  xmlns:xsi="http://www.w3.org/2001/XMLSchema-instance">
<item oor:path="/org.openoffice.Office.Calc/Formula/Load"><prop oor:name="OOXMLRecalcMode" oor:op="fuse"><value>0</value></prop></item>
</oor:items>
"""
failures = []


def expect(what, got, wanted):
    print(f"{what}: {got}" + ("" if got == wanted else f", expected {wanted}"))
    if got != wanted:
        failures.append(what)


def expect_near(what, got, wanted):
    """A figure read back unrounded (the sheet shows one decimal)."""
    print(f"{what}: {got}, expected {wanted:.6f}")
    if abs(float(got) - wanted) > 1e-6:
        failures.append(what)


with tempfile.TemporaryDirectory() as scratch:
    scratch = Path(scratch)
    tally = Path(sys.argv[1]) if len(sys.argv) > 1 else scratch / "class-tally.xlsx"
    if len(sys.argv) == 1:
        subprocess.run(["/usr/bin/python3", root / "tools/class_tally.py", tally], check=True)
    with zipfile.ZipFile(tally) as parts:
        expect("the tally has a chart", any(name.startswith("xl/charts/chart") for name in parts.namelist()), True)

    book = load_workbook(tally)
    sheet = book["集計"]
    sheet["C3"] = 20
    for row, (number, (left, right)) in enumerate(zip(range(1, len(PAIRS) + 1), PAIRS), 6):
        if left is not None:
            sheet.cell(row, 1, number), sheet.cell(row, 3, left), sheet.cell(row, 4, right)
    filled = scratch / "filled.xlsx"
    book.save(filled)

    profile = scratch / "profile"
    (profile / "user").mkdir(parents=True)
    (profile / "user/registrymodifications.xcu").write_text(RECALCULATE)
    subprocess.run(
        ["soffice", f"-env:UserInstallation={profile.as_uri()}", "--headless", "--norestore",
         "--convert-to", "csv:Text - txt - csv (StarCalc):44,34,76,1,,0,false,true,false", "--outdir", str(scratch), str(filled)],
        check=True, capture_output=True, timeout=180, env=dict(os.environ, HOME=str(scratch)))
    rows = list(csv.reader((scratch / "filled.csv").open(encoding="utf-8")))
    shown = {row[6]: row[7:9] for row in rows if len(row) > 8 and row[6]}

    reported = [pair for pair in PAIRS if pair[0] is not None]
    lefts, rights = [left for left, _ in reported], [right for _, right in reported]
    expect("pairs", shown["組の数"][0], str(len(reported)))
    expect_near("the class's left mean", shown["左の平均"][0], sum(lefts) / len(lefts))
    expect_near("the class's right mean", shown["右の平均"][0], sum(rights) / len(rights))
    expect("pairs each way", [shown[name][0] for name in ("右が少ない組", "同じ組", "右が多い組")], ["15", "1", "1"])
    joint = em.joint_distributions()[19]
    expect_near("the expected left mean", shown["左の平均"][1], float(em.mean(em.fixed_distributions()[19])))
    expect_near("the expected pairs with right more", shown["右が多い組"][1], float(em.order_chances(joint)[2]) * len(reported))
    expect_near("the class's share at left - right = 4", shown["4"][0], 100 * sum(l - r == 4 for l, r in reported) / len(reported))
    expect_near("the expected share at left - right = 0", shown["0"][1], float(em.differences(joint)[0]) * 100)
if failures:
    print("FAIL: " + ", ".join(failures), file=sys.stderr)
    sys.exit(1)
