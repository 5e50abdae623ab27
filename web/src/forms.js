// The input panels, built from the library's parameter table: one control per settable parameter, in the
// window's panels and groups, each with data-param="NAME", its caption, unit, meaning and a place for the
// core's message when a value is rejected.
(function (root) {
    "use strict";

    const kOpenPanels = new Set(["Panel1"]);   // the window shows its first input panel at start

    // Where the window shows a control, for a parameter table that names no panel: the two input panels,
    // the pages that carry inputs of their own, and the export panel. Rows without a control of the main
    // window belong to its dialogs.
    const kWindowPanels = {
        Panel1: ["eBreit", "eLang", "eZone", "chBzonzeit", "eGnomInc", "eGnomDek", "eHoehe", "eIncl", "eDek", "eHalb",
                 "eStart", "eEnd", "eLph", "ejahr", "MaskEdit1", "chBSchatt", "ChBRiseSet", "rgAnzahl", "eVergr"],
        Panel2: ["rgMittelwert", "efStart", "efEnd", "chbGenau", "rgTyp"],
        TSAnaDat: ["eRiseSet", "ChBLambert"],
        TsDat: ["rgKoordAusg"],
        tsSlope: ["rgDefault", "StrGridEin"],
        PanSave: ["EddxfAchs"],
    };
    const kDialogOfName = {
        bodyHeight: "planner", reachCoverage: "planner",
        dstRing: "dst", dstOffsetHours: "dst", dstRingScale: "dst", dstStart: "dst", dstEnd: "dst",
    };

    /// The panel a row is shown in: the table's own, else the window's place of its control.
    function PanelOf(p) {
        if (p.panel) return p.panel;
        const control = p.control || p.field;
        for (const [panel, controls] of Object.entries(kWindowPanels)) {
            if (control && controls.includes(control)) return panel;
        }
        return kDialogOfName[p.name] || "settings";
    }

    /// A row's caption: the table's, else the head of its meaning (up to the first comma or semicolon, first
    /// letter capitalised; the whole meaning is the field's tooltip), else its name.
    function CaptionOf(p, lang) {
        const caption = Pick(p.caption, lang);
        if (caption) return caption;
        const head = Pick(p.meaning, lang).split(/[,;] /)[0].trim();
        return head ? head.charAt(0).toUpperCase() + head.slice(1) : p.name;
    }

    function Lower(kind) {
        return String(kind || "").toLowerCase();
    }

    /// The text of a {de, en} pair in the language, or the other language's when one is missing.
    function Pick(pair, lang) {
        if (!pair) return "";
        if (typeof pair === "string") return pair;
        return pair[lang] || pair.en || pair.de || "";
    }

    /// Whether a parameter row is one the user sets (the table also lists derived, read-only values).
    function IsInput(p) {
        return Boolean(p && p.name) && p.settable !== false && p.name !== "dialType";
    }

    function UnitText(unit, lengthUnit) {
        switch (String(unit || "").toLowerCase()) {
        case "": case "none": return "";
        case "deg": case "degrees": case "°": return "°";
        case "length": case "dialunits": case "dial units": case "dial_units": return lengthUnit || "";
        case "h": case "hours": return "h";
        default: return String(unit);
        }
    }

    class InputPanels {
        /// describe: the parsed describe() answer; host: {panels, containerFor(panel), text(key) -> {de,en}|null,
        /// commit(name, text)}.
        constructor(describe, host) {
            this.describe = describe;
            this.host = host;
            this.rows = (describe.parameters || []).filter(IsInput);
            this.controls = new Map();
            this.sections = [];
            this.build();
        }

        build() {
            const panels = new Map();
            for (const p of this.rows) {
                const panel = PanelOf(p);
                if (!panels.has(panel)) panels.set(panel, new Map());
                const groups = panels.get(panel);
                const group = p.group || "";
                if (!groups.has(group)) groups.set(group, []);
                groups.get(group).push(p);
            }
            for (const [panel, groups] of panels) {
                const target = this.host.containerFor(panel);
                let holder = target;
                let heading = null;
                if (!target) {
                    const details = document.createElement("details");
                    details.className = "panel";
                    details.dataset.panel = panel;
                    details.open = kOpenPanels.has(panel) || panels.size === 1;
                    heading = document.createElement("summary");
                    details.append(heading);
                    this.host.panels.append(details);
                    holder = details;
                }
                this.sections.push({ key: panel, heading, panel: true });
                for (const [group, rows] of groups) {
                    const fieldset = document.createElement("fieldset");
                    fieldset.dataset.group = group;
                    const legend = document.createElement("legend");
                    fieldset.append(legend);
                    this.sections.push({ key: group, heading: group ? legend : null });
                    if (!group) legend.hidden = true;
                    for (const p of rows) fieldset.append(this.field(p));
                    holder.append(fieldset);
                }
            }
        }

        field(p) {
            const kind = Lower(p.kind);
            const wrap = document.createElement("div");
            wrap.className = "field field-" + (kind || "real");
            wrap.dataset.fieldOf = p.name;
            const id = "p-" + p.name;
            const label = document.createElement("label");
            label.htmlFor = id;
            const caption = document.createElement("span");
            const unit = document.createElement("span");
            unit.className = "unit";
            label.append(caption, " ", unit);
            let input;
            if (kind === "choice") {
                input = document.createElement("select");
                for (const c of p.choices || []) {
                    const o = document.createElement("option");
                    o.value = String(c.value);
                    input.append(o);
                }
            } else if (kind === "boolean") {
                input = document.createElement("input");
                input.type = "checkbox";
                wrap.classList.add("check");
            } else if (kind === "hourstable") {
                input = document.createElement("textarea");
                input.rows = 3;
            } else {
                input = document.createElement("input");
                input.type = "text";
                input.spellcheck = false;
                input.autocomplete = "off";
                if (kind === "integer") input.inputMode = "numeric";
                else if (kind !== "date" && kind !== "text") input.inputMode = "decimal";
                if (kind === "date") input.placeholder = "dd/mm";
            }
            input.id = id;
            input.dataset.param = p.name;
            const message = document.createElement("p");
            message.className = "field-message";
            message.id = "m-" + p.name;
            message.setAttribute("role", "alert");
            input.setAttribute("aria-describedby", message.id);
            input.addEventListener("change", () => this.host.commit(p.name, this.valueOf(p.name)));
            if (kind === "boolean") wrap.append(input, label, message);
            else wrap.append(label, input, message);
            this.controls.set(p.name, { row: p, kind, wrap, input, caption, unit, message });
            return wrap;
        }

        valueOf(name) {
            const c = this.controls.get(name);
            if (!c) return "";
            return c.kind === "boolean" ? (c.input.checked ? "1" : "0") : c.input.value;
        }

        /// Captions, units, choices and group headings in the language.
        relabel(lang, lengthUnit) {
            for (const s of this.sections) {
                if (!s.heading) continue;
                const pair = this.host.text(s.key, s.panel);
                s.heading.textContent = pair ? Pick(pair, lang) : s.key;
            }
            for (const c of this.controls.values()) {
                c.caption.textContent = CaptionOf(c.row, lang);
                c.unit.textContent = UnitText(c.row.unit, lengthUnit);
                const range = Pick(c.row.range, lang);
                c.input.title = Pick(c.row.meaning, lang) + (range ? " (" + range + ")" : "");
                if (c.kind === "choice") {
                    [...c.input.options].forEach((o, i) => {
                        o.textContent = Pick(c.row.choices[i], lang) || o.value;
                    });
                }
            }
        }

        /// Shows the parameters' values; the controls in `keep` (a Set of names) keep what the user typed.
        setValues(values, keep) {
            for (const [name, c] of this.controls) {
                if (!(name in values) || (keep && keep.has(name))) continue;
                const v = values[name];
                if (c.kind === "boolean") c.input.checked = v === true || v === 1 || v === "1" || v === "true";
                else if (c.kind === "hourstable" && Array.isArray(v)) c.input.value = v.join(";");
                else c.input.value = v === null || v === undefined ? "" : String(v);
            }
        }

        setStates(states) {
            for (const [name, c] of this.controls) {
                const s = states.get(name);
                if (!s) continue;
                c.input.disabled = !s.enabled;
                c.wrap.classList.toggle("disabled", !s.enabled);
                c.wrap.hidden = !s.visible;
                c.wrap.classList.toggle("yellow", Boolean(s.yellow));
            }
        }

        /// The outcome's further effects on other controls (text, enabled, visible, checked, item, yellow).
        applyOthers(others) {
            for (const o of others || []) {
                const c = this.controls.get(o.name) ||
                    [...this.controls.values()].find((x) => x.row.field === o.name || x.row.control === o.name);
                if (!c) continue;
                if (typeof o.text === "string" && c.kind !== "boolean") c.input.value = o.text;
                if (typeof o.checked === "boolean" && c.kind === "boolean") c.input.checked = o.checked;
                if (o.item !== undefined && c.kind === "choice" && c.input.options[o.item]) c.input.selectedIndex = o.item;
                if (typeof o.enabled === "boolean") { c.input.disabled = !o.enabled; c.wrap.classList.toggle("disabled", !o.enabled); }
                if (typeof o.visible === "boolean") c.wrap.hidden = !o.visible;
                if (typeof o.yellow === "boolean") c.wrap.classList.toggle("yellow", o.yellow);
            }
        }

        /// The core's messages beside the field (empty clears them).
        showMessages(name, messages) {
            const c = this.controls.get(name);
            if (!c) return false;
            const text = (messages || []).map((m) => (m.caption ? m.caption + ": " : "") + m.text).join("\n");
            c.message.textContent = text;
            c.wrap.classList.toggle("rejected", text !== "");
            c.input.setAttribute("aria-invalid", text !== "" ? "true" : "false");
            return true;
        }
    }

    root.InputPanels = InputPanels;
    root.Pick = Pick;
    root.UnitText = UnitText;
    root.IsInput = IsInput;
    root.PanelOf = PanelOf;
    if (typeof module !== "undefined") module.exports = { Pick, UnitText, IsInput, PanelOf, CaptionOf };
})(typeof window !== "undefined" ? (window.UmbrixPage = window.UmbrixPage || {}) : {});
