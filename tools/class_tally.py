#!/usr/bin/python3
"""class_tally.py OUT.xlsx: writes the class tally that a teacher fills in
during the lesson: a row for each pair, the class's mean of both counts, how
many pairs came out each way, and a chart of the class's left - right beside
the distribution worked out exactly (expected_moves.py) for the number of
rolls the class made. Every result is a formula, so the sheet recalculates as
the teacher types, in any spreadsheet that opens XLSX."""
import sys
from pathlib import Path

from openpyxl import Workbook
from openpyxl.chart import BarChart, Reference
from openpyxl.styles import Alignment, Border, Font, PatternFill, Side
from openpyxl.worksheet.datavalidation import DataValidation

sys.path.insert(0, str(Path(__file__).resolve().parent))
import expected_moves as em  # noqa: E402

PAIRS = 40
FIRST = 6  # the first pair's row
LAST = FIRST + PAIRS - 1
ROLLS_CELL = "$C$3"
FONT = "IPAPGothic"


def expected_sheet(book):
    """The worked-out figures, a column for each number of rolls: the means,
    the chances of each order and of each left - right, in per cent."""
    sheet = book.create_sheet("計算")
    joint = em.joint_distributions()
    fixed, free = em.fixed_distributions(), em.back_first_distributions()
    diffs = {n: em.differences(joint[n - 1]) for n in em.TABLE_ROLLS}
    shown = sorted(d for d in set().union(*diffs.values()) if max(float(diffs[n].get(d, 0)) for n in diffs) >= 0.0005)
    sheet.append(["振った回数", *em.TABLE_ROLLS])
    sheet.append(["左の平均", *(float(em.mean(fixed[n - 1])) for n in em.TABLE_ROLLS)])
    sheet.append(["右の平均", *(float(em.mean(free[n - 1])) for n in em.TABLE_ROLLS)])
    orders = [em.order_chances(joint[n - 1]) for n in em.TABLE_ROLLS]
    for index, name in enumerate(("右が少ない（%）", "同じ（%）", "右が多い（%）")):
        sheet.append([name, *(float(chances[index]) * 100 for chances in orders)])
    sheet.append([])
    sheet.append(["左 − 右", *(f"{n}回（%）" for n in em.TABLE_ROLLS)])
    for d in shown:
        sheet.append([d, *(float(diffs[n].get(d, 0)) * 100 for n in em.TABLE_ROLLS)])
    for row in sheet.iter_rows(min_row=2, min_col=2):
        for cell in row:
            cell.number_format = "0.000"
    sheet.column_dimensions["A"].width = 16
    for column in "BCDE":
        sheet.column_dimensions[column].width = 11
    return shown


def looked_up(row, times=""):
    """The 計算 sheet's figure in ROW for the rolls the class made."""
    return f"=IFERROR(HLOOKUP({ROLLS_CELL},'計算'!$B$1:$E${row},{row},FALSE){times},\"\")"


def tally(path):
    book = Workbook()
    sheet = book.active
    sheet.title = "集計"
    shown = expected_sheet(book)
    bold, thin = Font(name=FONT, bold=True), Side(style="thin")
    box, header_fill = Border(thin, thin, thin, thin), PatternFill("solid", fgColor="E8E8E8")

    sheet["A1"] = "駐車場のサイコロ実験　クラスの集計"
    sheet["A1"].font = Font(name=FONT, bold=True, size=14)
    sheet["A3"], sheet["C3"], sheet["D3"] = "振った回数", 20, "← 10・20・30・40 のどれか"
    sheet.merge_cells("A3:B3")
    rolls = DataValidation(type="list", formula1='"10,20,30,40"', allow_blank=False)
    sheet.add_data_validation(rolls)
    rolls.add("C3")
    sheet["C3"].font, sheet["C3"].border = bold, box

    headers = ["組", "名前", "左のどかし回数", "右のどかし回数", "左 − 右"]
    for column, text in enumerate(headers, 1):
        cell = sheet.cell(FIRST - 1, column, text)
        cell.font, cell.fill, cell.border = bold, header_fill, box
        cell.alignment = Alignment(horizontal="center")
    for row in range(FIRST, LAST + 1):
        sheet.cell(row, 5, f'=IF(AND(ISNUMBER(C{row}),ISNUMBER(D{row})),C{row}-D{row},"")')
        for column in range(1, 6):
            sheet.cell(row, column).border = box
    counts, diffs = f"$C${FIRST}:$C${LAST}", f"$E${FIRST}:$E${LAST}"

    # The class's results beside the figures worked out for its rolls.
    summary = [
        ("組の数", f"=COUNT({diffs})", None),
        ("左の平均", f'=IF(COUNT({counts})=0,"",AVERAGE({counts}))', looked_up(2)),
        ("右の平均", f'=IF(COUNT($D${FIRST}:$D${LAST})=0,"",AVERAGE($D${FIRST}:$D${LAST}))', looked_up(3)),
        # How many of the class's pairs the chances give for each order.
        ("右が少ない組", f'=COUNTIF({diffs},">0")', looked_up(4, f"*$H${FIRST}/100")),
        ("同じ組", f"=COUNTIF({diffs},0)", looked_up(5, f"*$H${FIRST}/100")),
        ("右が多い組", f'=COUNTIF({diffs},"<0")', looked_up(6, f"*$H${FIRST}/100")),
    ]
    for column, text in ((7, "クラスの結果"), (8, "クラス"), (9, "計算での予想")):
        cell = sheet.cell(FIRST - 1, column, text)
        cell.font, cell.fill, cell.border = bold, header_fill, box
    for offset, (name, result, expected) in enumerate(summary):
        row = FIRST + offset
        sheet.cell(row, 7, name).border = box
        sheet.cell(row, 8, result).border = box
        sheet.cell(row, 9, expected).border = box
        sheet.cell(row, 8).number_format = "0.0" if offset in (1, 2) else "0"
        sheet.cell(row, 9).number_format = "0.0"

    # The class's share of pairs at each left - right, and the expected one.
    top = FIRST + len(summary) + 2
    for column, text in ((7, "左 − 右"), (8, "クラス（%）"), (9, "計算（%）")):
        cell = sheet.cell(top, column, text)
        cell.font, cell.fill, cell.border = bold, header_fill, box
    for index, d in enumerate(shown):
        row = top + 1 + index
        sheet.cell(row, 7, d).border = box
        sheet.cell(row, 8, f"=IF($H${FIRST}=0,0,COUNTIF({diffs},G{row})/$H${FIRST}*100)").border = box
        sheet.cell(row, 9, looked_up(9 + index)).border = box
        sheet.cell(row, 8).number_format = sheet.cell(row, 9).number_format = "0.0"
    bottom = top + len(shown)

    chart = BarChart()
    chart.title = "左 − 右 の分布"
    chart.x_axis.title, chart.y_axis.title = "左のどかし回数 − 右のどかし回数", "組の割合（%）"
    chart.add_data(Reference(sheet, min_col=8, max_col=9, min_row=top, max_row=bottom), titles_from_data=True)
    chart.set_categories(Reference(sheet, min_col=7, min_row=top + 1, max_row=bottom))
    chart.width, chart.height = 22, 10
    sheet.add_chart(chart, "K5")

    for column, width in zip("ABCDEFGHI", (6, 18, 15, 15, 9, 3, 14, 10, 20)):
        sheet.column_dimensions[column].width = width
    sheet.freeze_panes = f"A{FIRST}"
    # Printed, the whole sheet and its chart on one landscape page.
    sheet.page_setup.orientation, sheet.page_setup.paperSize = "landscape", sheet.PAPERSIZE_A4
    sheet.sheet_properties.pageSetUpPr.fitToPage = True
    sheet.page_setup.fitToWidth, sheet.page_setup.fitToHeight = 1, 1
    book.save(path)


if __name__ == "__main__":
    if len(sys.argv) != 2:
        sys.exit(__doc__)
    tally(sys.argv[1])
