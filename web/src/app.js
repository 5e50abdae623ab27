// The page: one library session as the window holds one model; inputs, pages, downloads, opening and keeping a
// design, language and help. Every number and text of a result comes from the library.
(function () {
    "use strict";
    const P = window.UmbrixPage;
    const $ = (selector, from = document) => from.querySelector(selector);
    const $$ = (selector, from = document) => [...from.querySelectorAll(selector)];

    const kTables = [
        ["hours", "tableHours"], ["shadow", "tableShadow"], ["dates", "tableDates"], ["loops-am", "tableLoopsAm"],
        ["loops-pm", "tableLoopsPm"], ["accuracy", "tableAccuracy"], ["correction", "tableCorrection"],
        ["dst", "tableDst"],
    ];
    const kExtensions = { json: "json", svg: "svg", "svg-error": "svg", "svg-accuracy": "svg", "svg-reach": "svg",
                          plt: "plt", dxf: "dxf", "dxf-mm": "dxf", pdf: "pdf", template: "pdf" };
    const kSimulationLabels = {
        date: ["Date", "Datum"], zoneTime: ["Zone time", "Zonenzeit"], summerTime: ["Summer time", "Sommerzeit"],
        dialTime: ["Dial time", "Zeit der Uhr"], nearestMark: ["Nearest date mark", "Nächste Datumsmarke"],
        gnomon: ["Gnomon", "Zeiger"], sun: ["Sun", "Sonne"], shadowTip: ["Shadow tip", "Schattenspitze"],
        reading: ["Reading", "Ablesung"], readingErrorMinutes: ["Reading error (min)", "Ablesefehler (min)"],
        watchCorrectionMinutes: ["Watch correction (min)", "Uhrenkorrektur (min)"],
        altitude: ["altitude", "Höhe"], azimuth: ["azimuth", "Azimut"],
    };
    const kNoShadow = -7777.7;     // the core's mark of a sample without a shadow

    const state = {
        M: null, describe: null, session: null, lang: "en", panels: null, view: null, report: null,
        page: "graphic", dirty: new Set(), rows: new Map(), rejected: new Set(), playTimer: null, places: [], activePlace: -1,
        lastRecalculationMs: NaN, firstDrawingMs: NaN, keepTimer: null, messagesTimer: null, drawingError: "",
    };

    // --- texts -------------------------------------------------------------------------------------------

    function T(key) {
        const own = P.PageTexts[key];
        const windowKey = own && own.window;
        const shared = windowKey && state.describe && state.describe.texts && state.describe.texts[windowKey];
        const text = shared ? P.Pick(shared, state.lang) : own ? own[state.lang] : key;
        return String(text).replace(/&(?=\S)/g, "").trim();
    }

    /// A panel's or group's heading: the page's own name for a panel of the window (the window's panels
    /// carry no caption of their own), else the library's text of that name.
    function DescribeText(key, isPanel) {
        const own = P.PageTexts[(isPanel ? "panel" : "group") + key.charAt(0).toUpperCase() + key.slice(1)];
        if (own) return { de: own.de, en: own.en };
        const texts = (state.describe && state.describe.texts) || {};
        return texts[key] && typeof texts[key] === "object" ? texts[key] : null;
    }

    function Relabel() {
        document.documentElement.lang = state.lang;
        document.title = T("title");
        for (const el of $$("[data-text]")) el.textContent = T(el.dataset.text);
        // A download's tooltip is the meaning of its umbrix-cli option, from the library's option table.
        for (const button of $$("[data-output]")) {
            const kind = button.dataset.output;
            const option = (state.describe.options || []).find((o) => o.name === kind || o.name === "--" + kind);
            if (option) button.title = P.Pick(option.meaning, state.lang);
        }
        $("#language").value = state.lang;
        const select = $("#dialType");
        [...select.options].forEach((o, i) => { o.textContent = o.value + " – " + P.Pick(state.describe.dialTypes[i], state.lang); });
        state.panels.relabel(state.lang, Values().lengthUnit || "");
        $("#simPlay").textContent = T(state.playTimer ? "pause" : "play");
    }

    function MessageText(messages) {
        return (messages || []).map((m) => (typeof m === "string" ? m : (m.caption ? m.caption + ": " : "") + (m.text || "")))
            .join("\n");
    }

    function Notice(text, action, onAction) {
        $("#notice").hidden = !text;
        $("#noticeText").textContent = text || "";
        const button = $("#noticeAction");
        button.hidden = !action;
        button.textContent = action || "";
        button.onclick = onAction || null;
    }

    // --- session -----------------------------------------------------------------------------------------

    function Values() {
        return P.ParseAnswer(state.session.parameters(), {});
    }

    /// Controls show the session's values and states; `keep` names controls whose typed text stays.
    function Sync(keep) {
        const values = Values();
        state.panels.setValues(values, keep);
        $("#dialType").value = String(values.dialType ?? 0);
        const sessionStates = P.ParseAnswer(state.session.controlStates(), []);
        state.panels.setStates(P.ControlStates(state.panels.rows, values, sessionStates));
        state.panels.relabel(state.lang, values.lengthUnit || "");
    }

    /// One input's new text, checked as the window checks it when the field is left.
    function Commit(name, text) {
        const row = state.rows.get(name);
        if (row && row.field) {
            const outcome = P.ParseAnswer(state.session.validateField(name, text), { accepted: false, messages: [] });
            state.panels.applyOthers(outcome.others);
            if (!outcome.accepted) {
                state.panels.showMessages(name, outcome.messages);
                state.rejected.add(name);
                return false;
            }
            state.panels.showMessages(name, outcome.messages);
            if (typeof outcome.text === "string") text = outcome.text;
        }
        const answer = P.ParseAnswer(state.session.setParameter(name, text), { status: "rejected", messages: [] });
        if (answer.status !== "accepted") {
            if (!state.panels.showMessages(name, answer.messages)) Notice(MessageText(answer.messages) || answer.status);
            state.rejected.add(name);
            Sync(state.rejected);
            return false;
        }
        if (!row || !row.field) state.panels.showMessages(name, []);
        state.rejected.delete(name);
        AfterChange();
        return true;
    }

    /// A rejected text stays in its field, with its message, until it is mended or a new design replaces it.
    function ForgetRejected() {
        for (const name of state.rejected) state.panels.showMessages(name, []);
        state.rejected.clear();
    }

    function AfterChange() {
        Sync(state.rejected);
        Recalculate();
        KeepCurrentDesign();
    }

    /// Keeps the design in the browser shortly after the last change (writing it costs about a calculation),
    /// and at once when the page is left, so that a reload or a closed tab never loses it.
    function KeepCurrentDesign() {
        if (state.keepTimer) clearTimeout(state.keepTimer);
        state.keepTimer = setTimeout(KeepNow, 400);
    }

    function KeepNow() {
        if (state.keepTimer) clearTimeout(state.keepTimer);
        state.keepTimer = null;
        const bytes = state.session.output("save-config", JSON.stringify({ format: "adt" }));
        if (!bytes || bytes.length === 0) return;
        if (!P.KeepDesign(window.localStorage, bytes, "umbrix.adt", new Date().toISOString())) Notice(T("keepFailed"));
    }

    function Decode(bytes) {
        return new TextDecoder().decode(bytes);
    }

    /// The drawing anew: the library calculates the dial and draws it in one call. The JSON report (tables,
    /// messages, points) follows once the drawing is shown, and pages that need it take it on demand.
    function Recalculate() {
        const start = performance.now();
        state.report = null;
        const drawing = state.session.output("svg", JSON.stringify({}));
        state.drawingError = drawing && drawing.length > 0 ? "" : state.session.lastError();
        state.view.show(state.drawingError ? "" : Decode(drawing));
        $("#messages").textContent = state.drawingError;
        state.lastRecalculationMs = performance.now() - start;
        if (Number.isNaN(state.firstDrawingMs)) state.firstDrawingMs = performance.now();
        state.dirty = new Set(["hours", "shadow", "dates", "loops", "error", "accuracy", "planner", "simulation"]);
        if (state.page !== "graphic") RenderPage(state.page);
        if (state.messagesTimer) clearTimeout(state.messagesTimer);
        state.messagesTimer = setTimeout(ShowReportMessages, 0);
    }

    /// The calculation's JSON report for the current state, calculated when first asked for.
    function Report() {
        if (!state.report) state.report = P.ParseAnswer(state.session.calculate(), { messages: [], grids: {} });
        return state.report;
    }

    function ShowReportMessages() {
        state.messagesTimer = null;
        $("#messages").textContent = [MessageText(Report().messages), state.drawingError].filter(Boolean).join("\n");
    }

    // --- pages -------------------------------------------------------------------------------------------

    function ShowPage(name, focusTab) {
        state.page = name;
        for (const tab of $$("#tabs [role=tab]")) {
            const selected = tab.dataset.page === name;
            tab.setAttribute("aria-selected", String(selected));
            tab.tabIndex = selected ? 0 : -1;
            if (selected && focusTab) tab.focus();
        }
        for (const page of $$(".page")) page.hidden = page.id !== "page-" + name;
        if (name !== "simulation") StopPlay();
        RenderPage(name);
    }

    function GridTable(grid) {
        const rows = P.TrimGrid(grid);
        if (!rows) {
            const p = document.createElement("p");
            p.className = "hint";
            p.textContent = T("noTable");
            return p;
        }
        const table = document.createElement("table");
        rows.forEach((row, r) => {
            const tr = document.createElement("tr");
            for (const cell of row) {
                const td = document.createElement(r === 0 ? "th" : "td");
                td.textContent = cell.trim();
                tr.append(td);
            }
            (r === 0 ? table.createTHead() : table.tBodies[0] || table.createTBody()).append(tr);
        });
        return table;
    }

    function Figure(holder, kind, options) {
        const bytes = state.session.output(kind, JSON.stringify(options || {}));
        if (bytes && bytes.length > 0) {
            holder.innerHTML = Decode(bytes);
            const svg = $("svg", holder);
            if (svg && !svg.getAttribute("viewBox") && svg.getAttribute("width")) {
                svg.setAttribute("viewBox", "0 0 " + parseFloat(svg.getAttribute("width")) + " " +
                    parseFloat(svg.getAttribute("height")));
            }
            if (svg) { svg.removeAttribute("width"); svg.removeAttribute("height"); svg.setAttribute("role", "img"); }
        } else {
            holder.textContent = state.session.lastError() || T("noTable");
        }
    }

    function RenderPage(name) {
        if (!state.dirty.has(name)) return;
        state.dirty.delete(name);
        const page = $("#page-" + name);
        for (const holder of $$("[data-grid]", page)) {
            holder.replaceChildren(GridTable((Report().grids || {})[holder.dataset.grid]));
        }
        for (const holder of $$("[data-figure]", page)) Figure(holder, holder.dataset.figure);
        for (const holder of $$("[data-table-text]", page)) {
            const bytes = state.session.output("table", JSON.stringify({ name: holder.dataset.tableText, format: "txt" }));
            holder.textContent = bytes && bytes.length ? Decode(bytes) : state.session.lastError();
        }
        if (name === "shadow") $("#shadowCaption").textContent = (Report().parameters || {}).shadowDateCaption || "";
        if (name === "simulation") Simulate();
        if (name === "planner") ShowPlanner();
    }

    /// The planner's share of reached cells and its recommended axis, from the report with the reach map.
    function ShowPlanner() {
        const values = Values();
        const forType = [0, 6].includes(Number(values.dialType));
        const bytes = forType ? state.session.output("json", JSON.stringify({ reach: true })) : null;
        const reach = bytes && bytes.length ? (P.ParseAnswer(Decode(bytes), {}).reach || null) : null;
        $("#plannerSummary").hidden = forType && !reach;
        $("#plannerApply").hidden = !reach || !Number.isFinite(reach.recommendedSemiMajorAxis);
        $("#plannerRecommended").textContent = "";
        if (!forType) {
            $("#plannerReached").textContent = T("plannerNotForType");
            return;
        }
        if (!reach) return;
        $("#plannerReached").textContent = T("plannerReached").replace("%1", (100 * reach.coverage).toFixed(1))
            .replace("%2", String(values.semiMajorAxis));
        if (Number.isFinite(reach.recommendedSemiMajorAxis)) {
            $("#plannerRecommended").textContent = T("plannerRecommended").replace("%1", String(reach.recommendedSemiMajorAxis));
        }
        $("#plannerApply").onclick = () => {
            const text = String(reach.recommendedSemiMajorAxis);
            const input = $('[data-param="semiMajorAxis"]');
            if (input) input.value = text;
            Commit("semiMajorAxis", text);
        };
    }

    // --- simulation --------------------------------------------------------------------------------------

    function Simulate() {
        const minutes = P.MinutesOf($("#simTime").value);
        const at = minutes === null ? null : P.SimulationTime($("#simDate").value, minutes);
        if (!at) {
            $("#simMessage").textContent = T("badTime");
            StopPlay();
            return false;
        }
        const bytes = state.session.output("at", JSON.stringify({ at }));
        const answer = bytes && bytes.length ? P.ParseAnswer(Decode(bytes), {}) : {};
        const sim = answer.simulation;
        if (!sim) {
            $("#simMessage").textContent = state.session.lastError() || MessageText(answer.messages) || T("badTime");
            StopPlay();
            return false;
        }
        $("#simMessage").textContent = MessageText(answer.messages);
        ShowSimulation(sim);
        return true;
    }

    function Format(value) {
        if (typeof value === "number") return Number.isInteger(value) ? String(value) : value.toFixed(3);
        if (value && typeof value === "object") {
            return Object.entries(value).map(([k, v]) => (kSimulationLabels[k] ? kSimulationLabels[k][state.lang === "de" ? 1 : 0] : k) +
                " " + Format(v)).join(", ");
        }
        return String(value ?? "–").trim();
    }

    function ShowSimulation(sim) {
        const list = $("#simValues");
        list.replaceChildren();
        for (const [key, value] of Object.entries(sim)) {
            const dt = document.createElement("dt");
            dt.textContent = kSimulationLabels[key] ? kSimulationLabels[key][state.lang === "de" ? 1 : 0] : key;
            const dd = document.createElement("dd");
            dd.textContent = Format(value);
            dd.dataset.sim = key;
            list.append(dt, dd);
        }
        PlotSimulation(sim);
    }

    /// The hour points, the date scale, the gnomon and the shadow tip at their dial coordinates (y up).
    function PlotSimulation(sim) {
        const svg = $("#simPlot");
        const ns = "http://www.w3.org/2000/svg";
        const real = (p) => p && Number.isFinite(p.x) && Number.isFinite(p.y) && p.x !== kNoShadow && p.y !== kNoShadow;
        const hours = (Report().hourPoints || []).filter(real);
        const dates = (Report().dateMarks || []).filter(real);
        const marks = [...hours, ...dates, sim.gnomon, sim.shadowTip].filter(real);
        if (marks.length === 0) { svg.replaceChildren(); return; }
        const xs = marks.map((p) => p.x);
        const ys = marks.map((p) => -p.y);
        const pad = 0.08 * Math.max(Math.max(...xs) - Math.min(...xs), Math.max(...ys) - Math.min(...ys), 1e-6);
        const box = [Math.min(...xs) - pad, Math.min(...ys) - pad, Math.max(...xs) - Math.min(...xs) + 2 * pad,
            Math.max(...ys) - Math.min(...ys) + 2 * pad];
        svg.setAttribute("viewBox", box.join(" "));
        const r = box[2] / 150;
        const shape = (tag, attrs) => {
            const el = document.createElementNS(ns, tag);
            for (const [k, v] of Object.entries(attrs)) el.setAttribute(k, v);
            return el;
        };
        const children = [];
        for (const p of hours) children.push(shape("circle", { cx: p.x, cy: -p.y, r, fill: "#000" }));
        for (const p of dates) children.push(shape("rect", { x: p.x - r, y: -p.y - r, width: 2 * r, height: 2 * r, fill: "#06c" }));
        if (real(sim.gnomon) && real(sim.shadowTip)) {
            children.push(shape("line", { x1: sim.gnomon.x, y1: -sim.gnomon.y, x2: sim.shadowTip.x, y2: -sim.shadowTip.y,
                                          stroke: "#555", "stroke-width": r }));
        }
        if (real(sim.gnomon)) children.push(shape("circle", { cx: sim.gnomon.x, cy: -sim.gnomon.y, r: 2 * r, fill: "#c00", "data-mark": "gnomon" }));
        if (real(sim.shadowTip)) children.push(shape("circle", { cx: sim.shadowTip.x, cy: -sim.shadowTip.y, r: 2 * r, fill: "#e80", "data-mark": "shadowTip" }));
        svg.replaceChildren(...children);
    }

    function StopPlay() {
        if (state.playTimer) clearInterval(state.playTimer);
        state.playTimer = null;
        $("#simPlay").setAttribute("aria-pressed", "false");
        $("#simPlay").textContent = T("play");
    }

    function TogglePlay() {
        if (state.playTimer) { StopPlay(); return; }
        if (!Simulate()) return;
        $("#simPlay").setAttribute("aria-pressed", "true");
        $("#simPlay").textContent = T("pause");
        state.playTimer = setInterval(() => {
            const step = Math.max(1, Math.min(240, Number($("#simStep").value) || 15));
            const minutes = (P.MinutesOf($("#simTime").value) ?? 0) + step;
            const wrapped = ((minutes % 1440) + 1440) % 1440;
            $("#simTime").value = String(Math.floor(wrapped / 60)).padStart(2, "0") + ":" + String(wrapped % 60).padStart(2, "0");
            if (!Simulate()) StopPlay();
        }, 400);
    }

    // --- downloads ---------------------------------------------------------------------------------------

    function OutputOptions(button) {
        const d = button.dataset;
        if (d.output === "svg" && d.optionsFrom === "svgScale") return { scale: "1:" + $("#svgScale").value.trim() };
        if (d.output === "template") {
            return { paper: $("#templatePaper").value, correctX: Number($("#templateCorrectX").value),
                     correctY: Number($("#templateCorrectY").value) };
        }
        if (d.output === "pdf") return { lists: d.lists || "all" };
        if (d.output === "table") return { name: d.table, format: d.format };
        if (d.format) return { format: d.format };
        return {};
    }

    function Download(button) {
        const kind = button.dataset.output;
        const options = OutputOptions(button);
        const bytes = state.session.output(kind, JSON.stringify(options));
        const message = $("#downloadMessage");
        if (!bytes || bytes.length === 0) {
            message.textContent = T("downloadFailed") + " " + (state.session.lastError() || kind);
            return;
        }
        message.textContent = "";
        const described = (state.describe.outputs || []).find((o) => o.kind === kind);
        const extension = (described && described.extension) || kExtensions[kind] || "txt";
        const name = P.DownloadName(kind, options, extension.replace(/^\./, ""));
        const blob = new Blob([bytes], { type: P.MimeType(name.split(".").pop()) });
        const link = document.createElement("a");
        link.href = URL.createObjectURL(blob);
        link.download = name;
        document.body.append(link);
        link.click();
        link.remove();
        setTimeout(() => URL.revokeObjectURL(link.href), 60000);
    }

    function BuildTableDownloads() {
        const holder = $("#tableDownloads");
        for (const [name, key] of kTables) {
            const row = document.createElement("div");
            row.className = "table-row";
            const label = document.createElement("span");
            label.dataset.text = key;
            row.append(label);
            for (const format of ["txt", "csv"]) {
                const b = document.createElement("button");
                b.type = "button";
                b.dataset.output = "table";
                b.dataset.table = name;
                b.dataset.format = format;
                b.textContent = format.toUpperCase();
                row.append(b);
            }
            holder.append(row);
        }
    }

    // --- opening and keeping -----------------------------------------------------------------------------

    async function OpenFile(file) {
        if (!file) return;
        let bytes;
        try {
            bytes = new Uint8Array(await file.arrayBuffer());
        } catch (e) {
            Notice(T("notOpened") + " " + file.name);
            return;
        }
        const answer = P.ParseAnswer(state.session.readConfig(bytes, file.name), { ok: false, messages: [] });
        const details = MessageText([...(answer.messages || []), ...(answer.warnings || [])]);
        if (!answer.ok) {
            Notice(T("notOpened") + " " + file.name + (details ? "\n" + details : ""));
            return;
        }
        state.session.setLanguage(state.lang);
        Notice(T("opened") + " " + file.name + (details ? "\n" + details : ""));
        ForgetRejected();
        AfterChange();
    }

    function RestoreKeptDesign() {
        const kept = P.ReadKeptDesign(window.localStorage);
        if (!kept) return;
        const answer = P.ParseAnswer(state.session.readConfig(kept.bytes, kept.fileName), { ok: false });
        if (!answer.ok) return;
        Notice(T("kept"), T("startNew"), () => {
            window.localStorage.removeItem(P.kDesignKey);
            state.session.delete();
            state.session = new state.M.Session();
            state.session.setLanguage(state.lang);
            Notice("");
            ForgetRejected();
            Sync();
            Recalculate();
        });
    }

    // --- place search ------------------------------------------------------------------------------------

    function SearchPlaces() {
        const text = $("#placeSearch").value;
        const list = $("#placeList");
        state.places = text.trim() && state.M.searchPlaces ? P.ParseAnswer(state.M.searchPlaces(text, state.lang), []) : [];
        state.places = state.places.slice(0, 20);
        state.activePlace = state.places.length ? 0 : -1;
        list.replaceChildren();
        state.places.forEach((place, i) => {
            const li = document.createElement("li");
            li.id = "place-" + i;
            li.setAttribute("role", "option");
            li.dataset.place = place.name;
            li.textContent = PlaceText(place);
            li.addEventListener("mousedown", (e) => { e.preventDefault(); ChoosePlace(i); });
            list.append(li);
        });
        if (text.trim() && state.places.length === 0) {
            const li = document.createElement("li");
            li.className = "hint";
            li.textContent = T("placeNone");
            list.append(li);
        }
        list.hidden = !text.trim();
        $("#placeSearch").setAttribute("aria-expanded", String(!list.hidden));
        MarkActivePlace();
    }

    function PlaceText(place) {
        const where = [place.name, place.state, place.country].filter(Boolean).join(", ");
        const ns = place.latitude >= 0 ? "N" : "S";
        const ew = place.longitudeEast >= 0 ? "E" : "W";
        return where + " — " + Math.abs(place.latitude).toFixed(2) + "° " + ns + ", " +
            Math.abs(place.longitudeEast).toFixed(2) + "° " + ew + ", " + place.timeZone;
    }

    function MarkActivePlace() {
        $$("#placeList [role=option]").forEach((li, i) => li.setAttribute("aria-selected", String(i === state.activePlace)));
        const input = $("#placeSearch");
        if (state.activePlace >= 0) input.setAttribute("aria-activedescendant", "place-" + state.activePlace);
        else input.removeAttribute("aria-activedescendant");
    }

    function ChoosePlace(i) {
        const place = state.places[i];
        if (!place) return;
        const answer = P.ParseAnswer(state.session.setPlace(JSON.stringify(place)), { status: "accepted", messages: [] });
        $("#placeList").hidden = true;
        $("#placeSearch").setAttribute("aria-expanded", "false");
        if (answer.status && answer.status !== "accepted" && answer.ok !== true) {
            $("#placeChosen").textContent = MessageText(answer.messages) || answer.status;
            return;
        }
        $("#placeChosen").textContent = PlaceText(place) + " (" + T("timeZone") + ": " + place.timeZone + ")";
        $("#placeSearch").value = place.name;
        for (const name of ["latitude", "longitude", "zoneMeridian"]) {
            state.rejected.delete(name);
            state.panels.showMessages(name, []);
        }
        AfterChange();
    }

    function PlaceKeys(e) {
        const list = $("#placeList");
        if (e.key === "ArrowDown" || e.key === "ArrowUp") {
            if (list.hidden) SearchPlaces();
            const n = state.places.length;
            if (n) state.activePlace = (state.activePlace + (e.key === "ArrowDown" ? 1 : n - 1)) % n;
            MarkActivePlace();
            e.preventDefault();
        } else if (e.key === "Enter") {
            e.preventDefault();
            if (list.hidden) SearchPlaces();
            if (state.activePlace >= 0) ChoosePlace(state.activePlace);
        } else if (e.key === "Escape") {
            list.hidden = true;
        }
    }

    // --- help --------------------------------------------------------------------------------------------

    function OpenHelp() {
        const frame = $("#helpFrame");
        const embedded = window.UMBRIX_HELP && window.UMBRIX_HELP[state.lang];
        if (frame.dataset.lang !== state.lang) {
            if (frame.dataset.blob) URL.revokeObjectURL(frame.dataset.blob);
            if (embedded) {
                frame.dataset.blob = URL.createObjectURL(new Blob([embedded], { type: "text/html" }));
                frame.src = frame.dataset.blob;
            } else {
                frame.src = "help/umbrix_" + (state.lang === "de" ? "d" : "e") + ".html";
            }
            frame.dataset.lang = state.lang;
        }
        $("#helpPanel").hidden = false;
        $("#helpClose").focus();
    }

    function CloseHelp() {
        $("#helpPanel").hidden = true;
        $("#helpButton").focus();
    }

    // --- start -------------------------------------------------------------------------------------------

    function SetLanguage(lang) {
        state.lang = lang === "de" ? "de" : "en";
        try { window.localStorage.setItem(P.kLanguageKey, state.lang); } catch (e) { /* kept for this visit only */ }
        state.session.setLanguage(state.lang);
        Relabel();
        Sync(state.rejected);
        Recalculate();
        KeepCurrentDesign();
    }

    function Bind() {
        state.view = new P.DrawingView($("#drawing"));
        const actions = { zoomIn: () => state.view.zoomIn(), zoomOut: () => state.view.zoomOut(), fit: () => state.view.fit(),
                          left: () => state.view.pan(-1, 0), right: () => state.view.pan(1, 0),
                          up: () => state.view.pan(0, -1), down: () => state.view.pan(0, 1) };
        for (const b of $$("[data-view]")) b.addEventListener("click", actions[b.dataset.view]);
        $("#calculate").addEventListener("click", Recalculate);
        $("#dialType").addEventListener("change", (e) => Commit("dialType", e.target.value));
        $("#language").addEventListener("change", (e) => SetLanguage(e.target.value));
        $("#openButton").addEventListener("click", () => $("#openFile").click());
        $("#openFile").addEventListener("change", (e) => { OpenFile(e.target.files[0]); e.target.value = ""; });
        $("#noticeClose").addEventListener("click", () => Notice(""));
        $("#helpButton").addEventListener("click", OpenHelp);
        $("#helpClose").addEventListener("click", CloseHelp);
        $("#placeSearch").addEventListener("input", SearchPlaces);
        $("#placeSearch").addEventListener("keydown", PlaceKeys);
        $("#placeSearch").addEventListener("blur", () => { $("#placeList").hidden = true; });
        $("#simulationForm").addEventListener("submit", (e) => { e.preventDefault(); StopPlay(); Simulate(); });
        $("#simPlay").addEventListener("click", TogglePlay);
        document.addEventListener("click", (e) => {
            const button = e.target.closest("[data-output]");
            if (button) Download(button);
        });
        const tabs = $$("#tabs [role=tab]");
        tabs.forEach((tab, i) => {
            tab.id = "tab-" + tab.dataset.page;
            tab.setAttribute("aria-controls", "page-" + tab.dataset.page);
            $("#page-" + tab.dataset.page).setAttribute("aria-labelledby", tab.id);
            tab.addEventListener("click", () => ShowPage(tab.dataset.page));
            tab.addEventListener("keydown", (e) => {
                const step = { ArrowRight: 1, ArrowLeft: -1, Home: -i, End: tabs.length - 1 - i }[e.key];
                if (step === undefined) return;
                e.preventDefault();
                ShowPage(tabs[(i + step + tabs.length) % tabs.length].dataset.page, true);
            });
        });
        document.addEventListener("keydown", (e) => {
            if (e.key === "F1") { e.preventDefault(); OpenHelp(); }
            else if (e.key === "Escape" && !$("#helpPanel").hidden) CloseHelp();
            else if (e.altKey && state.page === "graphic" && e.key.startsWith("Arrow")) {
                e.preventDefault();
                state.view.handleKey(e.key);
            }
        });
        window.addEventListener("pagehide", () => { if (state.keepTimer) KeepNow(); });
        document.addEventListener("visibilitychange", () => { if (document.hidden && state.keepTimer) KeepNow(); });
        const drop = $("#dropZone");
        document.addEventListener("dragover", (e) => { e.preventDefault(); drop.hidden = false; });
        document.addEventListener("dragleave", (e) => { if (!e.relatedTarget) drop.hidden = true; });
        document.addEventListener("drop", (e) => {
            e.preventDefault();
            drop.hidden = true;
            OpenFile(e.dataTransfer && e.dataTransfer.files[0]);
        });
    }

    async function Start() {
        try {
            state.M = await window.createUmbrix();
        } catch (e) {
            $("#loading").textContent = T("loadFailed") + " " + e;
            return;
        }
        state.describe = P.ParseAnswer(state.M.describe(), { parameters: [], dialTypes: [], texts: {}, outputs: [] });
        let stored = null;
        try { stored = window.localStorage.getItem(P.kLanguageKey); } catch (e) { /* no storage: browser language */ }
        state.lang = P.ChooseLanguage(stored, navigator.languages || [navigator.language]);
        state.session = new state.M.Session();
        for (const p of state.describe.parameters) state.rows.set(p.name, p);
        state.panels = new P.InputPanels(state.describe, {
            panels: $("#panels"),
            containerFor: (panel) => $('[data-inputs-for="' + panel + '"]'),
            text: DescribeText,
            commit: Commit,
        });
        const select = $("#dialType");
        for (const t of state.describe.dialTypes) {
            const o = document.createElement("option");
            o.value = String(t.value);
            select.append(o);
        }
        BuildTableDownloads();
        Bind();
        RestoreKeptDesign();
        state.session.setLanguage(state.lang);
        Relabel();
        Sync();
        ShowPage("graphic");
        Recalculate();
        $("#loading").hidden = true;
        document.body.dataset.ready = "true";
        window.umbrixPage = {
            recalculate: () => { Recalculate(); return state.lastRecalculationMs; },
            firstDrawingMs: () => state.firstDrawingMs,
        };
    }

    Start();
})();
