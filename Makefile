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

.PHONY: golden package check-package all bootstrap configure build test run bench demo clean format test-asan sweep soak fuzz \
	ci-extra check-readers

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

# Writes every golden file anew from the current build; review `git diff tests/golden` before committing.
golden: build
	UMBRIX_GOLDEN_UPDATE=1 $(BUILD)/tests/umbrix_golden_tests --gtest_brief=1
	@git status --short tests/golden; git diff --stat tests/golden | tail -n 1

# The whole suite built with the address and undefined-behaviour sanitizers.
test-asan: bootstrap
	cmake -S . -B $(ASAN_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=Debug -DUMBRIX_SANITIZE=ON -DUMBRIX_BENCH=OFF
	cmake --build $(ASAN_BUILD) -j$(JOBS)
	cd $(ASAN_BUILD) && QT_QPA_PLATFORM=offscreen ASAN_OPTIONS=detect_leaks=0 \
		UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 ctest --output-on-failure -j$(JOBS) -E RobustnessSweep

# The robustness sweep (5000 seeded parameter sets); `make soak` runs SOAK_COUNT of them.
sweep: build
	$(BUILD)/tests/umbrix_sweep_tests

soak: build
	UMBRIX_SWEEP_COUNT=$(SOAK_COUNT) $(BUILD)/tests/umbrix_sweep_tests

# libFuzzer targets (clang), each run for FUZZ_SECONDS on a copy of its checked-in seeds.
fuzz: bootstrap
	CC=clang CXX=clang++ cmake -S . -B $(FUZZ_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DUMBRIX_FUZZ=ON
	cmake --build $(FUZZ_BUILD) -j$(JOBS) --target fuzz_config_reader fuzz_hpgl_to_dxf fuzz_field_parser
	@set -o pipefail; for target in config_reader hpgl_to_dxf field_parser; do \
		corpus=$(FUZZ_BUILD)/corpus/$$target; mkdir -p $$corpus; cp tests/fuzz/seeds/$$target/* $$corpus/; \
		echo "fuzz $$target for $(FUZZ_SECONDS) s"; \
		$(FUZZ_BUILD)/tests/fuzz/fuzz_$$target -max_total_time=$(FUZZ_SECONDS) -max_len=65536 -timeout=10 \
			-rss_limit_mb=4096 -print_final_stats=1 $$corpus 2>&1 | tail -n 12 || exit 1; \
	done

# What CI runs after the tests: the sanitizer suite, the sweep and a short fuzz pass.
ci-extra: sweep fuzz test-asan

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

format:
	clang-format -i $$(git ls-files '*.cpp' '*.h')

clean:
	rm -rf $(BUILD)
