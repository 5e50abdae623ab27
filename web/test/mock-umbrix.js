// A stand-in for the WebAssembly library (umbrix.js): the same API with canned answers, so that the page and its
// browser tests run before the real module is built. Its checks imitate the core's only where the page's tests
// need an outcome (a rejected latitude, a disabled field, a configuration file read back). The outputs are the
// native program's files for one fixed design (web/test/make_mock_data.py), whatever the session holds.
(function () {
    "use strict";
    const data = globalThis.UMBRIX_MOCK_DATA || {};

    const T = (en, de) => ({ en, de });
    const all = [true, true, true, true, true, true, true, true];
    const only = (...types) => all.map((_, i) => types.includes(i));

    // name, kind, unit, min, max, default, panel, group, enabled dial types, control, choices. The rows of the
    // window's dialogs name no panel or control, as in the library's table, so the page places them itself.
    const rows = [
        ["latitude", "real", "deg", -90, 90, 47.25, "Panel1", "site", all, "eBreit"],
        ["longitude", "real", "deg", -195, 195, -9.59, "Panel1", "site", all, "eLang"],
        ["zoneMeridian", "real", "deg", -195, 195, -15, "Panel1", "site", all, "eZone"],
        ["showZoneTime", "boolean", "", 0, 1, false, "Panel1", "site", all, "chBzonzeit"],
        ["planeInclination", "real", "deg", -90, 110, 0, "Panel1", "plane", only(2, 3), "eIncl"],
        ["planeDeviation", "real", "deg", -180, 180, 0, "Panel1", "plane", only(2, 5), "eDek"],
        ["gnomonInclination", "real", "deg", -150, 150, 0, "Panel1", "gnomon", only(1, 3, 4, 7), "eGnomInc"],
        ["gnomonDeviation", "real", "deg", -180, 180, 0, "Panel1", "gnomon", only(1, 7), "eGnomDek"],
        ["gnomonHeight", "real", "length", 0.05, null, 1.7, "Panel1", "gnomon", all, "eHoehe"],
        ["semiMajorAxis", "real", "length", 1, null, 2.75, "Panel1", "ellipse", all, "eHalb"],
        ["distanceZ", "real", "length", null, null, -3, "Panel1", "ellipse", only(7), "eVergr"],
        ["hourFrom", "integer", "h", 0, 20, 5, "Panel1", "hours", all, "eStart"],
        ["hourTo", "integer", "h", 5, 24, 21, "Panel1", "hours", all, "eEnd"],
        ["linesPerHour", "integer", "", 1, 6, 2, "Panel1", "hours", all, "eLph"],
        ["year", "integer", "", 1700, 2100, 2015, "Panel1", "dates", all, "ejahr"],
        ["marksPerMonth", "choice", "", null, null, 3, "Panel1", "dates", all, "rgAnzahl",
         [["1", "1", "1"], ["2", "2", "2"], ["3", "3", "3"], ["6", "6", "6"]]],
        ["shadowDate", "date", "", null, null, "01/05", "Panel1", "dates", all, "MaskEdit1"],
        ["showShadowPath", "boolean", "", 0, 1, true, "Panel1", "dates", only(0, 1, 3, 4, 6, 7), "chBSchatt"],
        ["markRiseSet", "boolean", "", 0, 1, false, "Panel1", "dates", all, "ChBRiseSet"],
        ["marksMode", "choice", "", null, null, 1, "Panel2", "split", only(6), "rgTyp",
         [["1", "one analemma", "ein Analemma"], ["2", "split dial", "geteilte Uhr"]]],
        ["doubleAnalemmaMethod", "choice", "", null, null, 1, "Panel2", "split", only(6), "rgMittelwert",
         [["0", "exact", "genau"], ["1", "mean", "Mittel"], ["2", "minimax", "Minimax"]]],
        ["errorHourFrom", "integer", "h", 4, 11, 8, "Panel2", "errors", only(6), "efStart"],
        ["errorHourTo", "integer", "h", 13, 21, 19, "Panel2", "errors", only(6), "efEnd"],
        ["fineSearch", "boolean", "", 0, 1, false, "Panel2", "errors", only(6), "chbGenau"],
        ["riseSetDeclination", "real", "deg", null, null, 20.2, "TSAnaDat", "riseSet", all, "eRiseSet"],
        ["showLambertCircle", "boolean", "", 0, 1, true, "TSAnaDat", "riseSet", all, "ChBLambert"],
        ["lengthUnit", "choice", "", null, null, "m", "", "", all, "",
         [["m", "m", "m"], ["cm", "cm", "cm"], ["mm", "mm", "mm"], ["in", "in", "in"], ["ft", "ft", "ft"]]],
        ["magneticDeclination", "real", "deg", -180, 180, 0, "", "", all, ""],
        ["bodyHeight", "real", "length", 0.05, null, 1.7, "", "", all, ""],
        ["reachCoverage", "real", "", 0, 1, 0.9, "", "", all, ""],
        ["dxfAxisLength", "real", "length", 2, 20, 0, "PanSave", "export", all, "EddxfAchs"],
    ];

    const parameters = rows.map(([name, kind, unit, min, max, def, panel, group, enabled, field, choices]) => ({
        name, field, kind, unit, min, max, default: def, panel, group, enabledByDialType: enabled,
        choices: (choices || []).map(([value, en, de]) => ({ value, en, de })),
        meaning: T("the " + name, "der Wert " + name),
        caption: panel ? T(name, name + " (de)") : null,
    }));

    const dialTypes = [0, 1, 2, 3, 4, 5, 6, 7].map((v) => ({ value: String(v), en: "Dial type " + v, de: "Uhrtyp " + v }));

    const describe = {
        parameters,
        options: [{ name: "svg", value: "FILE", choices: [], meaning: T("draws the construction", "zeichnet die Konstruktion") }],
        texts: { Panel1: T("Dial", "Uhr"), Panel2: T("Split dial", "Geteilte Uhr"), TSAnaDat: T("Date marks", "Datumsmarken"),
                 site: T("Site", "Standort"), settings: T("Settings", "Einstellungen") },
        dialTypes,
        outputs: [{ kind: "svg", extension: "svg", mime: "image/svg+xml", dialTypes: [0, 1, 2, 3, 4, 5, 6, 7] }],
    };

    const places = [
        { name: "Cape Town", state: "Western Cape", country: "South Africa", countryCode: "ZA", latitude: -33.92584,
          longitudeEast: 18.42322, timeZone: "Africa/Johannesburg", population: 3433441 },
        { name: "Berlin", state: "Berlin", country: "Germany", countryCode: "DE", latitude: 52.52437,
          longitudeEast: 13.41053, timeZone: "Europe/Berlin", population: 3426354 },
        { name: "Capelle aan den IJssel", state: "South Holland", country: "Netherlands", countryCode: "NL",
          latitude: 51.92917, longitudeEast: 4.57778, timeZone: "Europe/Amsterdam", population: 66854 },
    ];

    const bytesOf = (b64) => Uint8Array.from(atob(b64 || ""), (c) => c.charCodeAt(0));
    const textBytes = (text) => new TextEncoder().encode(text);
    const problem = { en: "UMBRIX.EXE  -  Problem!", de: "UMBRIX.EXE  -  Problem!" };
    const badNumber = { en: "This is not a real number !", de: "Dies ist keine reelle Zahl !" };
    const badInput = { en: "Error in Input !", de: "Fehler in der Eingabe !" };

    class Session {
        constructor() {
            this.lang = "de";
            this.values = {};
            for (const p of parameters) this.values[p.name] = p.default;
            this.values.dialType = 0;
            this.error = "";
        }
        delete() {}
        setLanguage(lang) { this.lang = lang === "en" ? "en" : "de"; }
        row(name) { return parameters.find((p) => p.name === name); }
        check(name, text) {
            const p = this.row(name);
            if (name === "dialType") {
                return /^[0-7]$/.test(text) ? { accepted: true, value: Number(text) } : { accepted: false, message: badInput };
            }
            if (!p) return { unknown: true };
            if (!p.enabledByDialType[this.values.dialType]) return { disabled: true };
            if (p.kind === "boolean") return { accepted: true, value: text === "1" || text === "true" };
            if (p.kind === "choice") {
                return p.choices.some((c) => c.value === text) ? { accepted: true, value: text }
                    : { accepted: false, message: badInput };
            }
            if (p.kind === "date") {
                return /^\d\d\/\d\d$/.test(text) ? { accepted: true, value: text } : { accepted: false, message: badInput };
            }
            const v = Number(String(text).trim());
            if (String(text).trim() === "" || !Number.isFinite(v)) return { accepted: false, message: badNumber };
            if ((p.min !== null && v < p.min) || (p.max !== null && v > p.max)) return { accepted: false, message: badInput };
            return { accepted: true, value: v };
        }
        /// The refusal and, as the core's second line, the field's caption and the values it takes.
        messages(outcome, name) {
            if (!outcome.message) return [];
            const p = this.row(name);
            const range = p && p.min !== null && p.max !== null ? p.min + " … " + p.max : "";
            const second = p ? "\n" + p.caption[this.lang] + ": " + range : "";
            return [{ caption: problem[this.lang], text: outcome.message[this.lang] + second }];
        }
        setParameter(name, text) {
            const outcome = this.check(name, String(text));
            if (outcome.unknown) return JSON.stringify({ status: "unknown", messages: [] });
            if (outcome.disabled) return JSON.stringify({ status: "disabled", messages: [] });
            if (!outcome.accepted) return JSON.stringify({ status: "rejected", messages: this.messages(outcome, name) });
            this.values[name] = outcome.value;
            return JSON.stringify({ status: "accepted", messages: [] });
        }
        validateField(name, text) {
            const outcome = this.check(name, String(text));
            const accepted = !!outcome.accepted;
            if (accepted) this.values[name] = outcome.value;
            return JSON.stringify({ accepted, text: accepted ? String(text).trim() : String(text),
                                    messages: this.messages(outcome, name), others: [] });
        }
        controlStates() {
            return JSON.stringify(parameters.map((p) => ({ name: p.name, enabled: p.enabledByDialType[this.values.dialType] })));
        }
        parameters() { return JSON.stringify({ ...this.values, language: this.lang }); }
        report() {
            const report = JSON.parse(JSON.stringify(data["report-" + this.lang] || { grids: {} }));
            report.parameters = { ...report.parameters, ...this.values, language: this.lang };
            return report;
        }
        calculate() { return JSON.stringify(this.report()); }
        output(kind, optionsJson) {
            const options = optionsJson ? JSON.parse(optionsJson) : {};
            this.error = "";
            switch (kind) {
            case "json": {
                const report = this.report();
                if (options.reach) report.reach = data["reach-" + this.lang];
                return textBytes(JSON.stringify(report));
            }
            case "at": {
                const report = this.report();
                report.simulation = { ...data["simulation-" + this.lang], date: (options.at || "").slice(0, 10),
                                      zoneTime: Number((options.at || "00:00").slice(-5, -3)) };
                return textBytes(JSON.stringify(report));
            }
            case "setting-out": return bytesOf(data[options.format === "csv" ? "setting-out-csv" : "setting-out-pdf"]);
            case "table": return bytesOf(data[options.format === "csv" ? "table-csv" : "table-txt"]);
            case "save-config": {
                const lines = Object.entries(this.values).map(([k, v]) => k + "=" + v);
                return textBytes(lines.join("\n") + "\n");
            }
            default:
                if (data[kind]) return bytesOf(data[kind]);
                this.error = "unknown output " + kind;
                return new Uint8Array(0);
            }
        }
        lastError() { return this.error; }
        readConfig(bytes, fileName) {
            const text = new TextDecoder().decode(bytes);
            const pairs = text.split(/\r?\n/).filter((l) => l.includes("=")).map((l) => l.split("="));
            if (pairs.length === 0) {
                return JSON.stringify({ ok: false, messages: [{ caption: problem[this.lang],
                    text: (this.lang === "en" ? "Cannot read " : "Nicht lesbar: ") + fileName }], warnings: [] });
            }
            for (const [k, v] of pairs) {
                if (k in this.values) this.values[k] = this.check(k, v).accepted ? this.check(k, v).value : this.values[k];
            }
            return JSON.stringify({ ok: true, messages: [], warnings: [] });
        }
        setPlace(placeJson) {
            const place = JSON.parse(placeJson);
            this.values.latitude = place.latitude;
            this.values.longitude = -place.longitudeEast;
            this.values.zoneMeridian = -15 * Math.round(place.longitudeEast / 15);
            return JSON.stringify({ status: "accepted", messages: [] });
        }
    }

    function searchPlaces(text) {
        const needle = String(text).trim().toLowerCase();
        return JSON.stringify(needle ? places.filter((p) => p.name.toLowerCase().startsWith(needle)) : []);
    }

    globalThis.createUmbrix = function () {
        return Promise.resolve({ describe: () => JSON.stringify(describe), Session, searchPlaces });
    };
})();
