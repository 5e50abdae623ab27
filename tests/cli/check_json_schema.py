"""The JSON schema of umbrix-cli --json against the program's output.

Usage: check_json_schema.py UMBRIX_CLI SCHEMA

Checks the schema itself (a valid 2020-12 schema; every object closed and every property required), validates
the report of every dial type and every method of the split dial, makes sure the schema rejects a report
with a key missing, a key too many or a value of the wrong type, and that it describes every key of a report's
parameters (the build writes that part from the parameter table) with a type and a sentence.
"""

import copy
import json
import subprocess
import sys

from jsonschema import Draft202012Validator

umbrix_cli, schema_path = sys.argv[1], sys.argv[2]
with open(schema_path, encoding="utf-8") as f:
    schema = json.load(f)
Draft202012Validator.check_schema(schema)
validator = Draft202012Validator(schema)
faults = []


# The parts of the report that only an option asks for: the only keys an object may leave out.
OPTIONAL = {"#": {"designError", "errorBudget", "simulation", "reach", "correction", "dstHourPoints", "dstDateMarks"},
            "#/properties/dateMarks/items": {"leapCycle"},
            "#/properties/site": {"name", "state", "country", "countryCode", "timeZone", "latitude", "longitudeEast"}}


def closed_everywhere(node, where):
    """Every object schema forbids other keys and requires all of its own but the optional parts."""
    if isinstance(node, dict):
        if node.get("type") == "object" or node.get("type") == ["object", "null"]:
            if node.get("additionalProperties") is not False:
                faults.append(f"{where}: additionalProperties is not false")
            own = set(node.get("properties", {})) - OPTIONAL.get(where, set())
            if sorted(node.get("required", [])) != sorted(own):
                faults.append(f"{where}: required does not list every property")
        for key, value in node.items():
            closed_everywhere(value, f"{where}/{key}")
    elif isinstance(node, list):
        for i, value in enumerate(node):
            closed_everywhere(value, f"{where}/{i}")


closed_everywhere(schema, "#")


def report(*sets, lang="de", options=()):
    args = [umbrix_cli, "--lang", lang, "--json", "-", *options]
    for s in sets:
        args += ["--set", s]
    run = subprocess.run(args, capture_output=True, text=True, check=False)
    if run.returncode not in (0, 1):  # 1: the calculation reported an error code; the report is written all the same
        faults.append(f"{' '.join(sets)}: exit {run.returncode}: {run.stderr}")
        return None
    return json.loads(run.stdout)


cases = [[f"dialType={t}"] for t in range(8)]
cases += [["dialType=6", "marksMode=2", f"doubleAnalemmaMethod={m}"] for m in range(5)]
reports = {}
for sets in cases:
    doc = report(*sets)
    if doc is None:
        continue
    reports[" ".join(sets)] = doc
    for error in validator.iter_errors(doc):
        faults.append(f"{' '.join(sets)}: {error.json_path}: {error.message}")
english = report("dialType=7", lang="en")
if english is not None:
    for error in validator.iter_errors(english):
        faults.append(f"--lang en dialType=7: {error.json_path}: {error.message}")

# The site of a place from the gazetteer, of a zone without summer time, and of a period across the new year.
for options in (["--place", "Wien"], ["--place", "Cape Town", "--correction"],
                ["--set", "timeZone=Australia/Sydney", "--set", "year=2027"], ["--set", "summerTimeRule=none"]):
    doc = report(options=options)
    if doc is None:
        continue
    for error in validator.iter_errors(doc):
        faults.append(f"{' '.join(options)}: {error.json_path}: {error.message}")
    site = doc.get("site", {})
    if options[1] == "Wien" and (site.get("countryCode") != "AT" or site["summerTime"]["abbreviation"] != "CEST"):
        faults.append(f"--place Wien: site is {site}")
    if options[1] == "Cape Town" and site.get("summerTime") is not None:
        faults.append(f"--place Cape Town: summer time {site.get('summerTime')}")
    if options[1].startswith("timeZone") and site["summerTime"]["start"] != "03/10":
        faults.append(f"Australia/Sydney: summer time {site['summerTime']}")
if reports.get("dialType=0", {}).get("site") != {"summerTime": {"rule": "eu", "start": "29/03", "end": "24/10",
                                                                "offsetHours": 1, "abbreviation": ""}}:
    faults.append(f"the default dial's site is {reports.get('dialType=0', {}).get('site')}")

# The parts a report of the split dial and of the fixed gnomon fill must not be empty, or the cases above
# would not have checked them.
split = reports.get("dialType=6 marksMode=2 doubleAnalemmaMethod=2", {})
fixed = reports.get("dialType=7", {})
if not split.get("loops", {}).get("morning") or not split.get("loops", {}).get("statistics", {}).get("morning"):
    faults.append("the split dial's report has no loop or no statistics")
if not fixed.get("fixedGnomon", {}).get("lines"):
    faults.append("the fixed gnomon's report has no date lines")


def must_fail(name, change):
    doc = copy.deepcopy(split or reports.get("dialType=0"))
    change(doc)
    if validator.is_valid(doc):
        faults.append(f"the schema accepts a report with {name}")


# The analyses' parts, each present only when asked for.
ANALYSES = ["--accuracy", "--at", "21/06/2015 10:30", "--correction"]
analysis_cases = [["dialType=0"], ["dialType=3", "planeInclination=20"], ["dialType=6"], ["dialType=7"],
                  ["dialType=6", "marksMode=2", "doubleAnalemmaMethod=2"]]
analysed = {}
for sets in analysis_cases:
    planner = ["--reach"] if sets[0] in ("dialType=0", "dialType=6") else []
    doc = report(*sets, options=ANALYSES + planner)
    if doc is None:
        continue
    analysed[" ".join(sets)] = doc
    for error in validator.iter_errors(doc):
        faults.append(f"{' '.join(sets)} with the analyses: {error.json_path}: {error.message}")
    wanted = {"designError", "errorBudget", "simulation", "correction"} | ({"reach"} if planner else set())
    if set(doc) & set(OPTIONAL["#"]) != wanted:
        faults.append(f"{' '.join(sets)}: the analyses' parts are {sorted(set(doc) & OPTIONAL['#'])}")
for sets, doc in reports.items():
    if set(doc) & OPTIONAL["#"]:
        faults.append(f"{sets}: a part no option asked for: {sorted(set(doc) & OPTIONAL['#'])}")
default = analysed.get("dialType=0", {})
if not default.get("designError", {}).get("minutes") or not default.get("simulation", {}).get("reading"):
    faults.append("the default dial's analyses are empty: the schema checks above checked nothing")


def analysis_must_fail(name, change):
    doc = copy.deepcopy(default)
    change(doc)
    if validator.is_valid(doc):
        faults.append(f"the schema accepts a report with {name}")


# The summer-time ring's parts have the form of hourPoints and dateMarks.
if default:
    ring = copy.deepcopy(default)
    ring["dstHourPoints"] = ring["hourPoints"]
    ring["dstDateMarks"] = ring["dateMarks"][:3]
    for error in validator.iter_errors(ring):
        faults.append(f"a report with the summer-time ring: {error.json_path}: {error.message}")
    analysis_must_fail("a summer-time date mark without label", lambda d: d.update(dstDateMarks=[{"x": 0, "y": 0}]))
    analysis_must_fail("a summer-time hour point as a number", lambda d: d.update(dstHourPoints=[1]))

if default:
    analysis_must_fail("a string in the error map", lambda d: d["designError"]["minutes"][0].__setitem__(0, "1"))
    analysis_must_fail("no hours in the reach map", lambda d: d["reach"].pop("hours"))
    analysis_must_fail("an extra key in the simulation", lambda d: d["simulation"].update(moon=1))
    analysis_must_fail("no sun in the simulation", lambda d: d["simulation"].pop("sun"))
    analysis_must_fail("a correction row without label", lambda d: d["correction"]["rows"][0].pop("label"))
    analysis_must_fail("the budget's worst hour as a number",
                       lambda d: d["errorBudget"]["worst"].update(minutesPerMmAlong=1))

# The scatter over the leap cycle, present only with showLeapCycle.
scattered = report("showLeapCycle=1")
if scattered is not None:
    for error in validator.iter_errors(scattered):
        faults.append(f"showLeapCycle=1: {error.json_path}: {error.message}")
    if not all("leapCycle" in mark for mark in scattered.get("dateMarks", [])) or not scattered.get("dateMarks"):
        faults.append("showLeapCycle=1: a date mark without its leapCycle")
    doc = copy.deepcopy(scattered)
    doc["dateMarks"][0]["leapCycle"]["years"].pop()
    if validator.is_valid(doc):
        faults.append("the schema accepts a leap cycle of three years")
for sets, doc in reports.items():
    if any("leapCycle" in mark for mark in doc.get("dateMarks", [])):
        faults.append(f"{sets}: a leapCycle no option asked for")

# Every key of the parameters is described: its type, and a description that is a sentence of its own.
described = schema["properties"]["parameters"]["properties"]
for sets, doc in list(reports.items()) + list(analysed.items()):
    for key, value in doc.get("parameters", {}).items():
        prop = described.get(key)
        if prop is None:
            faults.append(f"{sets}: parameters.{key} is not described")
            continue
        text = prop.get("description", "")
        if "type" not in prop or len(text) < 12 or not text[0].isupper() or not text.endswith("."):
            faults.append(f"parameters.{key}: no type or no sentence: {prop}")
if reports and set(described) != set(reports.get("dialType=0", {}).get("parameters", {})):
    faults.append(f"described but never reported: {sorted(set(described) - set(reports['dialType=0']['parameters']))}")

must_fail("no schemaVersion", lambda d: d.pop("schemaVersion"))
must_fail("schemaVersion 2", lambda d: d.update(schemaVersion=2))
must_fail("no parameters.latitude", lambda d: d["parameters"].pop("latitude"))
must_fail("no x in an hour point", lambda d: d["hourPoints"][0].pop("x"))
must_fail("no maxAbs in a filled statistics", lambda d: d["loops"]["statistics"]["morning"].pop("maxAbs"))
must_fail("an extra top-level key", lambda d: d.update(extra=1))
must_fail("an extra parameter", lambda d: d["parameters"].update(colour="red"))
must_fail("an extra key in a loop point", lambda d: d["loops"]["morning"][0].update(z=0))
must_fail("latitude as a string", lambda d: d["parameters"].update(latitude="47.25"))
must_fail("latitude null", lambda d: d["parameters"].update(latitude=None))
must_fail("dialType as a real", lambda d: d["parameters"].update(dialType=6.5))
must_fail("a boolean as a number", lambda d: d["parameters"].update(showZoneTime=1))
must_fail("a grid cell as a number", lambda d: d["grids"]["StrGridStd"][0].__setitem__(0, 1))
must_fail("messages as an object", lambda d: d.update(messages={}))

for fault in faults:
    print(fault)
print(f"{len(cases) + 1 + len(analysis_cases)} reports checked, {len(faults)} faults")
sys.exit(1 if faults else 0)
