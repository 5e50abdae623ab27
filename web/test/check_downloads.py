#!/usr/bin/python3
"""Checks the files the page downloaded, as the desktop's output tests check theirs.

usage: check_downloads.py TRUE_SIZE.dxf SETTING_OUT.pdf SEMI_MAJOR_AXIS_MM
The true-size DXF must read with ezdxf, be in millimetres ($INSUNITS 4), hold its hour points as POINT
entities on their own layer, reaching the semi-major axis; the setting-out PDF's text must name the stakes,
the string method and a scale. Prints one line per failed check and exits 1 when any failed.
"""
import subprocess
import sys

import ezdxf


def check_dxf(path: str, axis_mm: float) -> list[str]:
    failures = []
    try:
        doc = ezdxf.readfile(path)
    except (OSError, ezdxf.DXFError) as error:
        return ["%s does not read as DXF: %s" % (path, error)]
    if doc.header.get("$INSUNITS") != 4:
        failures.append("%s: $INSUNITS is %s, not 4 (mm)" % (path, doc.header.get("$INSUNITS")))
    points = [e for e in doc.modelspace() if e.dxftype() == "POINT" and e.dxf.layer == "HOUR_POINTS"]
    if not points:
        failures.append("%s: no hour point on layer HOUR_POINTS" % path)
    else:
        reach = max(abs(e.dxf.location.x) for e in points)
        if abs(reach - axis_mm) > 0.5:
            failures.append("%s: hour points reach %.3f mm, not the semi-major axis %.1f mm" % (path, reach, axis_mm))
    return failures


def check_pdf(path: str) -> list[str]:
    run = subprocess.run(["pdftotext", "-layout", path, "-"], capture_output=True, text=True)
    if run.returncode != 0:
        return ["%s: pdftotext failed: %s" % (path, run.stderr.strip())]
    text = run.stdout
    failures = []
    for expected in ("B1", "B2", "Scale 1 :"):
        if expected not in text and expected.replace("Scale", "Maßstab") not in text:
            failures.append("%s: the text lacks %r" % (path, expected))
    return failures


def main() -> int:
    dxf, pdf, axis_mm = sys.argv[1], sys.argv[2], float(sys.argv[3])
    failures = check_dxf(dxf, axis_mm) + check_pdf(pdf)
    for failure in failures:
        print(failure)
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
