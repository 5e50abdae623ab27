#!/usr/bin/env python3
"""Builds the web edition from web/ and the WebAssembly library.

usage: web/build.py OUT_DIR (--module BUILD_WASM_DIR | --mock MOCK_JS...)

OUT_DIR/site/        the folder for a static web server: index.html, umbrix.css, src/, help/, umbrix.js + .wasm
OUT_DIR/umbrix.html  one self-contained file for file:// pages: the page, the library with its wasm (and the
                     place data inside that) gzip-compressed in base64, and both help pages, all inlined

--module takes the library's build folder (umbrix.js, umbrix.wasm and any data file the
library loads beside it). --mock takes the stand-in module's files instead (concatenated in order), for
building and testing the page before the library exists.
"""
import argparse
import base64
import gzip
import json
import re
import shutil
import sys
from pathlib import Path

WEB = Path(__file__).resolve().parent
REPO = WEB.parent
SCRIPTS = ["src/texts.js", "src/logic.js", "src/view.js", "src/forms.js", "src/app.js"]
HELP = {"de": "umbrix_d.html", "en": "umbrix_e.html"}


def inline_script(code: str) -> str:
    """A script's text safe inside <script>...</script>: no "</script" can end it early."""
    return "<script>\n" + re.sub(r"</(script)", r"<\\/\1", code, flags=re.IGNORECASE) + "\n</script>"


def library_files(args) -> tuple[str, str, list[Path]]:
    """The library for the site, for the single file, and the files the site serves beside it."""
    if args.mock:
        code = "\n".join(Path(p).read_text(encoding="utf-8") for p in args.mock)
        return code, code, []
    module = Path(args.module)
    needed = [module / "umbrix.js", module / "umbrix.wasm"]
    missing = [str(p) for p in needed if not p.is_file()]
    if missing:
        sys.exit("web/build.py: the library is not built (missing " + ", ".join(missing) + "); run `make wasm`")
    extras = [p for p in module.iterdir() if p.suffix in (".wasm", ".data", ".bin") and p.is_file()]
    library = needed[0].read_text(encoding="utf-8")
    return library, single_file_library(library, needed[1].read_bytes()), extras


def single_file_library(library: str, wasm: bytes) -> str:
    """The library for a page that cannot fetch: its wasm gzip-compressed in base64 beside the loader, given
    to the module as its binary (a third of the size of the uncompressed base64 to read and decode)."""
    packed = base64.b64encode(gzip.compress(wasm, compresslevel=9, mtime=0)).decode("ascii")
    return (library + "\n" + SINGLE_FILE_LOADER.replace("@WASM_GZIP_BASE64@", packed))


# Wraps the module's factory: decodes and inflates the embedded wasm (DecompressionStream, in every current
# browser) and hands it over as wasmBinary, so that the module fetches nothing.
SINGLE_FILE_LOADER = """(function () {
    "use strict";
    const factory = createUmbrix;
    const packed = "@WASM_GZIP_BASE64@";
    async function Inflate() {
        const text = atob(packed);
        const bytes = new Uint8Array(text.length);
        for (let i = 0; i < text.length; ++i) bytes[i] = text.charCodeAt(i);
        const stream = new Blob([bytes]).stream().pipeThrough(new DecompressionStream("gzip"));
        return new Uint8Array(await new Response(stream).arrayBuffer());
    }
    createUmbrix = async function (options) {
        const wasmBinary = await Inflate();
        return factory(Object.assign({}, options || {}, { wasmBinary }));
    };
})();"""


def build_site(out: Path, library: str, extras: list[Path]) -> None:
    site = out / "site"
    if site.exists():
        shutil.rmtree(site)
    (site / "src").mkdir(parents=True)
    (site / "help").mkdir()
    shutil.copy2(WEB / "index.html", site / "index.html")
    shutil.copy2(WEB / "umbrix.css", site / "umbrix.css")
    for script in SCRIPTS:
        shutil.copy2(WEB / script, site / script)
    for name in HELP.values():
        shutil.copy2(REPO / "help" / name, site / "help" / name)
    (site / "umbrix.js").write_text(library, encoding="utf-8")
    for extra in extras:
        shutil.copy2(extra, site / extra.name)


def build_single(out: Path, library: str) -> int:
    html = (WEB / "index.html").read_text(encoding="utf-8")
    css = (WEB / "umbrix.css").read_text(encoding="utf-8")
    html = html.replace('<link rel="stylesheet" href="umbrix.css">', "<style>\n" + css + "\n</style>")
    help_texts = {lang: (REPO / "help" / name).read_text(encoding="utf-8") for lang, name in HELP.items()}
    help_json = json.dumps(help_texts, ensure_ascii=False).replace("</", "<\\/")
    replacements = {'<script src="umbrix.js"></script>':
                    inline_script(library) + "\n<script>window.UMBRIX_HELP = " + help_json + ";</script>"}
    for script in SCRIPTS:
        replacements['<script src="%s"></script>' % script] = inline_script((WEB / script).read_text(encoding="utf-8"))
    for tag, inlined in replacements.items():
        if tag not in html:
            sys.exit("web/build.py: index.html lacks " + tag)
        html = html.replace(tag, inlined)
    if re.search(r'<(script|link)[^>]+(src|href)="(?!data:)', html):
        sys.exit("web/build.py: umbrix.html still refers to a separate file")
    target = out / "umbrix.html"
    temporary = target.with_suffix(".html.tmp")
    temporary.write_text(html, encoding="utf-8")
    temporary.replace(target)
    return target.stat().st_size


def main() -> int:
    parser = argparse.ArgumentParser(description="Builds the Umbrix web page.")
    parser.add_argument("out")
    group = parser.add_mutually_exclusive_group(required=True)
    group.add_argument("--module")
    group.add_argument("--mock", nargs="+")
    args = parser.parse_args()
    out = Path(args.out)
    out.mkdir(parents=True, exist_ok=True)
    site_library, single_library, extras = library_files(args)
    build_site(out, site_library, extras)
    size = build_single(out, single_library)
    print("web: %s/site/ and %s/umbrix.html (%d bytes)%s" % (out, out, size, " with the stand-in module" if args.mock else ""))
    return 0


if __name__ == "__main__":
    sys.exit(main())
