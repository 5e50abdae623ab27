// What the input panels take from the parameter table: which rows are inputs, their texts and units.
"use strict";
const test = require("node:test");
const assert = require("node:assert/strict");
const { Pick, UnitText, IsInput } = require("../../src/forms.js");

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

test("inputs are the settable rows of a panel; derived values and the dial type (in the bar) are not", () => {
    assert.equal(IsInput({ name: "latitude", panel: "Panel1" }), true);
    assert.equal(IsInput({ name: "semiMinorAxis", settable: false, panel: "Panel1" }), false);
    assert.equal(IsInput({ name: "dialType", panel: "Panel1" }), false);
    assert.equal(IsInput({ name: "extentX" }), false, "a row without panel, group or control is no input");
    assert.equal(IsInput({ name: "lengthUnit", field: "cbUnit" }), true);
});
