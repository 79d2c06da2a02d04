# Triptych: the two everyday commands are `make run` and `make test`.
BUILD ?= build
JOBS ?= $(shell nproc)
ARGS ?=
CMAKE_FLAGS ?=

.PHONY: all setup configure build run test test-sanitize bench fuzz data clean

all: build

setup:
	@bash scripts/setup.sh

configure: setup
	@cmake -S . -B $(BUILD) $(CMAKE_FLAGS) >/dev/null

build: configure
	@cmake --build $(BUILD) -j $(JOBS)

data.data: | build
	@if [ -x $(BUILD)/datagen ]; then $(BUILD)/datagen data.data; else echo "no datagen yet: data.data must be provided"; fi

data: data.data

run: build
	@[ -f data.data ] || $(MAKE) --no-print-directory data.data
	$(BUILD)/triptych $(ARGS)

test: build
	@cd $(BUILD) && ctest --output-on-failure -j $(JOBS)

test-sanitize: setup
	@cmake -S . -B $(BUILD)-sanitize -DTRIPTYCH_SANITIZE=ON -DCMAKE_BUILD_TYPE=Debug >/dev/null
	@cmake --build $(BUILD)-sanitize -j $(JOBS)
	@cd $(BUILD)-sanitize && ASAN_OPTIONS=detect_leaks=0 UBSAN_OPTIONS=print_stacktrace=1 ctest --output-on-failure -j $(JOBS) -LE e2e

bench: build
	@bash scripts/bench.sh $(BUILD)

fuzz: setup
	@bash scripts/setup-fuzz.sh
	@CC=clang CXX=clang++ cmake -S . -B $(BUILD)-fuzz -DTRIPTYCH_FUZZ=ON -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
	@cmake --build $(BUILD)-fuzz -j $(JOBS) --target fuzz_targets
	@bash scripts/fuzz.sh $(BUILD)-fuzz

clean:
	rm -rf $(BUILD) $(BUILD)-sanitize $(BUILD)-fuzz
