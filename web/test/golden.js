#!/usr/bin/env node
// `make test-wasm`: every golden case of tests/golden run through build-wasm/umbrix-cli.js in node and
// compared with the checked-in files, as the native golden test does: every file byte for byte, except the
// numbers of the JSON report, which are compared one by one with the relative rule and an absolute floor
// (|x - y| <= 5e-13 * max(|x|, |y|, 1)). Prints the largest number difference found, then times one
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

/// Whether two numbers agree by the rule; the largest difference seen is kept for the summary.
function numbersAgree(x, y, where, te, ta) {
  const diff = Math.abs(x - y);
  const scale = Math.max(Math.abs(x), Math.abs(y), 1);
  if (diff > 0 && diff / scale > largest.relative)
    largest = { relative: diff / scale, absolute: diff, where: `${where}: ${te} / ${ta}` };
  return diff <= kRelative * scale;
}

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

/// The offset of the first difference of two JSON texts (numbers by the rule), or -1.
function jsonDifference(expected, actual, where) {
  let i = 0;
  let j = 0;
  let inString = false;
  while (i < expected.length && j < actual.length) {
    const e = expected[i];
    if (!inString && /[-0-9]/.test(e) && /[-0-9]/.test(actual[j])) {
      const me = numberPattern.exec(expected.slice(i, i + 40));
      const ma = numberPattern.exec(actual.slice(j, j + 40));
      if (me && ma) {
        if (!numbersAgree(Number(me[0]), Number(ma[0]), `${where} @${i}`, me[0], ma[0])) return i;
        i += me[0].length;
        j += ma[0].length;
        continue;
      }
    }
    if (e !== actual[j]) return i;
    if (e === '"' && (i === 0 || expected[i - 1] !== '\\')) inString = !inString;
    ++i;
    ++j;
  }
  return i === expected.length && j === actual.length ? -1 : i;
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
        const at = jsonDifference(expected.toString('utf8'), actual.toString('utf8'), where);
        if (at >= 0) {
          console.error(`FAIL ${where}: differs at ${at}\n  golden  ${excerpt(expected.toString(), at)}\n` +
                        `  written ${excerpt(actual.toString(), at)}`);
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
console.log(`test-wasm: ${compared} golden files of ${cases.length} cases compared, ${failures} failed`);
console.log(`test-wasm: largest number difference ${largest.relative.toExponential(2)} relative ` +
            `(${largest.absolute.toExponential(2)} absolute)${largest.where ? ' at ' + largest.where : ''}`);

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
const wasmMs = medianMs('node', [cli, '--json', sink]);
let line = `test-wasm: one calculation with --json, whole process: node ${wasmMs.toFixed(1)} ms`;
if (fs.existsSync(nativeCli)) line += `, native ${medianMs(nativeCli, ['--json', sink]).toFixed(1)} ms`;
console.log(line);

// The same calculation inside the library (no process start): mean of 20 after one warm-up.
async function libraryTiming() {
  const lib = path.join(wasmDir, 'umbrix.js');
  if (!fs.existsSync(lib)) return;
  const M = await require(lib)();
  const s = new M.Session();
  // The library is the same program: the default dial's report and files equal the golden ones.
  const report = s.calculate();
  const goldenReport = fs.readFileSync(path.join(goldenDir, 'type0', 'dial.json'), 'utf8');
  const at = jsonDifference(goldenReport, report, 'library type0/dial.json');
  if (at >= 0) {
    console.error(`FAIL library calculate(): differs at ${at}\n  golden ${excerpt(goldenReport, at)}\n` +
                  `  library ${excerpt(report, at)}`);
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
  const described = JSON.parse(M.describe());
  if (!described.parameters.some((p) => p.name === 'latitude')) {
    console.error('FAIL library describe(): no latitude');
    ++failures;
  }
  const start = process.hrtime.bigint();
  for (let k = 0; k < 20; ++k) s.calculate();
  const ms = Number(process.hrtime.bigint() - start) / 1e6 / 20;
  s.delete();
  console.log(`test-wasm: one calculation inside the library in node: ${ms.toFixed(2)} ms`);
}
libraryTiming().then(
  () => process.exit(failures === 0 ? 0 : 1),
  (e) => {
    console.error(`test-wasm: the library failed: ${e}`);
    process.exit(1);
  });
