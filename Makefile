# Ventrix: `make test` and `make run` install what a fresh Debian 12 machine lacks, then build.

SHELL := /bin/bash
JOBS ?= $(shell nproc)
APT_PACKAGES := cmake g++ make googletest g++-mingw-w64-i686-posix gcc-mingw-w64-i686-posix \
	binutils-mingw-w64-i686 wine wine32:i386 wine64 xvfb xauth imagemagick xdotool python3 \
	clang-format

.PHONY: all deps native windows test test-native test-windows test-e2e bench bench-leak run format \
	clean

all: native windows

# Installs only when something is missing (needs root, as on a fresh machine).
deps:
	@missing=0; \
	for tool in cmake g++ i686-w64-mingw32-g++-posix wine xvfb-run import xdotool python3; do \
	  command -v $$tool >/dev/null || missing=1; done; \
	[ -f /usr/src/googletest/CMakeLists.txt ] || missing=1; \
	dpkg -s wine32:i386 >/dev/null 2>&1 || missing=1; \
	if [ $$missing = 1 ]; then \
	  echo "Installing build and test dependencies..."; \
	  dpkg --add-architecture i386 && apt-get update -qq && \
	  DEBIAN_FRONTEND=noninteractive apt-get install -y -qq $(APT_PACKAGES) >/dev/null; \
	fi

native: deps
	cmake --preset native >/dev/null
	cmake --build --preset native -j $(JOBS)

windows: deps
	cmake --preset windows >/dev/null
	cmake --build --preset windows -j $(JOBS)

test-native: native
	ctest --preset native -j $(JOBS)

# The Windows tier and the end-to-end tier both run under Wine on a virtual X display.
test-windows: windows
	xvfb-run -a -s "-screen 0 1024x768x24" ctest --preset windows

test: test-native test-windows

# No leak: 1,000 eject/close and 1,000 lock/unlock cycles through the real exe under Wine;
# fails when its handle, GDI or USER object counts grow. LEAK_CYCLES=N for a shorter run.
LEAK_CYCLES ?= 1000
bench-leak: windows
	xvfb-run -a -s "-screen 0 1024x768x24" bench/leak.sh build/windows/app/ventrix.exe \
	  build/windows/tests/e2e/e2e_driver.exe build/windows/tests/e2e/e2e_hook.dll \
	  build/windows/bench-leak $(LEAK_CYCLES)

# Footprint and speed next to a bare Win32 program, under Wine on Xvfb; results in
# build/bench/results.md. BENCH_RUNS, BENCH_IDLE_SECONDS, BENCH_SETTLE_MS, BENCH_BANNER: see the script.
bench: windows
	xvfb-run -a -s "-screen 0 1024x768x24" bench/run-bench.sh build/windows

run: windows
	@tests/wine/run-ventrix.sh build/windows/app/ventrix.exe

format:
	git ls-files '*.cpp' '*.h' | xargs clang-format -i

clean:
	rm -rf build
