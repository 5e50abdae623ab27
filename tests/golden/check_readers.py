#!/usr/bin/python3
"""Opens every golden file in a real reader: hp2xx for plots, ezdxf (strict read and audit) for DXF drawings,
rsvg-convert for SVG pictures, the json module for the JSON reports. Exits non-zero on the first failure."""
import json
import pathlib
import re
import subprocess
import sys
import tempfile

import ezdxf
from ezdxf import recover

golden = pathlib.Path(sys.argv[1])
failures = []
with tempfile.TemporaryDirectory() as tmp:
    out = pathlib.Path(tmp)
    for path in sorted(golden.glob("*/*")):
        name = f"{path.parent.name}/{path.name}"
        if path.suffix == ".plt":
            png = out / "plot.png"
            png.unlink(missing_ok=True)
            # hp2xx exits 0 even when it fails: the picture must exist and no command may be ignored.
            log = subprocess.run(["hp2xx", "-m", "png", "-f", str(png), str(path)], stdin=subprocess.DEVNULL,
                                 capture_output=True, text=True, errors="replace")
            ignored = re.search(r"HPGL command\(s\) ignored: (\d+)", log.stdout + log.stderr)
            if not png.exists() or (ignored and ignored.group(1) != "0"):
                failures.append(f"{name}: hp2xx: {log.stdout}{log.stderr}")
        elif path.suffix == ".dxf":
            doc, auditor = recover.readfile(str(path))
            if auditor.has_errors:
                failures.append(f"{name}: ezdxf audit: {[str(e.message) for e in auditor.errors]}")
            ezdxf.readfile(str(path))  # the strict reader alone insists on the EOF record
        elif path.suffix == ".svg":
            result = subprocess.run(["rsvg-convert", "-o", str(out / "picture.png"), str(path)],
                                    capture_output=True, text=True)
            if result.returncode != 0:
                failures.append(f"{name}: rsvg-convert: {result.stderr}")
        elif path.suffix == ".json":
            json.loads(path.read_text(encoding="utf-8"))
print("\n".join(failures) if failures else f"every golden file of {golden} opens in its reader")
sys.exit(1 if failures else 0)
