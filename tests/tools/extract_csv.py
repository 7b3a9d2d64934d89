#!/usr/bin/env python3
"""telmtool extract read back by Python's own csv module, as a data-frame
library or a database loader would read it: the header, one line per amount,
and every amount equal to what telmtool show prints for that row and field.

    extract_csv.py TELMTOOL BLANKI_FOLDER
"""
import csv
import os
import shutil
import subprocess
import sys
import tempfile

COMPANY = "Фирма \"Алфа\", ООД; клон 'Юг'"
FILLS = {
    "Bal": ["510:DocDta_Sum3=-1200", "610:DocDta_Sum3=1234567"],
    "OPP": ["20:DocDta_Sum1=700", "20:DocDta_Sum2=900"],
    "Cap": ["10:DocDta_Sum1=1000", "50:DocDta_Sum8=-180"],
}
HEADER = ["file", "bulstat", "company", "year", "month", "document", "forecast",
          "row", "level", "code", "title", "field", "amount"]


def run(*args):
    return subprocess.run(args, check=True, capture_output=True, encoding="utf-8").stdout


def main():
    telmtool, blanki = sys.argv[1], sys.argv[2]
    with tempfile.TemporaryDirectory() as folder:
        shutil.copytree(blanki, os.path.join(folder, "Blanki"))
        files = []
        for code, sets in FILLS.items():
            args = [telmtool, "fill", "--type", code, "--bulstat", "123456786",
                    "--company", COMPANY, "--year", "2025", "--month", "6",
                    "--folder", folder]
            for entry in sets:
                args += ["--set", entry]
            files.append(run(*args).strip())
        text = subprocess.run([telmtool, "extract", *files], check=True,
                              capture_output=True).stdout.decode("utf-8")
        rows = list(csv.reader(text.splitlines(keepends=True), strict=True))
        assert rows[0] == HEADER, rows[0]
        seen = 0
        for path in files:
            shown = run(telmtool, "show", path).split("\n\n", 1)[1].splitlines()
            fields = shown[0].split("\t")[4:]
            expected = {}
            for line in shown[1:]:
                cells = line.split("\t")
                for field, amount in zip(fields, cells[4:]):
                    expected[(cells[1], field)] = (cells[0], cells[3], amount)
            mine = [r for r in rows[1:] if r[0] == path]
            assert len(mine) == len(expected), (path, len(mine), len(expected))
            for r in mine:
                record = dict(zip(HEADER, r))
                assert record["company"] == COMPANY, record
                assert (record["year"], record["month"], record["forecast"]) == ("2025", "6", "0")
                level, title, amount = expected[(record["row"], record["field"])]
                assert (record["level"], record["title"], record["amount"]) == (level, title, amount), \
                    (record, level, title, amount)
                int(record["amount"])  # a plain integer
                seen += 1
        assert seen == len(rows) - 1
        assert any(r[-1] == "-1200" for r in rows), "a negative amount"
        assert any(r[-1] == "1234567" for r in rows), "an amount without grouping"
    print(f"{seen} amounts read back from {len(files)} files")


if __name__ == "__main__":
    main()
