// Loaded before the library's glue (--pre-js): the PDFs' fonts lie in the module's own file system, cut
// to the characters the program writes (see web/CMakeLists.txt), where the PDF writer looks for them.
Module['preRun'] = (Module['preRun'] || []).concat([function () {
  ENV['UMBRIX_FONT_DIR'] = '/umbrix-fonts';
}]);
