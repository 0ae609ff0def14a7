"""Reads a CSV file with Python's csv module (UTF-8 with its byte-order mark)
and prints its records as JSON lists of texts."""
import csv
import json
import sys

with open(sys.argv[1], newline="", encoding="utf-8-sig") as f:
    print(json.dumps(list(csv.reader(f)), ensure_ascii=False))
