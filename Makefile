# The two set-up commands of the README: `make run` and `make test`.
# Each installs what is missing, configures, builds, and then runs.
BUILD      ?= build
ASAN_BUILD ?= build-asan
JOBS       ?= $(shell nproc)

.PHONY: deps build run test test-asan bench fuzz check-install clean

# Each command installs only what its own work needs (scripts/install-deps.sh).
deps:
	@bash scripts/install-deps.sh test

$(BUILD)/CMakeCache.txt:
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo

build: $(BUILD)/CMakeCache.txt
	cmake --build $(BUILD) -j $(JOBS)

run:
	@bash scripts/install-deps.sh run
	$(MAKE) build
	$(BUILD)/app/zlatovir-vedu-dozezi

test: deps
	$(MAKE) build
	cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)

test-asan: deps
	cmake -S . -B $(ASAN_BUILD) -DCMAKE_BUILD_TYPE=Debug -DZV_SANITIZE=ON -DZV_BENCHMARKS=OFF
	cmake --build $(ASAN_BUILD) -j $(JOBS)
	cd $(ASAN_BUILD) && QT_QPA_PLATFORM=offscreen \
	  ASAN_OPTIONS=detect_leaks=1 \
	  LSAN_OPTIONS=suppressions=$(CURDIR)/.ci/lsan.supp:print_suppressions=0 \
	  UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
	  ctest --output-on-failure -j $(JOBS)

bench:
	@bash scripts/install-deps.sh bench
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo
	$(MAKE) build
	$(BUILD)/bench/bench_skin --benchmark_repetitions=5 --benchmark_report_aggregates_only=true
	$(BUILD)/bench/bench_document --benchmark_repetitions=5 --benchmark_report_aggregates_only=true
	bench/startup.sh $(BUILD)
	bench/kvztool_batch.sh $(BUILD)

# The package and the ~/.local install: installed, run, removed, nothing left.
check-install: deps
	$(MAKE) build
	bash scripts/check-install.sh $(BUILD)

# libFuzzer runs of every fuzz target (clang), FUZZ_SECONDS each, from its seed corpus.
FUZZ_BUILD   ?= build-fuzz
FUZZ_SECONDS ?= 60
FUZZERS      ?= region skinfile paths canvas settings
fuzz:
	@bash scripts/install-deps.sh fuzz
	CC=clang CXX=clang++ cmake -S . -B $(FUZZ_BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DZV_FUZZERS=ON -DZV_BENCHMARKS=OFF
	cmake --build $(FUZZ_BUILD) -j $(JOBS) --target $(addprefix fuzz_,$(FUZZERS))
	for f in $(FUZZERS); do \
	  mkdir -p $(FUZZ_BUILD)/corpus/$$f && \
	  $(FUZZ_BUILD)/fuzz/fuzz_$$f -max_total_time=$(FUZZ_SECONDS) -max_len=4096 $(FUZZ_BUILD)/corpus/$$f fuzz/corpus/$$f || exit 1; \
	done

clean:
	rm -rf $(BUILD) $(ASAN_BUILD) $(FUZZ_BUILD)
