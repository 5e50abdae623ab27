#!/usr/bin/env python3
"""Writes the canned answers of the stand-in module (web/test/mock-umbrix.js) from the native umbrix-cli.

usage: make_mock_data.py UMBRIX_CLI OUT.js
The outputs are those of one fixed design (Cape Town, dial type 0, a 2.5 m axis); the stand-in returns them
whatever its session holds, so the page's tests exercise the page, not the numbers.
"""
import base64
import json
import subprocess
import sys
import tempfile
from pathlib import Path

DESIGN = ["--set", "latitude=-33.92", "--set", "longitude=-18.42", "--set", "zoneMeridian=-30",
          "--set", "semiMajorAxis=2.5"]
OUTPUTS = {
    "svg": ["--svg", "{f}.svg"],
    "svg-error": ["--svg-error", "{f}.svg"],
    "svg-accuracy": ["--svg-accuracy", "{f}.svg"],
    "svg-reach": ["--svg-reach", "{f}.svg"],
    "plt": ["--plt", "{f}.plt"],
    "dxf": ["--dxf", "{f}.dxf"],
    "dxf-mm": ["--dxf-mm", "{f}.dxf"],
    "setting-out-pdf": ["--setting-out", "{f}.pdf"],
    "setting-out-csv": ["--setting-out", "{f}.csv"],
    "template": ["--template", "{f}.pdf"],
    "pdf": ["--pdf", "{f}.pdf"],
    "table-txt": ["--table", "hours", "{f}.txt"],
    "table-csv": ["--table", "hours", "{f}.csv"],
    "save-config": ["--save-config", "{f}.adt"],
}


def main() -> int:
    cli, out = sys.argv[1], Path(sys.argv[2])
    data = {}
    with tempfile.TemporaryDirectory() as tmp:
        for lang in ("en", "de"):
            report = subprocess.run([cli, "--lang", lang, *DESIGN, "--json", "-"], check=True,
                                    capture_output=True).stdout
            data["report-" + lang] = json.loads(report)
            at = subprocess.run([cli, "--lang", lang, *DESIGN, "--at", "21/06/2015 12:00", "--json", "-"],
                                check=True, capture_output=True).stdout
            data["simulation-" + lang] = json.loads(at)["simulation"]
            reach = subprocess.run([cli, "--lang", lang, *DESIGN, "--reach", "--json", "-"], check=True,
                                   capture_output=True).stdout
            data["reach-" + lang] = json.loads(reach)["reach"]
        for kind, args in OUTPUTS.items():
            base = str(Path(tmp) / kind)
            argv = [a.replace("{f}", base) for a in args]
            subprocess.run([cli, "--lang", "en", *DESIGN, *argv], check=True, capture_output=True)
            produced = Path(argv[-1])
            data[kind] = base64.b64encode(produced.read_bytes()).decode("ascii")
    out.parent.mkdir(parents=True, exist_ok=True)
    out.write_text("globalThis.UMBRIX_MOCK_DATA = " + json.dumps(data, separators=(",", ":")) + ";\n")
    return 0


if __name__ == "__main__":
    sys.exit(main())
