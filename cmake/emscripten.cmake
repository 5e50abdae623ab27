# Settings of the WebAssembly build (`make wasm`): Debian's emscripten (3.1.6) and node. Every workaround the
# toolchain needs sits here, each with its reason. Used as the CMake toolchain file:
#   cmake -S . -B build-wasm -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/emscripten.cmake
# Only the Qt-free layers (text/, core/, graphics/, export/) and the hosts cli/ and web/api/ are built.

include(/usr/share/emscripten/cmake/Modules/Platform/Emscripten.cmake)

# The build-time programs are run through Debian's node: Emscripten.cmake would pick the first `node` on
# the PATH, which may be another installation without the Debian modules below.
set(CMAKE_CROSSCOMPILING_EMULATOR /usr/bin/node CACHE FILEPATH "Runs the programs built for wasm" FORCE)

# emcc's JavaScript optimiser (tools/acorn-optimizer.js) requires the module "acorn", which Debian installs
# as node-acorn under /usr/share/nodejs; a node that is not Debian's own does not look there. The optimiser
# runs at link time, so every link step gets it through the environment.
set(CMAKE_CXX_LINKER_LAUNCHER env NODE_PATH=/usr/share/nodejs CACHE STRING "" FORCE)

# Exceptions on, at compile and link time: without them a throw aborts the module and no catch ever runs
# (the configuration reader and the file writer report failures by exception). WebAssembly's own exception
# handling (-fwasm-exceptions), not the JavaScript emulation of -fexceptions: the emulation sends every call
# that may unwind through a JavaScript trampoline, which made one calculation some thirty times slower than
# native. Node 18 and later and every current browser run it.
set(CMAKE_CXX_FLAGS_INIT "-fwasm-exceptions")
set(CMAKE_C_FLAGS_INIT "")
set(CMAKE_EXE_LINKER_FLAGS_INIT "-fwasm-exceptions -sALLOW_MEMORY_GROWTH=1")

# Link options of the two kinds of program, used by cli/ and web/ (see there):
#  - the command-line program runs in node on the real file system (NODERAWFS), ends with its exit code
#    (EXIT_RUNTIME), and compiles its wasm synchronously: with asynchronous compilation the glue of 3.1.6
#    fetches the .wasm through the global fetch() that node >= 18 has, which takes a file path for a URL
#    and fails.
#  - the library for the page is a factory createUmbrix() (MODULARIZE) with embind; compiled
#    asynchronously in the browser; in node its pre-js hands over the .wasm bytes read from beside the
#    script, for the same fetch() reason.
set(UMBRIX_WASM_NODE_PROGRAM_FLAGS -sWASM_ASYNC_COMPILATION=0 -sNODERAWFS=1 -sEXIT_RUNTIME=1 -sENVIRONMENT=node)
set(UMBRIX_WASM_LIBRARY_FLAGS --bind -sMODULARIZE=1 -sEXPORT_NAME=createUmbrix -sEXPORT_ES6=0
    -sENVIRONMENT=web,worker,node)
