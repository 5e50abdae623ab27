// What the input panels take from the parameter table: which rows are inputs, their texts and units.
"use strict";
const test = require("node:test");
const assert = require("node:assert/strict");
const { Pick, UnitText, IsInput, PanelOf, CaptionOf } = require("../../src/forms.js");

test("a text pair gives the language's text, the other language's when missing, and a plain text as it is", () => {
    assert.equal(Pick({ de: "Breite", en: "Latitude" }, "de"), "Breite");
    assert.equal(Pick({ de: "Breite" }, "en"), "Breite");
    assert.equal(Pick("eBreit", "en"), "eBreit");
    assert.equal(Pick(undefined, "en"), "");
});

test("units: degrees and hours as signs, lengths in the design's unit, an unknown unit as it is", () => {
    assert.equal(UnitText("deg", "m"), "°");
    assert.equal(UnitText("Degrees", "m"), "°");
    assert.equal(UnitText("length", "cm"), "cm");
    assert.equal(UnitText("DialUnits", "ft"), "ft");
    assert.equal(UnitText("h", "m"), "h");
    assert.equal(UnitText("", "m"), "");
    assert.equal(UnitText("mm/min", "m"), "mm/min");
});

test("inputs are the settable rows; derived values and the dial type (in the bar) are not", () => {
    assert.equal(IsInput({ name: "latitude", panel: "Panel1" }), true);
    assert.equal(IsInput({ name: "semiMinorAxis", settable: false, panel: "Panel1" }), false);
    assert.equal(IsInput({ name: "dialType", panel: "Panel1" }), false);
    assert.equal(IsInput({ name: "bodyHeight", settable: true, control: "" }), true, "a dialog's row without a control");
    assert.equal(IsInput({}), false);
});

test("a row without a panel goes where the window shows its control, or to its dialog", () => {
    assert.equal(PanelOf({ name: "x", panel: "Own" }), "Own", "the table's panel wins");
    assert.equal(PanelOf({ name: "latitude", field: "eBreit", control: "eBreit" }), "Panel1");
    assert.equal(PanelOf({ name: "doubleAnalemmaMethod", control: "rgMittelwert" }), "Panel2");
    assert.equal(PanelOf({ name: "riseSetDeclination", control: "eRiseSet" }), "TSAnaDat");
    assert.equal(PanelOf({ name: "reachCoverage", control: "" }), "planner");
    assert.equal(PanelOf({ name: "dstStart" }), "dst");
    assert.equal(PanelOf({ name: "lengthUnit" }), "settings");
});

test("a caption: the table's, else the meaning with a capital, else the name", () => {
    assert.equal(CaptionOf({ name: "latitude", caption: { de: "Breite", en: "Latitude" } }, "en"), "Latitude");
    assert.equal(CaptionOf({ name: "year", meaning: { de: "Jahr der Berechnung", en: "year of the calculation" } }, "en"),
                 "Year of the calculation");
    assert.equal(CaptionOf({ name: "fineSearch" }, "de"), "fineSearch");
    assert.equal(CaptionOf({ name: "latitude", meaning: { en: "geographic latitude of the site, north positive" } }, "en"),
                 "Geographic latitude of the site", "the head of a meaning");
    assert.equal(CaptionOf({ name: "distanceZ", meaning: { en: "dial type 7: distance of Z; beyond the scale" } }, "en"),
                 "Dial type 7: distance of Z", "a colon does not end the head");
});
