// Zoom, pan and fit of the drawing's viewBox.
"use strict";
const test = require("node:test");
const assert = require("node:assert/strict");
const { ViewMath } = require("../../src/view.js");

const base = { x: 0, y: 0, w: 1180, h: 674 };
const close = (a, b, what) => assert.ok(Math.abs(a - b) < 1e-9, what + ": " + a + " != " + b);

test("zooming keeps the point under the pointer in place and zooming back restores the view", () => {
    const fit = ViewMath.fit(base);
    const zoomed = ViewMath.zoom(base, fit, 2, 0.25, 0.75);
    close(zoomed.w, 590, "width");
    close(zoomed.x + 0.25 * zoomed.w, 0.25 * 1180, "x under the pointer");
    close(zoomed.y + 0.75 * zoomed.h, 0.75 * 674, "y under the pointer");
    const back = ViewMath.zoom(base, zoomed, 0.5, 0.25, 0.75);
    for (const k of ["x", "y", "w", "h"]) close(back[k], fit[k], k);
    close(ViewMath.scaleOf(base, zoomed), 2, "scale");
});

test("the scale stays within its limits however often one zooms", () => {
    let view = ViewMath.fit(base);
    for (let i = 0; i < 100; ++i) view = ViewMath.zoom(base, view, 1.25);
    close(ViewMath.scaleOf(base, view), 200, "largest scale");
    for (let i = 0; i < 200; ++i) view = ViewMath.zoom(base, view, 0.8);
    close(ViewMath.scaleOf(base, view), 0.05, "smallest scale");
});

test("panning moves by a fraction of the visible rectangle; dragging carries the drawing with the pointer", () => {
    const view = ViewMath.zoom(base, ViewMath.fit(base), 2);
    const right = ViewMath.pan(view, 0.1, 0);
    close(right.x - view.x, 59, "pan right");
    close(right.w, view.w, "pan keeps the size");
    // 590 units on 590 px: a drag of 10 px right shows what lies 10 units further left.
    const dragged = ViewMath.drag(view, 10, -5, 590, 337);
    close(dragged.x, view.x - 10, "drag x");
    close(dragged.y, view.y + 5, "drag y");
    const none = ViewMath.drag(view, 10, 10, 0, 0);
    assert.ok(Number.isFinite(none.x), "a hidden drawing area does not give NaN");
});

test("viewBox texts: read when well formed, refused otherwise, written back compactly", () => {
    assert.deepEqual(ViewMath.parseViewBox("0 0 1180 674"), base);
    assert.deepEqual(ViewMath.parseViewBox("-10,-5, 20 10"), { x: -10, y: -5, w: 20, h: 10 });
    for (const bad of ["", "0 0 10", "0 0 0 10", "0 0 -1 1", "a b c d", null]) assert.equal(ViewMath.parseViewBox(bad), null);
    assert.equal(ViewMath.format({ x: 1 / 3, y: 0, w: 100, h: 2.5 }), "0.3333 0 100 2.5");
});
