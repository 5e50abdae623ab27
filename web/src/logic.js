// The page's small pure helpers: language choice, the kept design, tables, file names and the simulation clock.
// No DOM here, so node's test runner checks them directly.
(function (root) {
    "use strict";

    const kLanguageKey = "umbrix.language";
    const kDesignKey = "umbrix.design";

    /// The language of the page: the one remembered, else the browser's first preference, else English.
    function ChooseLanguage(stored, browserLanguages) {
        if (stored === "de" || stored === "en") return stored;
        for (const tag of browserLanguages || []) {
            const primary = String(tag).toLowerCase().split("-")[0];
            if (primary === "de" || primary === "en") return primary;
        }
        return "en";
    }

    /// Bytes to text for local storage and back (base64 keeps any byte of a configuration file).
    function BytesToBase64(bytes) {
        let binary = "";
        for (let i = 0; i < bytes.length; i += 0x8000) {
            binary += String.fromCharCode.apply(null, bytes.subarray(i, i + 0x8000));
        }
        return btoa(binary);
    }

    function Base64ToBytes(text) {
        try {
            const binary = atob(text);
            const bytes = new Uint8Array(binary.length);
            for (let i = 0; i < binary.length; ++i) bytes[i] = binary.charCodeAt(i);
            return bytes;
        } catch (e) {
            return null;
        }
    }

    /// A stored design, or null when there is none or it is not one this page wrote.
    function ReadKeptDesign(storage) {
        let raw = null;
        try {
            raw = storage.getItem(kDesignKey);
        } catch (e) {
            return null;
        }
        if (!raw) return null;
        try {
            const kept = JSON.parse(raw);
            const bytes = typeof kept.config === "string" ? Base64ToBytes(kept.config) : null;
            if (!bytes || bytes.length === 0) return null;
            return { bytes, fileName: String(kept.fileName || "umbrix.adt"), savedAt: String(kept.savedAt || "") };
        } catch (e) {
            return null;
        }
    }

    /// Keeps the design; returns false when the storage refuses (full or forbidden), which the page reports.
    function KeepDesign(storage, bytes, fileName, savedAt) {
        try {
            storage.setItem(kDesignKey, JSON.stringify({ config: BytesToBase64(bytes), fileName, savedAt }));
            return true;
        } catch (e) {
            return false;
        }
    }

    /// A grid of the report without its empty trailing rows and columns; null when nothing is left. The first
    /// row is the heading: a column whose only text is its heading goes too (the hour table's fourth block of
    /// columns at two lines per hour), unless the grid has no other row.
    function TrimGrid(grid) {
        if (!Array.isArray(grid)) return null;
        const filled = (cell) => String(cell ?? "").trim() !== "";
        let rows = grid.length;
        while (rows > 0 && !grid[rows - 1].some(filled)) --rows;
        let columns = 0;
        for (let r = rows > 1 ? 1 : 0; r < rows; ++r) {
            for (let c = grid[r].length - 1; c >= columns; --c) {
                if (filled(grid[r][c])) { columns = c + 1; break; }
            }
        }
        if (rows === 0 || columns === 0) return null;
        return grid.slice(0, rows).map((row) => Array.from({ length: columns }, (_, c) => String(row[c] ?? "")));
    }

    /// The file name of a download: "umbrix" plus what tells two downloads of one kind apart.
    function DownloadName(kind, options, extension) {
        const o = options || {};
        const parts = ["umbrix"];
        if (kind === "table") parts.push(o.name || "table");
        else if (kind === "svg" && o.scale) parts.push(String(o.scale).replace(":", "-"));
        else if (kind === "dxf-mm") parts.push("mm");
        else if (kind === "pdf" && o.lists === "none") parts.push("graphic");
        else if (!["json", "svg", "plt", "dxf", "pdf", "save-config"].includes(kind)) parts.push(kind);
        const ext = o.format || extension;
        return parts.join("-") + "." + ext;
    }

    const kMimeTypes = {
        json: "application/json", svg: "image/svg+xml", plt: "application/vnd.hp-hpgl", dxf: "image/vnd.dxf",
        pdf: "application/pdf", csv: "text/csv", txt: "text/plain", adt: "text/plain", ini: "text/plain",
    };

    function MimeType(extension) {
        return kMimeTypes[extension] || "application/octet-stream";
    }

    /// "DD/MM/YYYY HH:MM" of a date and minutes after midnight, as the simulation takes it.
    function SimulationTime(dateText, minutes) {
        const m = /^\s*(\d{1,2})\/(\d{1,2})\/(\d{4})\s*$/.exec(dateText || "");
        if (!m) return null;
        const wrapped = ((Math.round(minutes) % 1440) + 1440) % 1440;
        const pad = (n) => String(n).padStart(2, "0");
        return pad(Number(m[1])) + "/" + pad(Number(m[2])) + "/" + m[3] + " " +
            pad(Math.floor(wrapped / 60)) + ":" + pad(wrapped % 60);
    }

    /// "HH:MM" to minutes after midnight; null for anything else.
    function MinutesOf(clockText) {
        const m = /^\s*(\d{1,2}):(\d{2})\s*$/.exec(clockText || "");
        if (!m || Number(m[1]) > 23 || Number(m[2]) > 59) return null;
        return Number(m[1]) * 60 + Number(m[2]);
    }

    /// Parses a JSON answer of the library; a broken answer becomes an object with its error, never a throw.
    function ParseAnswer(text, fallback) {
        try {
            return JSON.parse(text);
        } catch (e) {
            return fallback;
        }
    }

    /// The states that the dial type's presets and the current state give each control. Parameters carry the
    /// enabling per dial type (and whether only the split dial, or only its searching methods 2 to 4, use
    /// them); the session's control states refine it, by parameter or control name.
    /// values: the session's parameters (dialType, doubleAnalemmaActive, doubleAnalemmaMethod).
    function ControlStates(parameters, values, sessionStates) {
        const dialType = Number(values.dialType) || 0;
        const split = values.doubleAnalemmaActive === true || values.doubleAnalemmaActive === 1;
        const searching = split && Number(values.doubleAnalemmaMethod) >= 2;
        const byName = new Map();
        for (const p of parameters) {
            let enabled = Array.isArray(p.enabledByDialType) ? p.enabledByDialType[dialType] !== false : true;
            if (p.splitDialOnly && !split) enabled = false;
            if (p.searchMethodOnly && !searching) enabled = false;
            byName.set(p.name, { enabled, visible: true, yellow: false });
        }
        const controlToName = new Map();
        for (const p of parameters) {
            if (p.field) controlToName.set(p.field, p.name);
            if (p.control) controlToName.set(p.control, p.name);
        }
        for (const s of sessionStates || []) {
            const name = byName.has(s.name) ? s.name : controlToName.get(s.name);
            if (!name) continue;
            const state = byName.get(name);
            if (typeof s.enabled === "boolean") state.enabled = s.enabled;
            if (typeof s.visible === "boolean") state.visible = s.visible;
            if (typeof s.yellow === "boolean") state.yellow = s.yellow;
        }
        return byName;
    }

    const api = { ChooseLanguage, BytesToBase64, Base64ToBytes, ReadKeptDesign, KeepDesign, TrimGrid, DownloadName,
                  MimeType, SimulationTime, MinutesOf, ParseAnswer, ControlStates, kLanguageKey, kDesignKey };
    Object.assign(root, api);
    if (typeof module !== "undefined") module.exports = api;
})(typeof window !== "undefined" ? (window.UmbrixPage = window.UmbrixPage || {}) : {});
