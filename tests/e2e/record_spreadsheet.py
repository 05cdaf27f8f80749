#!/usr/bin/env python3
"""Reads a record file saved by the real program (two saves of the default result) the
way spreadsheet users will: with Python's csv module and with LibreOffice Calc.
Usage: record_spreadsheet.py RECORD.csv"""
import csv
import html.parser
import os
import shutil
import subprocess
import sys
import tempfile

HEADER = ["时间", "工具", "睁眼(E) 1-4", "语言(V) 1-5", "运动(M) 1-6", "结果"]
RESULT = "GCS 总分：12 分\r\n睁眼得分：3\r\n运动得分：5\r\n"
RECORD_TAIL = ["格拉斯哥昏迷评分 GCS", "睁眼(E) 1-4=3", "语言(V) 1-5=4", "运动(M) 1-6=5"]

failures = []


def check(what, condition):
    print(("ok   " if condition else "FAIL ") + what)
    if not condition:
        failures.append(what)


def check_rows(reader, rows, result):
    check(reader + ": three rows", len(rows) == 3)
    check(reader + ": header cells", rows[0] == HEADER)
    for row in rows[1:]:
        check(reader + ": record has six cells", len(row) == 6)
        check(reader + ": time cell", len(row[0]) == 19 and row[0][4] == "-" and row[0][13] == ":")
        check(reader + ": tool and input cells", row[1:5] == RECORD_TAIL)
        check(reader + ": multi-line result in one cell", row[5] == result)


class TableCells(html.parser.HTMLParser):
    def __init__(self):
        super().__init__()
        self.rows, self.cell = [], None

    def handle_starttag(self, tag, attrs):
        if tag == "tr":
            self.rows.append([])
        elif tag == "td":
            self.cell = ""
        elif tag == "br" and self.cell is not None:
            self.cell += "\n"

    def handle_endtag(self, tag):
        if tag == "td" and self.cell is not None:
            self.rows[-1].append(self.cell)
            self.cell = None

    def handle_data(self, data):
        if self.cell is not None:
            self.cell += data


def main():
    path = sys.argv[1]
    with open(path, newline="", encoding="utf-8-sig") as f:
        check_rows("python csv", list(csv.reader(f)), RESULT)

    soffice = shutil.which("soffice") or shutil.which("libreoffice")
    check("LibreOffice Calc is installed", soffice is not None)
    if soffice:
        with tempfile.TemporaryDirectory() as work:
            profile = "file://" + os.path.join(work, "profile")
            subprocess.run([soffice, "-env:UserInstallation=" + profile, "--headless", "--infilter=CSV:44,34,76,1",
                            "--convert-to", "html", "--outdir", work, path],
                           check=True, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, timeout=180)
            name = os.path.splitext(os.path.basename(path))[0] + ".html"
            with open(os.path.join(work, name), encoding="utf-8", errors="replace") as f:
                table = TableCells()
                table.feed(f.read())
            rows = [[c.strip("\n") for c in row] for row in table.rows if any(row)]
            # Calc shows each line break of the cell as one; the trailing one is dropped.
            check_rows("LibreOffice Calc", rows, RESULT.replace("\r\n", "\n").rstrip("\n"))
    print("%d failure(s)" % len(failures))
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
