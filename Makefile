# Umbrix: the two commands a newcomer needs are `make run` and `make test`.
SHELL := /bin/bash
BUILD ?= build
JOBS ?= 2
CMAKE_FLAGS ?= -DCMAKE_BUILD_TYPE=RelWithDebInfo

ASAN_BUILD ?= build-asan
FUZZ_BUILD ?= build-fuzz
FUZZ_SECONDS ?= 45
SOAK_COUNT ?= 100000

PACKAGE_BUILD ?= build-package
WASM_BUILD ?= build-wasm

.PHONY: screenshots golden package check-package all bootstrap configure build test run bench demo clean format test-asan sweep soak \
	fuzz fuzz-long fuzz-build ci-fuzz ci-extra check-readers references wasm test-wasm web test-web bench-web web-deps

all: build

bootstrap:
	@scripts/bootstrap

$(BUILD)/build.ninja:
	cmake -S . -B $(BUILD) -G Ninja $(CMAKE_FLAGS)

configure: bootstrap $(BUILD)/build.ninja

build: configure
	cmake --build $(BUILD) -j$(JOBS)

test: build
	cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j$(JOBS)

run: build
	@if [ -x $(BUILD)/ui/umbrix ]; then $(BUILD)/ui/umbrix; else $(BUILD)/cli/umbrix-cli --json -; fi

# Writes the JSON schema in docs/ and the help pages' chapter on umbrix-cli anew from the program's tables.
references: build
	cmake --build $(BUILD) --target umbrix_update_references
	@git status --short docs help

# Writes every golden file anew from the current build; review `git diff tests/golden` before committing.
golden: build
	UMBRIX_GOLDEN_UPDATE=1 $(BUILD)/tests/umbrix_golden_tests --gtest_brief=1
	@git status --short tests/golden; git diff --stat tests/golden | tail -n 1

# The web edition's core with Debian's emscripten (settings and workarounds: cmake/emscripten.cmake):
# $(WASM_BUILD)/umbrix-cli.js for node, $(WASM_BUILD)/umbrix.js + umbrix.wasm for the page.
wasm: configure
	@scripts/bootstrap web
	cmake --build $(BUILD) -j$(JOBS) --target umbrix-site-data
	$(BUILD)/site/umbrix-site-data $(WASM_BUILD)/site-data
	cmake -S . -B $(WASM_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=Release -DCMAKE_TOOLCHAIN_FILE=cmake/emscripten.cmake
	cmake --build $(WASM_BUILD) -j$(JOBS)
	@ls -l $(WASM_BUILD)/umbrix-cli.js $(WASM_BUILD)/umbrix.js $(WASM_BUILD)/umbrix.wasm
	@echo "umbrix.wasm gzip: $$(gzip -9 -c $(WASM_BUILD)/umbrix.wasm | wc -c) bytes"

# Every golden case through the node build, compared with tests/golden (web/test/golden.js).
test-wasm: wasm
	node web/test/golden.js $(WASM_BUILD) $(BUILD)/cli/umbrix-cli

# The whole suite built with the address and undefined-behaviour sanitizers.
test-asan: bootstrap
	cmake -S . -B $(ASAN_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=Debug -DUMBRIX_SANITIZE=ON -DUMBRIX_BENCH=OFF
	cmake --build $(ASAN_BUILD) -j$(JOBS)
	cd $(ASAN_BUILD) && QT_QPA_PLATFORM=offscreen ASAN_OPTIONS=detect_leaks=0 \
		UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 UMBRIX_AGREEMENT_COUNT=20 UMBRIX_MUTATION_COUNT=3000 \
		ctest --output-on-failure -j$(JOBS) -E "RobustnessSweep|CliProcessOutputs.memory"

# The robustness sweep (5000 seeded parameter sets); `make soak` runs SOAK_COUNT of them.
sweep: build
	$(BUILD)/tests/umbrix_sweep_tests

soak: build
	UMBRIX_SWEEP_COUNT=$(SOAK_COUNT) $(BUILD)/tests/umbrix_sweep_tests

# libFuzzer targets (clang). Findings of the free runs are saved under tests/fuzz/crashes/TARGET/: check them
# in, mend the fault, and CI replays them from then on.
FUZZ_TARGETS := config_reader hpgl_to_dxf field_parser whole_outputs
# Longest input per target: twice the largest configuration; plots and typed texts need far less.
FUZZ_MAX_LEN_config_reader = 131072
FUZZ_MAX_LEN_hpgl_to_dxf = 2048
FUZZ_MAX_LEN_field_parser = 512
FUZZ_MAX_LEN_whole_outputs = 8192
FUZZ_SEED ?= 1
FUZZ_CI_RUNS ?= 20000
# The whole-output target calculates and writes every output per input: a few hundred runs fit a minute.
FUZZ_CI_RUNS_whole_outputs ?= 300
FUZZ_LONG_SECONDS ?= 600
FUZZ_FLAGS = -timeout=10 -rss_limit_mb=4096 -print_final_stats=1

fuzz-build: bootstrap
	CC=clang CXX=clang++ cmake -S . -B $(FUZZ_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DUMBRIX_FUZZ=ON
	cmake --build $(FUZZ_BUILD) -j$(JOBS) $(addprefix --target fuzz_,$(FUZZ_TARGETS))

# Deterministic, for CI: every seed and every saved crash replayed, then a fixed-seed pass; any finding fails.
ci-fuzz: $(addprefix ci-fuzz-,$(FUZZ_TARGETS))

ci-fuzz-%: fuzz-build
	@corpus=$(FUZZ_BUILD)/ci-corpus/$*; crashes=tests/fuzz/crashes/$*; log=$(FUZZ_BUILD)/ci-fuzz-$*.log; \
	rm -rf $$corpus; mkdir -p $$corpus $(FUZZ_BUILD)/ci-findings; cp tests/fuzz/seeds/$*/* $$corpus/; \
	echo "fuzz $*: replay of the seeds and saved crashes"; \
	$(FUZZ_BUILD)/tests/fuzz/fuzz_$* -runs=0 -max_len=$(FUZZ_MAX_LEN_$*) $(FUZZ_FLAGS) \
		-artifact_prefix=$(FUZZ_BUILD)/ci-findings/$*- $$corpus $$(test -d $$crashes && echo $$crashes) \
		> $$log 2>&1 || { cat $$log; exit 1; }; \
	runs=$(or $(FUZZ_CI_RUNS_$*),$(FUZZ_CI_RUNS)); echo "fuzz $*: $$runs runs with seed $(FUZZ_SEED)"; \
	$(FUZZ_BUILD)/tests/fuzz/fuzz_$* -seed=$(FUZZ_SEED) -runs=$$runs -max_len=$(FUZZ_MAX_LEN_$*) \
		$(FUZZ_FLAGS) -artifact_prefix=$(FUZZ_BUILD)/ci-findings/$*- $$corpus > $$log 2>&1 || { cat $$log; exit 1; }; \
	tail -n 8 $$log

# Free exploration of each target for FUZZ_SECONDS (fuzz-long: FUZZ_LONG_SECONDS) on a growing corpus.
# A finding prints its whole report and is saved under tests/fuzz/crashes/.
fuzz: $(addprefix fuzz-run-,$(FUZZ_TARGETS))

fuzz-run-%: fuzz-build
	@corpus=$(FUZZ_BUILD)/corpus/$*; crashes=tests/fuzz/crashes/$*; log=$(FUZZ_BUILD)/fuzz-$*.log; \
	mkdir -p $$corpus $$crashes; cp tests/fuzz/seeds/$*/* $$corpus/; \
	echo "fuzz $* for $(FUZZ_SECONDS) s"; \
	$(FUZZ_BUILD)/tests/fuzz/fuzz_$* -max_total_time=$(FUZZ_SECONDS) -max_len=$(FUZZ_MAX_LEN_$*) $(FUZZ_FLAGS) \
		-artifact_prefix=$$crashes/ $$corpus > $$log 2>&1 || { cat $$log; exit 1; }; \
	tail -n 8 $$log

fuzz-long:
	$(MAKE) fuzz FUZZ_SECONDS=$(FUZZ_LONG_SECONDS)

# The web edition: build-web/site/ (a folder for any static web server) and build-web/umbrix.html (one
# self-contained file for file:// pages). It is built on the WebAssembly library of `make wasm`; where this
# Makefile has no such target yet, on the stand-in module of web/test/ with the native program's outputs
# (WEB_MODULE=mock), so that the page and its tests run all the same.
WEB_BUILD ?= build-web
WEB_MODULE ?= $(if $(shell grep -s '^wasm:' $(firstword $(MAKEFILE_LIST))),wasm,mock)
WEB_PYTHON = /usr/bin/python3

web/node_modules/.package-lock.json: web/package.json web/package-lock.json
	cd web && npm ci --no-audit --no-fund

web-deps:
	@scripts/bootstrap web

ifeq ($(WEB_MODULE),mock)
web: web-deps configure
	cmake --build $(BUILD) -j$(JOBS) --target umbrix-cli
	$(WEB_PYTHON) web/test/make_mock_data.py $(BUILD)/cli/umbrix-cli $(WEB_BUILD)/mock/mock-data.js
	$(WEB_PYTHON) web/build.py $(WEB_BUILD) --mock $(WEB_BUILD)/mock/mock-data.js web/test/mock-umbrix.js
else
web: web-deps wasm
	$(WEB_PYTHON) web/build.py $(WEB_BUILD) --module $(WASM_BUILD)
endif

# The page's helpers under node's test runner, then the user's task in headless Chromium from file://;
# screenshots and downloads stay under build-web/.
test-web: web web/node_modules/.package-lock.json
	node --test web/test/unit/*.js
	NODE_PATH=web/node_modules node web/test/run-browser-tests.js $(WEB_BUILD)/umbrix.html $(WEB_BUILD)

# First drawing (cold, single file), one recalculation, and the sizes gzip with and without the place data.
bench-web: web web/node_modules/.package-lock.json
	NODE_PATH=web/node_modules node bench/web/run-bench.js $(WEB_BUILD) $(WASM_BUILD)

# What CI runs after the tests: the sanitizer suite, the sweep, the deterministic fuzz pass and the web edition.
ci-extra: sweep ci-fuzz test-asan test-wasm test-web

# Every dial type's true-size DXF opened in LibreCAD (installed by its own bootstrap group) and printed to
# PDF, each conversion within 60 s, each PDF checked by pdfinfo. Not part of CI.
READERS_DIR ?= $(BUILD)/check-readers
check-readers: build
	@scripts/bootstrap readers
	cmake --build $(BUILD) -j$(JOBS) --target umbrix_write_true_size_dxf
	rm -rf $(READERS_DIR) && mkdir -p $(READERS_DIR)
	$(BUILD)/tests/umbrix_write_true_size_dxf $(READERS_DIR) >/dev/null
	@set -e; for dxf in $(READERS_DIR)/*.dxf; do \
		pdf=$${dxf%.dxf}.pdf; \
		QT_QPA_PLATFORM=offscreen timeout 60 librecad dxf2pdf -a -o "$$pdf" "$$dxf" >/dev/null 2>&1 </dev/null \
			|| { echo "check-readers: LibreCAD failed on $$dxf"; exit 1; }; \
		pdfinfo "$$pdf" | grep -q '^Pages: *[1-9]' || { echo "check-readers: no pages in $$pdf"; exit 1; }; \
		echo "check-readers: $$(basename $$dxf) -> $$(basename $$pdf) ($$(pdfinfo "$$pdf" | sed -n 's/^Page size: *//p'))"; \
	done

# The Debian package (installs below /usr), built with Debian's optimisation and hardening flags (-O2: g++ 12
# reports false -Wrestrict warnings inside std::string at -O3) and checked by lintian, man,
# desktop-file-validate and appstreamcli; any error or warning fails.
PACKAGE_FLAGS = DEB_BUILD_MAINT_OPTIONS=hardening=+all dpkg-buildflags --get
package:
	@scripts/bootstrap packaging
	cmake -S . -B $(PACKAGE_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX=/usr \
		-DUMBRIX_TESTS=OFF -DUMBRIX_BENCH=OFF -DCMAKE_CXX_FLAGS_RELEASE=-DNDEBUG \
		-DCMAKE_CXX_FLAGS="$$($(PACKAGE_FLAGS) CPPFLAGS) $$($(PACKAGE_FLAGS) CXXFLAGS)" \
		-DCMAKE_EXE_LINKER_FLAGS="$$($(PACKAGE_FLAGS) LDFLAGS)"
	cmake --build $(PACKAGE_BUILD) -j$(JOBS)
	rm -f $(PACKAGE_BUILD)/umbrix_*.deb
	cd $(PACKAGE_BUILD) && cpack -G DEB
	scripts/check-deb $(PACKAGE_BUILD)/umbrix_*.deb

# Installs the package with the tools a desktop brings and checks it in use (needs root; not run by CI).
check-package: package
	scripts/check-installed-package $(PACKAGE_BUILD)/umbrix_*.deb

bench: build
	@for b in $(BUILD)/bench/bench_*; do [ -x "$$b" ] && "$$b"; done; true

demo: build
	mkdir -p demo
	$(BUILD)/cli/umbrix-cli --json demo/default.json --svg demo/default.svg --svg-error demo/error-graph.svg \
		--plt demo/default.plt --dxf demo/default.dxf --save-config demo/default.ini \
		--table hours demo/hours.csv --table shadow demo/shadow.csv --table dates demo/dates.csv
	$(BUILD)/cli/umbrix-cli --set dialType=6 --set marksMode=2 --set doubleAnalemmaMethod=4 \
		--svg demo/split-dial.svg --table loops-am demo/loops-am.csv --table loops-pm demo/loops-pm.csv
	@ls demo

# Pictures of every page at the window's minimum size, German and English, at device pixel ratio 1 and 2,
# under a virtual X server (not run by CI).
screenshots: build
	mkdir -p screenshots
	UMBRIX_SCREENSHOT_DIR=$(CURDIR)/screenshots QT_QPA_PLATFORM=xcb xvfb-run -a -s "-screen 0 1280x1024x24" \
		$(BUILD)/tests/umbrix_ui_tests --gtest_filter=Screenshots.*
	UMBRIX_SCREENSHOT_DIR=$(CURDIR)/screenshots QT_QPA_PLATFORM=xcb QT_SCALE_FACTOR=2 \
		xvfb-run -a -s "-screen 0 2560x2048x24" $(BUILD)/tests/umbrix_ui_tests --gtest_filter=Screenshots.*
	@ls screenshots

format:
	clang-format -i $$(git ls-files '*.cpp' '*.h')

clean:
	rm -rf $(BUILD)
