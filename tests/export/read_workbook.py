"""Reads a workbook with openpyxl and prints what a user would find in it as
JSON: per sheet, every cell's value (a number, a text or null) and number
format, whether the header row is bold, the frozen cell, the column widths
and the page set-up."""
import json
import sys

import openpyxl
from openpyxl.utils import get_column_letter


def sheet_json(ws):
    cells = []
    for row in ws.iter_rows():
        cells.append([{"value": c.value, "format": c.number_format} for c in row])
    header_bold = [ws.cell(row=1, column=c).font.b for c in range(1, ws.max_column + 1)]
    widths = [ws.column_dimensions[get_column_letter(c)].width for c in range(1, ws.max_column + 1)]
    return {
        "cells": cells,
        "header_bold": header_bold,
        "freeze_panes": ws.freeze_panes,
        "widths": widths,
        "orientation": ws.page_setup.orientation,
        "paper_size": int(ws.page_setup.paperSize) if ws.page_setup.paperSize is not None else None,
        "print_title_rows": ws.print_title_rows,
        "print_grid_lines": bool(ws.print_options.gridLines),
        "fit_to_page": bool(ws.sheet_properties.pageSetUpPr and ws.sheet_properties.pageSetUpPr.fitToPage),
        # Excel's defaults where the file leaves them out: one page wide, one page tall.
        "fit_to_width": 1 if ws.page_setup.fitToWidth is None else int(ws.page_setup.fitToWidth),
        "fit_to_height": 1 if ws.page_setup.fitToHeight is None else int(ws.page_setup.fitToHeight),
    }


def main():
    wb = openpyxl.load_workbook(sys.argv[1])
    print(json.dumps({"sheets": wb.sheetnames, "content": {ws.title: sheet_json(ws) for ws in wb.worksheets}},
                     ensure_ascii=False))


main()
