#!/usr/bin/env python3
"""Writes page-H.html for each height H: 100-pixel rows whose colour encodes the row number,
so a checker can tell a missing, repeated or stale band from the output alone."""
import sys

folder, heights = sys.argv[1], [int(h) for h in sys.argv[2:]]
for height in heights:
    rows = []
    for i in range(height // 100):
        r, g, b = (i * 37) % 256, (i * 91) % 256, (i // 7 * 53) % 256
        rows.append(f'<div style="height:100px;background:rgb({r},{g},{b})"></div>')
    with open(f"{folder}/page-{height}.html", "w") as page:
        page.write('<!DOCTYPE html><html><body style="margin:0">' + "".join(rows) + "</body></html>")
