// The web edition's figures: page start to the first drawing (cold, the single file from disk), one
// recalculation in the browser (the calculation and the drawing's SVG), and the sizes, gzip, with and without
// the place data. Goals: first drawing under 1.5 s, recalculation under 20 ms, under 1.5 MB gzip without the
// place data. Writes WEB_BUILD/bench.json besides printing the table.
//
// usage: node bench/web/run-bench.js WEB_BUILD [WASM_BUILD]
"use strict";
const fs = require("fs");
const os = require("os");
const path = require("path");
const zlib = require("zlib");
const puppeteer = require("puppeteer-core");

const webBuild = path.resolve(process.argv[2] || "build-web");
const wasmBuild = path.resolve(process.argv[3] || "build-wasm");
const chromium = process.env.CHROMIUM || "/usr/bin/chromium";
const kColdRuns = 5;
const kRecalculations = 30;

const median = (values) => {
    const sorted = [...values].sort((a, b) => a - b);
    return sorted[Math.floor(sorted.length / 2)];
};
const gzipSize = (file) => zlib.gzipSync(fs.readFileSync(file), { level: 9 }).length;

async function coldStart(page) {
    const profile = fs.mkdtempSync(path.join(os.tmpdir(), "umbrix-bench-"));
    const browser = await puppeteer.launch({ executablePath: chromium, headless: true, userDataDir: profile,
                                             args: ["--no-sandbox", "--disable-gpu", "--lang=en-US"] });
    try {
        const tab = await browser.newPage();
        await tab.setViewport({ width: 1280, height: 800 });
        await tab.goto("file://" + page, { waitUntil: "load" });
        await tab.waitForSelector("body[data-ready=true]", { timeout: 60000 });
        const first = await tab.evaluate(() => window.umbrixPage.firstDrawingMs());
        const recalculations = await tab.evaluate((n) => {
            const times = [];
            for (let i = 0; i < n; ++i) times.push(window.umbrixPage.recalculate());
            return times;
        }, kRecalculations);
        return { first, recalculation: median(recalculations) };
    } finally {
        await browser.close();
        fs.rmSync(profile, { recursive: true, force: true });
    }
}

async function main() {
    const single = path.join(webBuild, "umbrix.html");
    const runs = [];
    for (let i = 0; i < kColdRuns; ++i) runs.push(await coldStart(single));
    // The site data the library carries inside (the places and the zone tables of `make wasm`); the size
    // without it is the single file's less these files' own gzip size.
    const siteData = path.join(wasmBuild, "site-data");
    const placeFiles = fs.existsSync(siteData)
        ? fs.readdirSync(siteData).filter((f) => f.endsWith(".tsv")).map((f) => path.join(siteData, f))
        : [];
    const placeGzip = placeFiles.reduce((sum, f) => sum + gzipSize(f), 0);
    const siteFiles = [];
    const walk = (dir) => {
        for (const entry of fs.readdirSync(dir, { withFileTypes: true })) {
            const full = path.join(dir, entry.name);
            if (entry.isDirectory()) walk(full);
            else siteFiles.push(full);
        }
    };
    walk(path.join(webBuild, "site"));
    const siteGzip = siteFiles.reduce((sum, f) => sum + gzipSize(f), 0);
    const figures = {
        module: fs.existsSync(path.join(webBuild, "site", "umbrix.wasm")) ? "wasm" : "stand-in (mock)",
        firstDrawingMsMedian: median(runs.map((r) => r.first)),
        firstDrawingMsRuns: runs.map((r) => Number(r.first.toFixed(1))),
        recalculationMsMedian: median(runs.map((r) => r.recalculation)),
        singleFileBytes: fs.statSync(single).size,
        singleFileGzipBytes: gzipSize(single),
        siteGzipBytes: siteGzip,
        placeDataGzipBytes: placeFiles.length ? placeGzip : null,
        placeDataFiles: placeFiles.map((f) => path.basename(f)),
    };
    figures.singleFileGzipWithoutPlacesBytes = figures.singleFileGzipBytes - (placeFiles.length ? placeGzip : 0);
    fs.writeFileSync(path.join(webBuild, "bench.json"), JSON.stringify(figures, null, 2) + "\n");
    const mb = (b) => (b / 1e6).toFixed(3) + " MB";
    console.log("module                           " + figures.module);
    console.log("first drawing, cold, single file " + figures.firstDrawingMsMedian.toFixed(1) + " ms (median of " +
                kColdRuns + "; goal < 1500 ms)");
    console.log("one recalculation                " + figures.recalculationMsMedian.toFixed(2) + " ms (median; goal < 20 ms)");
    console.log("single file                      " + mb(figures.singleFileBytes) + ", gzip " + mb(figures.singleFileGzipBytes));
    console.log("site, gzip                       " + mb(figures.siteGzipBytes));
    console.log("place data, gzip                 " + (placeFiles.length ? mb(placeGzip) + " (inside the library)" : "none found"));
    console.log("single file gzip without places  " + mb(figures.singleFileGzipWithoutPlacesBytes) + " (goal < 1.5 MB)");
}

main().catch((error) => { console.error(error); process.exit(1); });
