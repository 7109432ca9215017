# The two commands of the README: `make run` and `make test`.
BUILD ?= build
JOBS  ?= $(shell nproc)
# `make fuzz`: clang build of the fuzz targets, each run FUZZ_SECONDS.
FUZZ_BUILD   ?= build-fuzz
FUZZ_SECONDS ?= 60
FUZZ_JOBS    ?= 4
# `make asan`: the whole suite built and run under AddressSanitizer and
# UndefinedBehaviorSanitizer in a build folder of its own; any report fails
# the test that made it.
ASAN_BUILD ?= build-asan
ASAN_JOBS  ?= 4
ASAN_FLAGS := -O1 -g -fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=all
# Leaks that only system libraries make and keep (see the file); the
# programs the tests start inherit the setting.
LSAN_SUPPRESSIONS := $(CURDIR)/tests/support/lsan.supp

# `make debug`: unoptimised build with debugging information.
DEBUG_BUILD  ?= build-debug
# `make nopch`: every file compiled on its own, without the precompiled
# headers and unity batches, so that none leans on what they or the files
# batched with it include (a compile check: no -O, no -g).
NOPCH_BUILD  ?= build-nopch

.PHONY: all setup configure build run test bench bench-setup asan debug nopch fuzz fuzz-seeds clean

all: build

setup:
	@bash scripts/setup.sh

$(BUILD)/build.ninja:
	cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=Release

configure: setup $(BUILD)/build.ninja

build: configure
	cmake --build $(BUILD) -j $(JOBS)

run: configure
	cmake --build $(BUILD) -j $(JOBS) --target quorvy
	$(BUILD)/quorvy

test: build
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS)

# The report benchmark measures against abook, installed here only.
bench-setup:
	@bash scripts/setup.sh abook

bench: build bench-setup
	@set -e; for b in $(BUILD)/bench/bench_*; do if [ -f "$$b" ] && [ -x "$$b" ]; then "$$b"; fi; done

$(ASAN_BUILD)/build.ninja:
	cmake -S . -B $(ASAN_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=None \
	  -DCMAKE_CXX_FLAGS="$(ASAN_FLAGS)" -DCMAKE_EXE_LINKER_FLAGS="-fsanitize=address,undefined"

asan: setup $(ASAN_BUILD)/build.ninja
	cmake --build $(ASAN_BUILD) -j $(ASAN_JOBS)
	cd $(ASAN_BUILD) && ASAN_OPTIONS=detect_leaks=1 \
	  LSAN_OPTIONS=suppressions=$(LSAN_SUPPRESSIONS):print_suppressions=0 \
	  UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 ctest --output-on-failure -j $(ASAN_JOBS)

debug: setup
	cmake -S . -B $(DEBUG_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=Debug
	cmake --build $(DEBUG_BUILD) -j $(JOBS)

nopch: setup
	cmake -S . -B $(NOPCH_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=Debug \
	      -DCMAKE_CXX_FLAGS_DEBUG=-O0 -DCMAKE_DISABLE_PRECOMPILE_HEADERS=ON -DQV_UNITY_BUILD=OFF
	cmake --build $(NOPCH_BUILD) -j $(JOBS)

fuzz: setup
	@bash scripts/fuzz.sh $(FUZZ_BUILD) $(FUZZ_SECONDS) $(FUZZ_JOBS)

# Writes the seed corpora in tests/fuzz/corpus again.
fuzz-seeds: configure
	@bash scripts/fuzz-seeds.sh $(BUILD)

clean:
	rm -rf $(BUILD) $(DEBUG_BUILD) $(NOPCH_BUILD) $(FUZZ_BUILD) $(ASAN_BUILD)
