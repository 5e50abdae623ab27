"""Reads a PDF as a reader sees it (pdftotext -bbox) and lists the words whose boxes overlap on a page.

usage: pdf_word_overlaps.py FILE.pdf
Prints "pages words overlaps" and then one line per overlap: page, the two words and their boxes.
Boxes shrink by 0.15 pt on each side first, so that words that merely touch (a line's neighbours, a
table's rows) do not count. Exits 1 when pdftotext fails.
"""
import re
import subprocess
import sys
from html import unescape

SHRINK = 0.15

out = subprocess.run(["pdftotext", "-bbox", sys.argv[1], "-"], capture_output=True, text=True, check=True).stdout
pages = out.split("<page ")[1:]
word_re = re.compile(r'<word xMin="([\d.]+)" yMin="([\d.]+)" xMax="([\d.]+)" yMax="([\d.]+)">(.*?)</word>')
total = 0
overlaps = []
for number, page in enumerate(pages, 1):
    words = [(float(a) + SHRINK, float(b) + SHRINK, float(c) - SHRINK, float(d) - SHRINK, unescape(t))
             for a, b, c, d, t in word_re.findall(page)]
    total += len(words)
    for i in range(len(words)):
        x0, y0, x1, y1, t = words[i]
        for j in range(i + 1, len(words)):
            u0, v0, u1, v1, s = words[j]
            if x0 < u1 and u0 < x1 and y0 < v1 and v0 < y1:
                overlaps.append("%d %s [%.1f %.1f %.1f %.1f] %s [%.1f %.1f %.1f %.1f]" %
                                (number, t, x0, y0, x1, y1, s, u0, v0, u1, v1))
print(len(pages), total, len(overlaps))
for line in overlaps:
    print(line)
