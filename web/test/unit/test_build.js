// The single file: everything inlined, nothing that a script's text could end early, the help inside.
"use strict";
const test = require("node:test");
const assert = require("node:assert/strict");
const fs = require("fs");
const os = require("os");
const path = require("path");
const { execFileSync, spawnSync } = require("child_process");

const build = path.join(__dirname, "..", "..", "build.py");

test("the single file inlines the library, the scripts, the style and both help pages", () => {
    const dir = fs.mkdtempSync(path.join(os.tmpdir(), "umbrix-build-"));
    try {
        const library = path.join(dir, "library.js");
        fs.writeFileSync(library, 'globalThis.createUmbrix = () => "</script><b>still the library</b>";\n');
        execFileSync("/usr/bin/python3", [build, dir, "--mock", library], { stdio: "pipe" });
        const html = fs.readFileSync(path.join(dir, "umbrix.html"), "utf8");
        const opened = (html.match(/<script\b/gi) || []).length;
        const closed = (html.match(/<\/script>/gi) || []).length;
        assert.equal(opened, closed, "every script ends where it should");
        assert.ok(html.includes("<\\/script><b>still the library</b>"), "the library's text survives, escaped");
        assert.ok(!/<script[^>]+src=/i.test(html) && !/<link[^>]+stylesheet/i.test(html), "nothing left to fetch");
        assert.ok(html.includes("window.UMBRIX_HELP"), "the help is inside");
        assert.ok(html.includes('<html lang=\\"de\\">') && html.includes('<html lang=\\"en\\">'), "both help pages");
        for (const f of ["index.html", "umbrix.css", "umbrix.js", "src/app.js", "help/umbrix_d.html", "help/umbrix_e.html"]) {
            assert.ok(fs.existsSync(path.join(dir, "site", f)), "the site lacks " + f);
        }
    } finally {
        fs.rmSync(dir, { recursive: true, force: true });
    }
});

test("without the library's build the page is not built, and the message says what to run", () => {
    const dir = fs.mkdtempSync(path.join(os.tmpdir(), "umbrix-build-"));
    try {
        const run = spawnSync("/usr/bin/python3", [build, dir, "--module", path.join(dir, "no-wasm")], { encoding: "utf8" });
        assert.notEqual(run.status, 0);
        assert.match(run.stderr, /make wasm/);
        assert.ok(!fs.existsSync(path.join(dir, "umbrix.html")));
    } finally {
        fs.rmSync(dir, { recursive: true, force: true });
    }
});
