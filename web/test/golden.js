#!/usr/bin/env node
// `make test-wasm`: every golden case of tests/golden run through build-wasm/umbrix-cli.js in node and
// compared with the checked-in files, as the native golden test does: every file byte for byte, except the
// numbers of the JSON report and of the true-size DXF, which are compared one by one with the relative rule
// and an absolute floor (|x - y| <= 5e-13 * max(|x|, |y|, 1)). The analyses' parts of the report
// (designError, errorBudget, correction, reach) hold finite-difference sensitivities and iterated
// solutions, which magnify the last-digit differences of the maths library (musl against glibc) and of the
// extended-precision ephemeris (binary128 in software against the x87 format), and the sun found at a
// dial time by iteration stops where its tolerance is met, a few 1e-11 off the native stop: their numbers
// are compared to 1e-10. Prints the largest number difference found, then times one
// calculation in node against the native program, when it is built.
//   node web/test/golden.js [BUILD_WASM_DIR] [NATIVE_CLI]
'use strict';
const fs = require('fs');
const os = require('os');
const path = require('path');
const { spawnSync } = require('child_process');

const root = path.resolve(__dirname, '..', '..');
const wasmDir = path.resolve(process.argv[2] || path.join(root, 'build-wasm'));
const nativeCli = path.resolve(process.argv[3] || path.join(root, 'build', 'cli', 'umbrix-cli'));
const cli = path.join(wasmDir, 'umbrix-cli.js');
const goldenDir = path.join(root, 'tests', 'golden');
const kRelative = 5e-13;
const kAnalysisRelative = 1e-10;
const analysisParts = new Set(['designError', 'errorBudget', 'correction', 'reach']);

// The cases of tests/golden/test_golden.cpp (Cases, Outputs, AnalysisFlags, kScaledOutputs): the same dials,
// options and files. A case added there is added here.
function sets(list) {
  return list.flatMap((a) => ['--set', a]);
}
const cases = [
  ['type0', [], false, true],
  ['type1', sets(['dialType=1', 'gnomonInclination=20', 'gnomonDeviation=30'])],
  ['type2', ['--lang', 'en', ...sets(['dialType=2', 'planeInclination=40', 'planeDeviation=20'])]],
  ['type3', sets(['dialType=3', 'planeInclination=30', 'gnomonInclination=10'])],
  ['type4', sets(['dialType=4', 'latitude=50'])],
  ['type5', sets(['dialType=5', 'planeDeviation=25'])],
  ['type6', sets(['dialType=6', 'latitude=52.5']), false, true],
  ['type7', sets(['dialType=7'])],
  ['dstLeapCm', sets(['dstRing=2', 'showLeapCycle=1', 'lengthUnit=cm', 'semiMajorAxis=40']), false, true],
  ['type7Lat70', sets(['dialType=7', 'latitude=70'])],
].map(([name, options, split = false, reach = false]) => ({ name, options, split, reach }));
for (let method = 0; method <= 4; ++method) {
  cases.push({
    name: 'split' + method,
    options: sets(['dialType=6', 'marksMode=2', 'doubleAnalemmaMethod=' + method, 'latitude=52.5']),
    split: true,
    reach: true,
  });
}
function outputs(c) {
  const list = [
    ['dial.json', ['--json']],
    ['construction.svg', ['--svg']],
    ['dial.plt', ['--plt']],
    ['dial.dxf', ['--dxf']],
    ['dial.ini', ['--save-config']],
    ['hours.txt', ['--table', 'hours']],
    ['shadow.txt', ['--table', 'shadow']],
    ['dates.csv', ['--table', 'dates']],
    ['dial-mm.dxf', ['--dxf-mm']],
    ['setting-out.csv', ['--setting-out']],
    ['error.svg', ['--svg-error']],
    ['accuracy.svg', ['--svg-accuracy']],
    ['accuracy.txt', ['--table', 'accuracy']],
    ['dst.csv', ['--table', 'dst']],
    ['correction.txt', ['--table', 'correction']],
  ];
  if (c.split) list.push(['loops-am.txt', ['--table', 'loops-am']], ['loops-pm.csv', ['--table', 'loops-pm']]);
  if (c.reach) list.push(['reach.svg', ['--svg-reach']]);
  return list;
}
function analysisFlags(c) {
  return c.reach ? ['--accuracy', '--correction', '--reach'] : ['--accuracy', '--correction'];
}
// The true-scale SVG needs a run of its own: a run writes one construction SVG.
const scaledOutputs = [['construction-1-20.svg', ['--svg']]];
const scaledFlags = ['--scale', '1:20'];

const numberPattern = /^-?(?:\d+\.?\d*|\.\d+)(?:[eE][+-]?\d+)?/;
let largest = { relative: 0, absolute: 0, where: '' };
let largestAnalysis = { relative: 0, absolute: 0, where: '' };

/// The true-size DXF value line by value line: numbers by the rule, all other lines and the line ends
/// exactly. Returns the first differing line (from 1), or 0.
function dxfDifference(expected, actual, where) {
  if (!expected.includes('\r\n') && actual.includes('\r\n')) return 1;
  const e = expected.split('\n').map((l) => l.replace(/\r$/, ''));
  const a = actual.split('\n').map((l) => l.replace(/\r$/, ''));
  for (let n = 0; n < Math.max(e.length, a.length); ++n) {
    if (n >= e.length || n >= a.length) return n + 1;
    if (e[n] === a[n]) continue;
    const te = e[n].trim();
    const ta = a[n].trim();
    const full = /^-?(?:\d+\.?\d*|\.\d+)(?:[eE][+-]?\d+)?$/;
    if (!full.test(te) || !full.test(ta) || !numbersAgree(Number(te), Number(ta), `${where} line ${n + 1}`, te, ta))
      return n + 1;
  }
  return 0;
}

/// The first difference of two JSON reports, or '': the texts must be equal with every number masked, and
/// the numbers, walked in both parsed trees, agree by the rule of their part.
function jsonDifference(expected, actual, where) {
  const mask = (t) => t.replace(/-?(?:\d+\.?\d*|\.\d+)(?:[eE][+-]?\d+)?/g, '#');
  const me = mask(expected);
  const ma = mask(actual);
  if (me !== ma) {
    let at = 0;
    while (at < me.length && me[at] === ma[at]) ++at;
    return `text differs (numbers masked) at ${at}: ${JSON.stringify(me.slice(at - 60, at + 60))} / ` +
           JSON.stringify(ma.slice(at - 60, at + 60));
  }
  let first = '';
  const walk = (e, a, pathText, part) => {
    if (first) return;
    if (typeof e === 'number' && typeof a === 'number') {
      const analysis = analysisParts.has(part);
      const diff = Math.abs(e - a);
      const scale = Math.max(Math.abs(e), Math.abs(a), 1);
      const kept = analysis ? largestAnalysis : largest;
      if (diff > 0 && diff / scale > kept.relative) {
        const record = { relative: diff / scale, absolute: diff, where: `${where} ${pathText}: ${e} / ${a}` };
        if (analysis) largestAnalysis = record;
        else largest = record;
      }
      if (diff > (analysis ? kAnalysisRelative : kRelative) * scale) first = `${pathText}: ${e} / ${a}`;
      return;
    }
    if (e === null || a === null || typeof e !== 'object' || typeof a !== 'object') {
      if (e !== a) first = `${pathText}: ${JSON.stringify(e)} / ${JSON.stringify(a)}`;
      return;
    }
    for (const key of Object.keys(e)) walk(e[key], a[key], `${pathText}/${key}`, part === undefined ? key : part);
  };
  walk(JSON.parse(expected), JSON.parse(actual), '', undefined);
  return first;
}

/// Whether two numbers of the true-size DXF agree by the rule; the largest difference is kept.
function numbersAgree(x, y, where, te, ta) {
  const diff = Math.abs(x - y);
  const scale = Math.max(Math.abs(x), Math.abs(y), 1);
  if (diff > 0 && diff / scale > largest.relative)
    largest = { relative: diff / scale, absolute: diff, where: `${where}: ${te} / ${ta}` };
  return diff <= kRelative * scale;
}

function excerpt(text, at) {
  return JSON.stringify(text.slice(Math.max(0, at - 60), at + 60));
}

if (!fs.existsSync(cli)) {
  console.error(`test-wasm: ${cli} is missing: run make wasm`);
  process.exit(1);
}
const work = fs.mkdtempSync(path.join(os.tmpdir(), 'umbrix-test-wasm-'));
let failures = 0;
let compared = 0;
try {
  const runAndCompare = (c, list, flags, dir) => {
    const args = [...c.options, ...flags];
    for (const [file, option] of list) args.push(...option, path.join(dir, file));
    const run = spawnSync('node', [cli, ...args], { encoding: 'utf8' });
    if (run.status !== 0) {
      console.error(`FAIL ${c.name}: exit code ${run.status}\n${run.stderr}`);
      ++failures;
      return;
    }
    for (const [file] of list) {
      const golden = path.join(goldenDir, c.name, file);
      const written = path.join(dir, file);
      const where = `${c.name}/${file}`;
      ++compared;
      if (!fs.existsSync(written)) {
        console.error(`FAIL ${where}: not written`);
        ++failures;
        continue;
      }
      const expected = fs.readFileSync(golden);
      const actual = fs.readFileSync(written);
      if (file.endsWith('.json')) {
        const difference = jsonDifference(expected.toString('utf8'), actual.toString('utf8'), where);
        if (difference) {
          console.error(`FAIL ${where}: ${difference}`);
          ++failures;
        }
      } else if (file.endsWith('-mm.dxf')) {
        const line = dxfDifference(expected.toString('latin1'), actual.toString('latin1'), where);
        if (line > 0) {
          console.error(`FAIL ${where}: differs in line ${line}`);
          ++failures;
        }
      } else if (!expected.equals(actual)) {
        let at = 0;
        while (at < expected.length && at < actual.length && expected[at] === actual[at]) ++at;
        console.error(`FAIL ${where}: bytes differ at ${at}\n  golden  ${excerpt(expected.toString('latin1'), at)}\n` +
                      `  written ${excerpt(actual.toString('latin1'), at)}`);
        ++failures;
      }
    }
  };
  for (const c of cases) {
    const dir = path.join(work, c.name);
    fs.mkdirSync(dir);
    runAndCompare(c, outputs(c), analysisFlags(c), dir);
    runAndCompare(c, scaledOutputs, scaledFlags, dir);
  }
} finally {
  fs.rmSync(work, { recursive: true, force: true });
}
// Exit codes and messages of refused runs, as the native program gives them (the configuration reader and
// the file writer report by exception: this proves that a catch runs in wasm).
{
  const tmp = fs.mkdtempSync(path.join(os.tmpdir(), 'umbrix-test-wasm-codes-'));
  fs.writeFileSync(path.join(tmp, 'big.ini'), 'x'.repeat(70000));
  const refused = [
    [['--set', 'latitude=95', '--json', '-'], 2],
    [['--set', 'noSuchName=1'], 2],
    [['--config', path.join(tmp, 'missing.ini'), '--json', '-'], 3],
    [['--config', path.join(tmp, 'big.ini'), '--json', '-'], 3],
    [['--json', tmp], 3],
    [['--bogus'], 2],
  ];
  for (const [args, code] of refused) {
    const run = spawnSync('node', [cli, ...args], { encoding: 'utf8' });
    ++compared;
    if (run.status !== code) {
      console.error(`FAIL umbrix-cli ${args.join(' ')}: exit code ${run.status}, not ${code}\n${run.stderr}`);
      ++failures;
    } else if (fs.existsSync(nativeCli)) {
      const native = spawnSync(nativeCli, args, { encoding: 'utf8' });
      const strip = (t) => t.replaceAll(tmp, 'TMP');
      if (native.status !== run.status || strip(native.stderr) !== strip(run.stderr)) {
        console.error(`FAIL umbrix-cli ${args.join(' ')}: node and native differ\n  native ${native.status} ` +
                      `${JSON.stringify(native.stderr)}\n  node   ${run.status} ${JSON.stringify(run.stderr)}`);
        ++failures;
      }
    }
  }
  fs.rmSync(tmp, { recursive: true, force: true });
}
// The site through the data the build wrote for wasm: the same places, zones and summer times as the native
// program reads through libgeonames and the tz database.
if (fs.existsSync(nativeCli)) {
  const siteRuns = [
    ['--place', 'Wien', '--json', '-'],
    ['--lang', 'en', '--place', 'Cape Town', '--at', '15/07/2015 10:00', '--json', '-'],
    ['--place', 'Sydney', '--set', 'year=2027', '--table', 'correction', '-'],
    ['--set', 'timeZone=America/New_York', '--set', 'year=2027', '--table', 'dst', '-'],
    ['--place-list', 'Vienna'],
    ['--place', 'Qqqxqq'],
    ['--set', 'timeZone=Mars/Olympus'],
  ];
  for (const args of siteRuns) {
    const run = spawnSync('node', [cli, ...args], { encoding: 'utf8' });
    const native = spawnSync(nativeCli, args, { encoding: 'utf8' });
    ++compared;
    const json = args.includes('--json');
    const difference = json ? jsonDifference(native.stdout, run.stdout, `site ${args.join(' ')}`)
                            : (native.stdout === run.stdout ? '' : 'the output differs');
    if (native.status !== run.status || native.stderr !== run.stderr || difference) {
      console.error(`FAIL umbrix-cli ${args.join(' ')}: node and native differ: ${difference}\n  native ` +
                    `${native.status} ${JSON.stringify(native.stderr)}\n  node   ${run.status} ${JSON.stringify(run.stderr)}`);
      ++failures;
    }
  }
}
// What pdftotext, pdfinfo and pdffonts read in a PDF file.
function pdfTool(command, args) {
  return spawnSync(command, args, { encoding: 'utf8' }).stdout || '';
}
const pdfText = (f) => pdfTool('pdftotext', ['-layout', f, '-']);
const pdfInfo = (f) => pdfTool('pdfinfo', [f]).split('\n').filter((l) => /^(Pages|Page size):/.test(l)).join('\n');
// The faces by name, without the subset's tag ("HPDFAA+"), in the order pdffonts lists them.
const pdfFaces = (f) => pdfTool('pdffonts', [f]).split('\n').slice(2).filter((l) => l.trim())
  .map((l) => l.split(/\s+/)[0].replace(/^[A-Z]+\+/, '')).join(' ');
const pdfRuns = [
  { lang: 'en', sets: ['lengthUnit=cm', 'semiMajorAxis=20', 'gnomonHeight=18.5'],
    files: { '--setting-out': 'plan.pdf', '--template': 'template.pdf', '--pdf': 'print.pdf' } },
  { lang: 'de', sets: ['dialType=7'], files: { '--setting-out': 'plan-fixed.pdf', '--pdf': 'print-fixed.pdf' } },
];

// The PDFs (through libharu in both builds, umbrix-cli.js with the system's fonts): the setting-out plan,
// the template and the printed drawing with its lists of a 40 cm dial in English, and the plan and the
// printed drawing of a fixed-gnomon dial (its zodiac signs) in German, read by pdftotext and pdfinfo as the
// native program's and drawn in the same faces. Then the template's check bars 100 mm to 0.2 mm in a
// rendering by pdftocairo. The library's own PDFs, in the fonts it carries, follow with its other checks.
if (fs.existsSync(nativeCli)) {
  const tmp = fs.mkdtempSync(path.join(os.tmpdir(), 'umbrix-test-wasm-pdf-'));
  const tool = (command, args) => spawnSync(command, args, { encoding: 'utf8' });
  const pdfArgs = (run, dir) => ['--lang', run.lang, ...sets(run.sets),
    ...Object.entries(run.files).flatMap(([option, file]) => [option, path.join(dir, file)])];
  for (const dir of ['node', 'native']) fs.mkdirSync(path.join(tmp, dir));
  let made = true;
  for (const run of pdfRuns) {
    const nodeRun = spawnSync('node', [cli, ...pdfArgs(run, path.join(tmp, 'node'))], { encoding: 'utf8' });
    const nativeRun = spawnSync(nativeCli, pdfArgs(run, path.join(tmp, 'native')), { encoding: 'utf8' });
    if (nodeRun.status !== 0 || nativeRun.status !== 0) {
      console.error(`FAIL PDFs ${Object.values(run.files).join(' ')}: exit ${nodeRun.status} (node) ` +
                    `${nativeRun.status} (native)\n${nodeRun.stderr}`);
      ++failures;
      made = false;
    }
  }
  if (made) {
    for (const file of pdfRuns.flatMap((run) => Object.values(run.files))) {
      ++compared;
      const [a, b] = ['node', 'native'].map((d) => path.join(tmp, d, file));
      if (pdfText(a) !== pdfText(b) || pdfInfo(a) !== pdfInfo(b) || !pdfText(a).trim()) {
        console.error(`FAIL ${file}: pdftotext or pdfinfo differ between node and native\n${pdfInfo(a)}\n${pdfInfo(b)}`);
        ++failures;
      } else if (pdfFaces(a) !== pdfFaces(b) || !pdfFaces(a)) {
        console.error(`FAIL ${file}: drawn in other faces than natively\n  node   ${pdfFaces(a)}\n  native ${pdfFaces(b)}`);
        ++failures;
      }
    }
    ++compared;
    const svg = path.join(tmp, 'bars.svg');
    tool('pdftocairo', ['-svg', '-f', '2', '-l', '2', path.join(tmp, 'node', 'template.pdf'), svg]);
    const page = fs.existsSync(svg) ? fs.readFileSync(svg, 'utf8') : '';
    const segment = /d="M ([-0-9.]+) ([-0-9.]+) L ([-0-9.]+) ([-0-9.]+) "(?: transform="matrix\(([-0-9.]+),0,0,([-0-9.]+),)?/g;
    const mmPerPt = 25.4 / 72;
    let horizontal = false;
    let vertical = false;
    for (const m of page.matchAll(segment)) {
      const kx = m[5] ? Number(m[5]) : 1;
      const ky = m[6] ? Number(m[6]) : 1;
      const [x1, y1, x2, y2] = [kx * m[1], ky * m[2], kx * m[3], ky * m[4]];
      if (Math.abs(y1 - y2) < 1e-3 && Math.abs(Math.abs(x2 - x1) * mmPerPt - 100) <= 0.2) horizontal = true;
      if (Math.abs(x1 - x2) < 1e-3 && Math.abs(Math.abs(y2 - y1) * mmPerPt - 100) <= 0.2) vertical = true;
    }
    if (!horizontal || !vertical) {
      console.error(`FAIL template.pdf: no check bar of 100 mm (horizontal ${horizontal}, vertical ${vertical})`);
      ++failures;
    }
  }
  fs.rmSync(tmp, { recursive: true, force: true });
}
console.log(`test-wasm: ${compared} golden files and refused runs of ${cases.length} cases compared, ${failures} failed`);
for (const [what, kept, bound] of [['', largest, kRelative], [' in the analyses', largestAnalysis, kAnalysisRelative]])
  console.log(`test-wasm: largest number difference${what} ${kept.relative.toExponential(2)} relative ` +
              `(${kept.absolute.toExponential(2)} absolute; bound ${bound})${kept.where ? ' at ' + kept.where : ''}`);

// One calculation (the default dial's JSON report), median of 5 runs of each program in this run.
function medianMs(command, args) {
  const times = [];
  for (let k = 0; k < 5; ++k) {
    const start = process.hrtime.bigint();
    spawnSync(command, args, { stdio: 'ignore' });
    times.push(Number(process.hrtime.bigint() - start) / 1e6);
  }
  times.sort((a, b) => a - b);
  return times[2];
}
const sink = os.platform() === 'win32' ? 'NUL' : '/dev/null';
// The calculation alone: the run with --json less a run that only starts and prints the version.
const wasmMs = medianMs('node', [cli, '--json', sink]);
const wasmStartMs = medianMs('node', [cli, '--version']);
let line = `test-wasm: one calculation with --json, whole process: node ${wasmMs.toFixed(1)} ms ` +
           `(${(wasmMs - wasmStartMs).toFixed(1)} ms after the start)`;
if (fs.existsSync(nativeCli)) {
  const nativeMs = medianMs(nativeCli, ['--json', sink]);
  const nativeStartMs = medianMs(nativeCli, ['--version']);
  line += `, native ${nativeMs.toFixed(1)} ms (${(nativeMs - nativeStartMs).toFixed(1)} ms after the start)`;
}
console.log(line);

// The same calculation inside the library (no process start): mean of 20 after one warm-up.
async function libraryTiming() {
  const lib = path.join(wasmDir, 'umbrix.js');
  if (!fs.existsSync(lib)) return;
  const M = await require(lib)();
  const s = new M.Session();
  // The library is the same program: the default dial's report and files equal the golden ones.
  const report = Buffer.from(s.output('json', { accuracy: true, correction: true, reach: true })).toString();
  const goldenReport = fs.readFileSync(path.join(goldenDir, 'type0', 'dial.json'), 'utf8');
  const difference = jsonDifference(goldenReport, report, 'library type0/dial.json');
  if (difference) {
    console.error(`FAIL library output(json): ${difference}`);
    ++failures;
  }
  const plain = spawnSync('node', [cli, '--json', '-'], { encoding: 'utf8' }).stdout;
  if (s.calculate() !== plain) {
    console.error('FAIL library calculate(): differs from umbrix-cli.js --json -');
    ++failures;
  }
  for (const [file, kind, options] of [['dial.dxf', 'dxf', {}], ['dial.plt', 'plt', {}],
    ['hours.txt', 'table', { name: 'hours', format: 'txt' }], ['dial.ini', 'save-config', { format: 'ini' }]]) {
    const bytes = Buffer.from(s.output(kind, JSON.stringify(options)));
    if (!bytes.equals(fs.readFileSync(path.join(goldenDir, 'type0', file)))) {
      console.error(`FAIL library output(${kind}): differs from type0/${file} ${s.lastError()}`);
      ++failures;
    }
  }
  const refused = JSON.parse(s.setParameter('latitude', '95'));
  if (refused.status !== 'rejected' || refused.messages.length === 0) {
    console.error(`FAIL library setParameter: latitude=95 answered ${JSON.stringify(refused)}`);
    ++failures;
  }
  // A configuration's bytes as a page has them: Uint8Array or ArrayBuffer.
  const ini = s.output('save-config', { format: 'ini' });
  for (const bytes of [ini, ini.buffer.slice(ini.byteOffset, ini.byteOffset + ini.length)]) {
    const reader = new M.Session();
    const read = JSON.parse(reader.readConfig(bytes, 'dial.ini'));
    const again = Buffer.from(reader.output('save-config', { format: 'ini' }));
    if (!read.ok || !again.equals(Buffer.from(ini))) {
      console.error(`FAIL library readConfig(${bytes.constructor.name}): ${JSON.stringify(read)}`);
      ++failures;
    }
    reader.delete();
  }
  const found = JSON.parse(M.searchPlaces('Kapstadt', 'de'));
  if (!found.length || found[0].name !== 'Kapstadt' || found[0].timeZone !== 'Africa/Johannesburg') {
    console.error(`FAIL library searchPlaces(Kapstadt): ${JSON.stringify(found.slice(0, 2))}`);
    ++failures;
  }
  const placed = new M.Session();
  const answer = JSON.parse(placed.setPlace(JSON.stringify(found[0] || {})));
  const placedParameters = JSON.parse(placed.parameters());
  if (answer.status !== 'accepted' || placedParameters.timeZone !== 'Africa/Johannesburg' ||
      placedParameters.zoneMeridian !== -30) {
    console.error(`FAIL library setPlace: ${JSON.stringify(answer)} ${placedParameters.zoneMeridian}`);
    ++failures;
  }
  placed.delete();
  const described = JSON.parse(M.describe());
  if (!described.parameters.some((p) => p.name === 'latitude')) {
    console.error('FAIL library describe(): no latitude');
    ++failures;
  }
  if (fs.existsSync(nativeCli)) libraryPdfs(M);
  const start = process.hrtime.bigint();
  for (let k = 0; k < 20; ++k) s.calculate();
  const ms = Number(process.hrtime.bigint() - start) / 1e6 / 20;
  s.delete();
  console.log(`test-wasm: one calculation inside the library in node: ${ms.toFixed(2)} ms`);
}
// The page's PDFs, made by the library with the fonts it carries (cut to the program's characters, see
// web/CMakeLists.txt), against the native program's with the system's whole fonts: the same text, pages and
// faces. A character a cut face lacks is drawn in the fallback face, which shows as one more font.
function libraryPdfs(M) {
  const tmp = fs.mkdtempSync(path.join(os.tmpdir(), 'umbrix-test-wasm-library-pdf-'));
  const kinds = { '--setting-out': ['setting-out', { format: 'pdf' }], '--template': ['template', {}],
                  '--pdf': ['pdf', { lists: 'all' }] };
  for (const run of pdfRuns) {
    const session = new M.Session();
    session.setLanguage(run.lang);
    for (const assignment of run.sets) {
      const [name, value] = assignment.split('=');
      const answer = JSON.parse(session.setParameter(name, value));
      if (answer.status !== 'accepted') {
        console.error(`FAIL library setParameter(${assignment}): ${JSON.stringify(answer)}`);
        ++failures;
      }
    }
    for (const [option, file] of Object.entries(run.files)) {
      ++compared;
      const [kind, options] = kinds[option];
      const mine = path.join(tmp, 'library-' + file);
      const native = path.join(tmp, 'native-' + file);
      fs.writeFileSync(mine, Buffer.from(session.output(kind, JSON.stringify(options))));
      const made = spawnSync(nativeCli, ['--lang', run.lang, ...sets(run.sets), option, native], { encoding: 'utf8' });
      if (made.status !== 0 || pdfText(mine) !== pdfText(native) || pdfInfo(mine) !== pdfInfo(native) ||
          !pdfText(mine).trim()) {
        console.error(`FAIL library output(${kind}) ${file}: text or pages differ from the native program's ` +
                      `${session.lastError()}\n${pdfInfo(mine)}\n${pdfInfo(native)}`);
        ++failures;
      } else if (pdfFaces(mine) !== pdfFaces(native)) {
        console.error(`FAIL library output(${kind}) ${file}: drawn in other faces than natively\n` +
                      `  library ${pdfFaces(mine)}\n  native  ${pdfFaces(native)}`);
        ++failures;
      }
    }
    session.delete();
  }
  fs.rmSync(tmp, { recursive: true, force: true });
}

libraryTiming().then(
  () => process.exit(failures === 0 ? 0 : 1),
  (e) => {
    console.error(`test-wasm: the library failed: ${e}`);
    process.exit(1);
  });
