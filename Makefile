# Triptych: the two everyday commands are `make run` and `make test`.
BUILD ?= build
JOBS ?= $(shell nproc)
ARGS ?=
CMAKE_FLAGS ?=
PREFIX ?= /usr/local
DESTDIR ?=

.PHONY: all setup configure build run test test-sanitize sanitize-build data-for-tests test-hostile soak bench fuzz data package install clean

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

# The Debian package, triptych_<version>_<arch>.deb, in the current directory.
package: build
	@rm -rf $(BUILD)/package
	@cpack --config $(BUILD)/CPackConfig.cmake -B $(abspath $(BUILD))/package >/dev/null
	@cd $(BUILD)/package && for deb in triptych_*.deb; do mv "$$deb" "$(CURDIR)/" && echo "$$deb"; done

# The same files as the package, under PREFIX (/usr/local by default), staged under DESTDIR if set.
install: build
	@DESTDIR="$(DESTDIR)" cmake --install $(BUILD) --prefix "$(PREFIX)" --strip

# Leak reports fail the run like every other sanitizer report; the few that are by design are
# listed with their reasons in scripts/lsan.supp.
SANITIZER_ENV = ASAN_OPTIONS=detect_leaks=1 LSAN_OPTIONS=suppressions=$(CURDIR)/scripts/lsan.supp:print_suppressions=0 \
	UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1

sanitize-build: setup
	@cmake -S . -B $(BUILD)-sanitize -DTRIPTYCH_SANITIZE=ON -DCMAKE_BUILD_TYPE=Debug >/dev/null
	@cmake --build $(BUILD)-sanitize -j $(JOBS)

data-for-tests: build
	@[ -f $(BUILD)/data.data ] || $(BUILD)/datagen $(BUILD)/data.data >/dev/null

# The unit tests under the sanitizers, then one whole headless render at 1 frame per second.
test-sanitize: sanitize-build data-for-tests
	@cd $(BUILD)-sanitize && $(SANITIZER_ENV) ctest --output-on-failure -j $(JOBS) -LE e2e
	@$(SANITIZER_ENV) bash tests/hostile/sanitized_render.bash $(BUILD)-sanitize $(BUILD)/data.data

# Every entry of the default data damaged in every way, each archive rendered headless
# (SANITIZE=1: against the sanitizer build, with a longer bound for its slower runs).
test-hostile: data-for-tests
ifeq ($(SANITIZE),)
	@bash tests/hostile/damaged_entries.bash $(BUILD)
else
	@$(MAKE) --no-print-directory sanitize-build
	@$(SANITIZER_ENV) HOSTILE_TIMEOUT=$${HOSTILE_TIMEOUT:-90} bash tests/hostile/damaged_entries.bash $(BUILD)-sanitize $(BUILD)/data.data
endif

# The whole live show once on a virtual screen, with its memory and frame-time figures (about
# six and a half minutes; not part of make test).
soak: data-for-tests
	@bash scripts/soak.sh $(BUILD)

bench: data-for-tests
	@bash scripts/bench.sh $(BUILD)

fuzz: setup
	@bash scripts/setup-fuzz.sh
	@CC=clang CXX=clang++ cmake -S . -B $(BUILD)-fuzz -DTRIPTYCH_FUZZ=ON -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
	@cmake --build $(BUILD)-fuzz -j $(JOBS) --target fuzz_targets
	@bash scripts/fuzz.sh $(BUILD)-fuzz

clean:
	rm -rf $(BUILD) $(BUILD)-sanitize $(BUILD)-fuzz triptych_*.deb
