"""Reads true-size DXF files as a CAD program would: ezdxf's strict reader and its auditor.

usage: true_size_dxf_check.py FILE [FILE ...]
Prints one line per file: the number of POINT entities on HOUR_POINTS, whether a text holds "häufigste",
the x y (mm) of the POINT nearest to the noon mark (0, y > 0) on the y axis (or "none"), then the texts on
HOUR_LABELS, whether the layer HOUR_ELLIPSE_ARC is switched off, and the ELLIPSE entities, each as
centre x, y, major and minor semi-axis (mm), start and end parameter (radians).
Exits 1 on the first file that fails a check; the recover run must need no fixes.
"""
import re
import sys

import ezdxf
from ezdxf import recover

LAYERS = ["HOUR_POINTS", "HOUR_LABELS", "HOUR_ELLIPSE", "DATE_SCALE", "DATE_LABELS", "SHADOW_PATH", "LOOPS",
          "RISE_SET", "LAMBERT", "AXES", "GNOMON", "TEXT", "DST_HOURS", "DST_DATES", "HOUR_ELLIPSE_ARC"]

for path in sys.argv[1:]:
    strict = ezdxf.readfile(path)  # raises on a broken structure, a missing EOF included
    doc, auditor = recover.readfile(path)
    assert not auditor.has_errors, (path, [e.message for e in auditor.errors])
    # A CAD or CNC user opens the file as it is: the recover run may fix nothing.
    assert not auditor.fixes, (path, [f.message for f in auditor.fixes])
    assert strict.dxfversion == "AC1015", strict.dxfversion
    assert strict.header["$INSUNITS"] == 4, strict.header["$INSUNITS"]
    names = {layer.dxf.name for layer in strict.layers}
    missing = [n for n in LAYERS if n not in names]
    assert not missing, missing
    msp = strict.modelspace()
    for e in msp:
        assert e.dxf.layer in LAYERS, e.dxf.layer
    points = [e for e in msp.query("POINT") if e.dxf.layer == "HOUR_POINTS"]
    texts = [e.dxf.text for e in msp.query("TEXT")]
    on_axis = [p.dxf.location for p in points if abs(p.dxf.location.x) < 1e-6 and p.dxf.location.y > 0]
    noon = max(on_axis, key=lambda v: v.y) if on_axis else None
    labels = [e for e in msp.query("TEXT") if e.dxf.layer == "HOUR_LABELS"]
    arc_off = int(strict.layers.get("HOUR_ELLIPSE_ARC").is_off())
    ellipses = []
    for e in msp.query("ELLIPSE"):
        assert e.dxf.layer == "HOUR_ELLIPSE_ARC", e.dxf.layer
        major = e.dxf.major_axis.magnitude
        ellipses.append("%.6f %.6f %.6f %.6f %.9f %.9f" % (e.dxf.center.x, e.dxf.center.y, major,
                                                           major * e.dxf.ratio, e.dxf.start_param,
                                                           e.dxf.end_param))
    print(len(points), int(any("häufigste" in t for t in texts)),
          "%.4f %.4f" % (noon.x, noon.y) if noon else "none", len(labels), arc_off, len(ellipses), *ellipses)
