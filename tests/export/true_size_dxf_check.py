"""Reads true-size DXF files as a CAD program would: ezdxf's strict reader and its auditor.

usage: true_size_dxf_check.py FILE [FILE ...]
Prints one line per file: the number of POINT entities on HOUR_POINTS, whether a text holds "häufigste",
and the x y (mm) of the POINT nearest to the noon mark (0, y > 0) on the y axis.
Exits 1 on the first file that fails a check.
"""
import re
import sys

import ezdxf
from ezdxf import recover

LAYERS = ["HOUR_POINTS", "HOUR_LABELS", "HOUR_ELLIPSE", "DATE_SCALE", "DATE_LABELS", "SHADOW_PATH", "LOOPS",
          "RISE_SET", "LAMBERT", "AXES", "GNOMON", "TEXT", "DST_HOURS", "DST_DATES"]

for path in sys.argv[1:]:
    strict = ezdxf.readfile(path)  # raises on a broken structure, a missing EOF included
    doc, auditor = recover.readfile(path)
    assert not auditor.has_errors, (path, [e.message for e in auditor.errors])
    objects = {e.dxf.handle for e in doc.objects}
    # Fixes are allowed only in the OBJECTS section (dxflib leaves the owners of its dictionaries open).
    for fix in auditor.fixes:
        handle = fix.entity.dxf.handle if fix.entity is not None else None
        if handle is None:
            found = re.search(r"\(#([0-9A-F]+)\)", fix.message)
            handle = found.group(1) if found else None
        assert handle in objects, (path, fix.message)
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
    print(len(points), int(any("häufigste" in t for t in texts)),
          "%.4f %.4f" % (noon.x, noon.y) if noon else "none")
