# A thin wrapper around CMake presets, so a newcomer types `make run` and `make test`.
# Both build in the same folder (build/$(PRESET)); CI sets PRESET=ci, the same
# build with every warning an error.
JOBS ?= $(shell nproc)
PRESET ?= default

.PHONY: all build run test test-fast bench screenshots check-sanitize check-sanitize-gui check-valgrind fuzz \
	package check-package deps clean format check-format

all: build

deps:
	scripts/install-deps

build: deps
	cmake --preset $(PRESET) >/dev/null
	cmake --build --preset $(PRESET) -j $(JOBS)

# Starts the desktop program (under Xvfb when there is no display).
# The embedded browser refuses to run for root with its sandbox on; for a
# developer working as root, this command (never the program) turns it off.
run: build
	@if [ "$$(id -u)" = 0 ]; then echo "Running as root: the web view's sandbox is off for this run"; \
	  export QTWEBENGINE_DISABLE_SANDBOX=1; fi; \
	if [ -n "$$DISPLAY$$WAYLAND_DISPLAY" ]; then build/$(PRESET)/app/velmora; \
	else echo "No display: starting the program under Xvfb (nothing will be seen)"; \
	  xvfb-run -a build/$(PRESET)/app/velmora; fi

# PNGs of every window, offscreen, into docs/screenshots/.
screenshots: build
	build/$(PRESET)/ui/tools/velmora-screenshots docs/screenshots
	QTWEBENGINE_DISABLE_SANDBOX=1 QTWEBENGINE_CHROMIUM_FLAGS="--disable-gpu --no-sandbox" \
	  build/$(PRESET)/web/velmora-web-screenshots docs/screenshots

test: build
	ctest --preset $(PRESET) -j $(JOBS)

# The tests labelled "fast" (no window, no browser, no load): seconds.
test-fast: build
	ctest --preset $(PRESET) -j $(JOBS) -L '^fast$$'

bench:
	scripts/install-deps --bench
	cmake --preset release >/dev/null
	cmake --build --preset release -j $(JOBS)
	bench/run-all build/release

check-sanitize: deps
	cmake --preset asan >/dev/null
	cmake --build --preset asan -j $(JOBS)
	ctest --preset asan -j $(JOBS)

# The windows' tests (label gui) under AddressSanitizer + UndefinedBehaviorSanitizer,
# offscreen; tests/sanitizers/lsan.supp is for leaks inside Qt itself. The tests
# that start the browser engine (label web) stay out: Qt WebEngine's own
# Chromium code aborts under AddressSanitizer with a new-delete-type-mismatch
# inside libQt6WebEngineCore.so at the first page, and that check can only be
# turned off for the whole process, ours included.
check-sanitize-gui: deps
	cmake --preset asan-gui >/dev/null
	cmake --build --preset asan-gui -j $(JOBS)
	ctest --preset asan-gui -j $(JOBS)

# velmora-encode under valgrind's memcheck with every code on a mixed 1 MiB
# input, from a file and from a pipe: no memory error, no leak.
check-valgrind: deps
	scripts/install-deps --valgrind
	cmake --preset $(PRESET) >/dev/null
	cmake --build --preset $(PRESET) -j $(JOBS) --target velmora-encode
	scripts/check-valgrind build/$(PRESET)/cli/velmora-encode

# Runs every libFuzzer target for FUZZ_SECONDS each (clang, sanitizers on).
FUZZ_SECONDS ?= 60
fuzz:
	scripts/install-deps --fuzz
	cmake --preset fuzz >/dev/null
	cmake --build --preset fuzz -j $(JOBS)
	scripts/run-fuzzers build/fuzz/fuzz $(FUZZ_SECONDS)

# A Debian package of the program, then the package installed with apt into a
# minimal Debian 12 (debootstrap, in build/check-package) and tried there: the
# command line, and the program under Xvfb, its main window compared with
# docs/screenshots/main-home.png.
package: deps
	cmake --preset package >/dev/null
	cmake --build --preset package -j $(JOBS)
	cd build/package && cpack

check-package: package
	scripts/check-package build/package/velmora_*_amd64.deb

# Our C++ sources laid out by .clang-format (clang-format-14), in place; the
# check fails on any difference and changes nothing.
FORMAT_FILES = git ls-files -z -- '*.cpp' '*.h' ':!:build/*'
format:
	$(FORMAT_FILES) | xargs -0 clang-format-14 -i

check-format: deps
	$(FORMAT_FILES) | xargs -0 clang-format-14 --dry-run --Werror

clean:
	rm -rf build
