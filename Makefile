# A thin wrapper around CMake presets, so a newcomer types `make run` and `make test`.
JOBS ?= $(shell nproc)
PRESET ?= default

.PHONY: all build run test bench screenshots check-sanitize fuzz deps clean

all: build

deps:
	scripts/install-deps

build: deps
	cmake --preset $(PRESET) >/dev/null
	cmake --build --preset $(PRESET) -j $(JOBS)

# Starts the desktop program (under Xvfb when there is no display).
run: build
	@if [ -x build/$(PRESET)/app/velmora ]; then \
	  if [ -n "$$DISPLAY$$WAYLAND_DISPLAY" ]; then build/$(PRESET)/app/velmora; \
	  else xvfb-run -a build/$(PRESET)/app/velmora; fi; \
	else \
	  echo "The window is not built yet; a demonstration of the command line:"; \
	  for c in morse morse2 caesar polybe binaire; do \
	    printf '%-8s ' $$c; build/$(PRESET)/cli/velmora-encode $$c "Hello World."; done; \
	fi

test: deps
	cmake --preset ci >/dev/null
	cmake --build --preset ci -j $(JOBS)
	ctest --preset ci -j $(JOBS)

bench:
	scripts/install-deps --bench
	cmake --preset release >/dev/null
	cmake --build --preset release -j $(JOBS)
	bench/run-all build/release

check-sanitize: deps
	cmake --preset asan >/dev/null
	cmake --build --preset asan -j $(JOBS)
	ctest --preset asan -j $(JOBS)

# Runs every libFuzzer target for FUZZ_SECONDS each (clang, sanitizers on).
FUZZ_SECONDS ?= 60
fuzz: deps
	@command -v clang++-14 >/dev/null || apt-get install -y -q clang-14 libclang-rt-14-dev
	cmake --preset fuzz >/dev/null
	cmake --build --preset fuzz -j $(JOBS)
	scripts/run-fuzzers build/fuzz/fuzz $(FUZZ_SECONDS)

clean:
	rm -rf build
