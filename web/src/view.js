// Zoom, pan and fit of the construction drawing. The drawing is the core's SVG as it is; the view only changes
// the SVG's viewBox, so every line stays as sharp as the core drew it and the page computes nothing of the dial.
(function (root) {
    "use strict";

    const kZoomStep = 1.25;          // one wheel notch, key press or tool-bar click
    const kPanFraction = 0.1;        // one key press or tool-bar click pans a tenth of the visible width/height
    const kMinScale = 0.05;          // the view never shows more than 20 times the drawing...
    const kMaxScale = 200;           // ...nor less than 1/200 of it

    /// The visible rectangle, in the drawing's own units (those of its original viewBox).
    /// scale = original width / visible width: 1 is the fitted drawing, 2 shows half of it.
    const ViewMath = {
        fit(base) {
            return { x: base.x, y: base.y, w: base.w, h: base.h };
        },
        scaleOf(base, view) {
            return base.w / view.w;
        },
        /// Zooms by factor (> 1 enlarges) keeping the drawing point under (fx, fy) in place; fx, fy are the
        /// fractions 0..1 of the visible rectangle's width and height. The scale stays within its limits.
        zoom(base, view, factor, fx = 0.5, fy = 0.5) {
            const scale = Math.min(kMaxScale, Math.max(kMinScale, (base.w / view.w) * factor));
            const w = base.w / scale;
            const h = base.h / scale;
            const px = view.x + fx * view.w;
            const py = view.y + fy * view.h;
            return { x: px - fx * w, y: py - fy * h, w, h };
        },
        /// Moves the visible rectangle by (dx, dy) of its own width and height (dx > 0 shows what lies right).
        pan(view, dx, dy) {
            return { x: view.x + dx * view.w, y: view.y + dy * view.h, w: view.w, h: view.h };
        },
        /// Moves the rectangle so that a drag of (dxPx, dyPx) screen pixels carries the drawing with the pointer;
        /// widthPx, heightPx: the drawing area's size on screen.
        drag(view, dxPx, dyPx, widthPx, heightPx) {
            const unitsPerPx = Math.max(view.w / Math.max(widthPx, 1), view.h / Math.max(heightPx, 1));
            return { x: view.x - dxPx * unitsPerPx, y: view.y - dyPx * unitsPerPx, w: view.w, h: view.h };
        },
        parseViewBox(text) {
            const n = String(text || "").trim().split(/[\s,]+/).map(Number);
            if (n.length !== 4 || n.some((v) => !Number.isFinite(v)) || n[2] <= 0 || n[3] <= 0) return null;
            return { x: n[0], y: n[1], w: n[2], h: n[3] };
        },
        format(view) {
            return [view.x, view.y, view.w, view.h].map((v) => Number(v.toFixed(4))).join(" ");
        },
    };

    /// Binds the view to a container that holds one <svg>. Keeps the zoom and position across redrawings of
    /// the same size, so that a recalculation does not throw the user's view away.
    class DrawingView {
        constructor(container) {
            this.container = container;
            this.base = null;
            this.view = null;
            this.pointers = new Map();
            this.bindEvents();
        }

        /// Puts new SVG markup into the container. keepView: keep the visible rectangle when the new drawing
        /// has the same extent.
        show(svgText, keepView = true) {
            this.container.innerHTML = svgText;
            const svg = this.svg();
            if (!svg) return;
            const base = ViewMath.parseViewBox(svg.getAttribute("viewBox")) ||
                { x: 0, y: 0, w: Number(svg.getAttribute("width")) || 1, h: Number(svg.getAttribute("height")) || 1 };
            svg.removeAttribute("width");
            svg.removeAttribute("height");
            svg.setAttribute("preserveAspectRatio", "xMidYMid meet");
            svg.setAttribute("role", "img");
            const same = this.base && this.base.w === base.w && this.base.h === base.h;
            this.base = base;
            this.apply(keepView && same && this.view ? this.view : ViewMath.fit(base));
        }

        svg() {
            return this.container.querySelector("svg");
        }

        apply(view) {
            this.view = view;
            const svg = this.svg();
            if (svg) svg.setAttribute("viewBox", ViewMath.format(view));
            this.container.dataset.scale = ViewMath.scaleOf(this.base, view).toFixed(3);
        }

        zoomIn() { if (this.base) this.apply(ViewMath.zoom(this.base, this.view, kZoomStep)); }
        zoomOut() { if (this.base) this.apply(ViewMath.zoom(this.base, this.view, 1 / kZoomStep)); }
        fit() { if (this.base) this.apply(ViewMath.fit(this.base)); }
        pan(dx, dy) { if (this.base) this.apply(ViewMath.pan(this.view, dx * kPanFraction, dy * kPanFraction)); }

        /// The fractions of the visible rectangle under a client point, for zooming about the pointer.
        fractionsAt(clientX, clientY) {
            const r = this.container.getBoundingClientRect();
            // The SVG keeps its aspect ratio centred in the container ("meet"): map through the drawn area.
            const scale = Math.min(r.width / this.view.w, r.height / this.view.h) || 1;
            const drawnW = this.view.w * scale;
            const drawnH = this.view.h * scale;
            const fx = (clientX - r.left - (r.width - drawnW) / 2) / drawnW;
            const fy = (clientY - r.top - (r.height - drawnH) / 2) / drawnH;
            return [Math.min(1, Math.max(0, fx)), Math.min(1, Math.max(0, fy))];
        }

        bindEvents() {
            const c = this.container;
            c.addEventListener("wheel", (e) => {
                if (!this.base) return;
                e.preventDefault();
                const [fx, fy] = this.fractionsAt(e.clientX, e.clientY);
                this.apply(ViewMath.zoom(this.base, this.view, e.deltaY < 0 ? kZoomStep : 1 / kZoomStep, fx, fy));
            }, { passive: false });
            c.addEventListener("pointerdown", (e) => {
                if (!this.base) return;
                c.setPointerCapture(e.pointerId);
                this.pointers.set(e.pointerId, { x: e.clientX, y: e.clientY });
                this.pinchDistance = this.pinchSpan();
                c.classList.add("dragging");
            });
            c.addEventListener("pointermove", (e) => {
                const last = this.pointers.get(e.pointerId);
                if (!last || !this.base) return;
                const r = c.getBoundingClientRect();
                if (this.pointers.size === 1) {
                    this.apply(ViewMath.drag(this.view, e.clientX - last.x, e.clientY - last.y, r.width, r.height));
                }
                this.pointers.set(e.pointerId, { x: e.clientX, y: e.clientY });
                if (this.pointers.size === 2) {
                    const span = this.pinchSpan();
                    if (this.pinchDistance > 0 && span > 0) {
                        const [a, b] = [...this.pointers.values()];
                        const [fx, fy] = this.fractionsAt((a.x + b.x) / 2, (a.y + b.y) / 2);
                        this.apply(ViewMath.zoom(this.base, this.view, span / this.pinchDistance, fx, fy));
                    }
                    this.pinchDistance = span;
                }
            });
            const release = (e) => {
                this.pointers.delete(e.pointerId);
                this.pinchDistance = this.pinchSpan();
                if (this.pointers.size === 0) c.classList.remove("dragging");
            };
            c.addEventListener("pointerup", release);
            c.addEventListener("pointercancel", release);
            c.addEventListener("keydown", (e) => {
                if (this.handleKey(e.key, e.altKey)) e.preventDefault();
            });
        }

        pinchSpan() {
            if (this.pointers.size !== 2) return 0;
            const [a, b] = [...this.pointers.values()];
            return Math.hypot(a.x - b.x, a.y - b.y);
        }

        /// The drawing's keys: + and - zoom, the arrows pan, 0 or Home fits. Returns whether the key was used.
        handleKey(key) {
            switch (key) {
            case "+": case "=": this.zoomIn(); return true;
            case "-": case "_": this.zoomOut(); return true;
            case "0": case "Home": this.fit(); return true;
            case "ArrowLeft": this.pan(-1, 0); return true;
            case "ArrowRight": this.pan(1, 0); return true;
            case "ArrowUp": this.pan(0, -1); return true;
            case "ArrowDown": this.pan(0, 1); return true;
            default: return false;
            }
        }
    }

    root.ViewMath = ViewMath;
    root.DrawingView = DrawingView;
    if (typeof module !== "undefined") module.exports = { ViewMath };
})(typeof window !== "undefined" ? (window.UmbrixPage = window.UmbrixPage || {}) : {});
