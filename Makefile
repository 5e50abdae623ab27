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

.PHONY: package all bootstrap configure build test run bench demo clean format test-asan sweep soak fuzz fuzz-long \
	fuzz-build ci-fuzz ci-extra

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

# libFuzzer targets (clang). Findings of the free runs are saved under tests/fuzz/crashes/TARGET/: check them
# in, mend the fault, and CI replays them from then on.
FUZZ_TARGETS := config_reader hpgl_to_dxf field_parser
# Longest input per target: twice the largest configuration; plots and typed texts need far less.
FUZZ_MAX_LEN_config_reader = 131072
FUZZ_MAX_LEN_hpgl_to_dxf = 2048
FUZZ_MAX_LEN_field_parser = 512
FUZZ_SEED ?= 1
FUZZ_CI_RUNS ?= 20000
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
	echo "fuzz $*: $(FUZZ_CI_RUNS) runs with seed $(FUZZ_SEED)"; \
	$(FUZZ_BUILD)/tests/fuzz/fuzz_$* -seed=$(FUZZ_SEED) -runs=$(FUZZ_CI_RUNS) -max_len=$(FUZZ_MAX_LEN_$*) \
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

# What CI runs after the tests: the sanitizer suite, the sweep and the deterministic fuzz pass.
ci-extra: sweep ci-fuzz test-asan

# The Debian package (installs below /usr).
package: bootstrap
	cmake -S . -B $(PACKAGE_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX=/usr \
		-DUMBRIX_TESTS=OFF -DUMBRIX_BENCH=OFF
	cmake --build $(PACKAGE_BUILD) -j$(JOBS)
	cd $(PACKAGE_BUILD) && cpack -G DEB

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
