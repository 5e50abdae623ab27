// The page's pure helpers: language choice, the kept design, grids, file names, the simulation clock and the
// control states.
"use strict";
const test = require("node:test");
const assert = require("node:assert/strict");
const L = require("../../src/logic.js");

class MemoryStorage {
    constructor(limit = Infinity) { this.items = new Map(); this.limit = limit; }
    getItem(k) { return this.items.has(k) ? this.items.get(k) : null; }
    setItem(k, v) { if (v.length > this.limit) throw new Error("QuotaExceededError"); this.items.set(k, String(v)); }
    removeItem(k) { this.items.delete(k); }
}

test("the language: the remembered one wins, else the browser's first German or English, else English", () => {
    assert.equal(L.ChooseLanguage("de", ["en-US"]), "de");
    assert.equal(L.ChooseLanguage(null, ["de-AT", "en"]), "de");
    assert.equal(L.ChooseLanguage(null, ["fr-FR", "en-GB", "de"]), "en");
    assert.equal(L.ChooseLanguage("xx", ["fr", "it"]), "en");
    assert.equal(L.ChooseLanguage(undefined, undefined), "en");
});

test("a kept design comes back byte for byte; a broken or foreign entry is no design", () => {
    const storage = new MemoryStorage();
    const bytes = Uint8Array.from({ length: 70000 }, (_, i) => (i * 7) % 256);   // more than one conversion chunk
    assert.equal(L.KeepDesign(storage, bytes, "umbrix.adt", "2026-01-01"), true);
    const kept = L.ReadKeptDesign(storage);
    assert.deepEqual(kept.bytes, bytes);
    assert.equal(kept.fileName, "umbrix.adt");
    for (const broken of ["{", "{}", '{"config": 5}', '{"config": "%%%"}', '{"config": ""}']) {
        storage.setItem(L.kDesignKey, broken);
        assert.equal(L.ReadKeptDesign(storage), null, broken);
    }
    assert.equal(L.ReadKeptDesign(new MemoryStorage()), null);
    assert.equal(L.KeepDesign(new MemoryStorage(10), bytes, "umbrix.adt", ""), false, "a full storage is reported");
    const forbidden = { getItem() { throw new Error("SecurityError"); } };
    assert.equal(L.ReadKeptDesign(forbidden), null);
});

test("a grid loses its empty trailing rows and columns, keeps inner gaps, and an empty grid is none", () => {
    const grid = [
        ["Date", "x", "", "", ""],
        ["01.Jan", "1.0", "", "2", " "],
        ["", "", "", "", ""],
        [" ", "", "", "", ""],
    ];
    assert.deepEqual(L.TrimGrid(grid), [["Date", "x", "", ""], ["01.Jan", "1.0", "", "2"]]);
    assert.equal(L.TrimGrid([["", ""], [" ", ""]]), null);
    assert.equal(L.TrimGrid(undefined), null);
    assert.deepEqual(L.TrimGrid([["a"], ["b", "c"]]), [["a", ""], ["b", "c"]], "ragged rows are filled");
    assert.deepEqual(L.TrimGrid([["Time", "x", "Time", "x"], ["5:00", "1", "", ""], ["", "", "", ""]]),
                     [["Time", "x"], ["5:00", "1"]], "columns with a heading only go");
    assert.deepEqual(L.TrimGrid([["Time", "x"]]), [["Time", "x"]], "a heading alone stays");
});

test("download names tell every output apart", () => {
    const names = [
        L.DownloadName("json", {}, "json"), L.DownloadName("svg", {}, "svg"),
        L.DownloadName("svg", { scale: "1:50" }, "svg"), L.DownloadName("svg-error", {}, "svg"),
        L.DownloadName("dxf", {}, "dxf"), L.DownloadName("dxf-mm", {}, "dxf"),
        L.DownloadName("setting-out", { format: "pdf" }, "pdf"), L.DownloadName("setting-out", { format: "csv" }, "pdf"),
        L.DownloadName("template", { paper: "A4" }, "pdf"), L.DownloadName("pdf", { lists: "all" }, "pdf"),
        L.DownloadName("pdf", { lists: "none" }, "pdf"), L.DownloadName("table", { name: "hours", format: "csv" }, "txt"),
        L.DownloadName("table", { name: "hours", format: "txt" }, "txt"),
        L.DownloadName("save-config", { format: "adt" }, "adt"), L.DownloadName("save-config", { format: "ini" }, "adt"),
    ];
    assert.equal(new Set(names).size, names.length, names.join(" "));
    assert.equal(names[2], "umbrix-1-50.svg");
    assert.equal(names[5], "umbrix-mm.dxf");
    assert.equal(names[7], "umbrix-setting-out.csv");
    assert.equal(names[11], "umbrix-hours.csv");
    assert.equal(L.MimeType("pdf"), "application/pdf");
    assert.equal(L.MimeType("xyz"), "application/octet-stream");
});

test("the simulation clock: dates and times as the library takes them, wrapped at midnight, bad ones refused", () => {
    assert.equal(L.SimulationTime("21/06/2015", 12 * 60), "21/06/2015 12:00");
    assert.equal(L.SimulationTime("1/2/2015", 1445), "01/02/2015 00:05");
    assert.equal(L.SimulationTime("1/2/2015", -15), "01/02/2015 23:45");
    assert.equal(L.SimulationTime("2015-06-21", 0), null);
    assert.equal(L.MinutesOf("7:30"), 450);
    assert.equal(L.MinutesOf("24:00"), null);
    assert.equal(L.MinutesOf("12:60"), null);
    assert.equal(L.MinutesOf("noon"), null);
});

test("control states: the dial type's enabling, the split dial's rows, refined by the session by parameter or control", () => {
    const rows = [
        { name: "latitude", field: "eBreit", control: "eBreit", enabledByDialType: [true, true] },
        { name: "planeInclination", field: "eIncl", enabledByDialType: [false, true] },
        { name: "marksMode", control: "rgTyp", enabledByDialType: [false, false] },
        { name: "year" },
        { name: "errorHourFrom", control: "efStart", enabledByDialType: [true, true], splitDialOnly: true },
        { name: "fineSearch", control: "chbGenau", enabledByDialType: [true, true], searchMethodOnly: true },
    ];
    const plain = L.ControlStates(rows, { dialType: 0 }, []);
    assert.equal(plain.get("latitude").enabled, true);
    assert.equal(plain.get("planeInclination").enabled, false);
    assert.equal(L.ControlStates(rows, { dialType: 1 }, []).get("planeInclination").enabled, true);
    assert.equal(plain.get("year").enabled, true, "a row without enabling is always enabled");
    assert.equal(plain.get("errorHourFrom").enabled, false, "split-dial rows wait for the split dial");
    const split = L.ControlStates(rows, { dialType: 0, doubleAnalemmaActive: true, doubleAnalemmaMethod: 1 }, []);
    assert.equal(split.get("errorHourFrom").enabled, true);
    assert.equal(split.get("fineSearch").enabled, false, "the fine search is for the searching methods only");
    const search = L.ControlStates(rows, { dialType: 0, doubleAnalemmaActive: true, doubleAnalemmaMethod: "3" }, []);
    assert.equal(search.get("fineSearch").enabled, true);
    const refined = L.ControlStates(rows, { dialType: 0 }, [{ name: "eBreit", yellow: true },
        { name: "rgTyp", enabled: true, visible: false }, { name: "nothing", enabled: false }]);
    assert.equal(refined.get("latitude").yellow, true);
    assert.equal(refined.get("latitude").enabled, true);
    assert.deepEqual(refined.get("marksMode"), { enabled: true, visible: false, yellow: false }, "found by its control");
});

test("a broken library answer is the fallback, never a throw", () => {
    assert.deepEqual(L.ParseAnswer('{"ok":true}', null), { ok: true });
    assert.equal(L.ParseAnswer("{", "fallback"), "fallback");
    assert.equal(L.ParseAnswer(undefined, 7), 7);
});
