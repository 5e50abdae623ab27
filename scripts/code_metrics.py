#!/usr/bin/python3
"""Measures the code base: lines per folder, function lengths (median and 90th percentile), the longest
source files and the include arrows between folders. Run from the top of the repository."""
import collections
import pathlib
import re
import statistics
import subprocess

FOLDERS = ["text", "core", "graphics", "export", "ui", "cli", "tests", "bench"]
PRODUCT = ["text", "core", "graphics", "export", "ui", "cli"]

files = [pathlib.Path(f) for f in subprocess.run(["git", "ls-files", "*.cpp", "*.h"], capture_output=True,
                                                 text=True, check=True).stdout.split()]


def folder_of(path):
    top = path.parts[0]
    if top == "ui" and len(path.parts) > 1 and path.parts[1] == "text":
        return "ui/text"
    return top


lines = collections.Counter()
for f in files:
    lines[folder_of(f)] += sum(1 for _ in f.open(encoding="utf-8", errors="replace"))
print("lines per folder:")
for name in sorted(lines):
    print(f"  {name:10s} {lines[name]:6d}")
print(f"  {'all':10s} {sum(lines.values()):6d}")

# A function body opens with "{" alone on its line (braces after functions are wrapped) and ends with the
# "}" at the same indentation.
lengths = []
for f in files:
    if folder_of(f) not in PRODUCT + ["ui/text"]:
        continue
    text = f.read_text(encoding="utf-8", errors="replace").splitlines()
    for i, line in enumerate(text):
        m = re.fullmatch(r"( *)\{", line)
        if not m or i == 0 or not re.search(r"(\)|const|override|noexcept)\s*$", text[i - 1]):
            continue
        indent = m.group(1)
        for j in range(i + 1, len(text)):
            if text[j] == indent + "}" or text[j].startswith(indent + "};"):
                lengths.append(j - i + 2)  # signature line, braces and body
                break
lengths.sort()
if lengths:
    p90 = lengths[int(0.9 * (len(lengths) - 1))]
    print(f"functions in product code: {len(lengths)}, median {statistics.median(lengths):.0f} lines, "
          f"90th percentile {p90} lines, longest {lengths[-1]} lines")

print("source files over 600 lines:")
for f in files:
    if folder_of(f) in PRODUCT + ["ui/text"]:
        n = sum(1 for _ in f.open(encoding="utf-8", errors="replace"))
        if n > 600:
            print(f"  {f} {n}")

arrows = collections.Counter()
for f in files:
    src = folder_of(f)
    for inc in re.findall(r'^#include "([^"]+)"', f.read_text(encoding="utf-8", errors="replace"), re.M):
        dst = folder_of(pathlib.Path(inc))
        if dst != src:
            arrows[(src, dst)] += 1
print("include arrows between folders (files including):")
for (src, dst), n in sorted(arrows.items()):
    print(f"  {src:8s} -> {dst:8s} {n:4d}")
