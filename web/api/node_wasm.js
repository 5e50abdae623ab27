// Loaded before the library's glue (--pre-js). In node, the glue of emscripten 3.1.6 would fetch the .wasm
// through the global fetch() of node >= 18, which takes the file path for a URL and fails; the bytes are
// read from beside this script instead and handed over, unless the caller gave them.
if (typeof process === 'object' && process.versions && process.versions.node && !Module['wasmBinary']) {
  Module['wasmBinary'] = require('fs').readFileSync(require('path').join(__dirname, 'umbrix.wasm'));
}
