# The two commands of the README: `make run` and `make test`.
BUILD ?= build
JOBS  ?= $(shell nproc)
# `make fuzz`: clang build of the fuzz targets, each run FUZZ_SECONDS.
FUZZ_BUILD   ?= build-fuzz
FUZZ_SECONDS ?= 60
FUZZ_JOBS    ?= 4

.PHONY: all setup configure build run test bench bench-setup fuzz fuzz-seeds clean

all: build

setup:
	@bash scripts/setup.sh

$(BUILD)/build.ninja:
	cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=Release

configure: setup $(BUILD)/build.ninja

build: configure
	cmake --build $(BUILD) -j $(JOBS)

run: build
	$(BUILD)/quorvy

test: build
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS)

# The report benchmark measures against abook, installed here only.
bench-setup:
	@bash scripts/setup.sh abook

bench: build bench-setup
	@set -e; for b in $(BUILD)/bench/bench_*; do if [ -f "$$b" ] && [ -x "$$b" ]; then "$$b"; fi; done

fuzz: setup
	@bash scripts/fuzz.sh $(FUZZ_BUILD) $(FUZZ_SECONDS) $(FUZZ_JOBS)

# Writes the seed corpora in tests/fuzz/corpus again.
fuzz-seeds: configure
	@bash scripts/fuzz-seeds.sh $(BUILD)

clean:
	rm -rf $(BUILD) $(FUZZ_BUILD)
