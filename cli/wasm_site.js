// Loaded before umbrix-cli's glue in the WebAssembly build (--pre-js): the program reads its site data (the
// place file and the zone tables, see `make wasm`) from the folder site-data beside this script, on the real
// file system. The C library's environment of the module does not hold node's, so the folder is set here.
Module['preRun'] = (Module['preRun'] || []).concat([function () {
  if (!ENV['UMBRIX_SITE_DATA']) {
    ENV['UMBRIX_SITE_DATA'] = process.env['UMBRIX_SITE_DATA'] || require('path').join(__dirname, 'site-data');
  }
}]);
