# Ventrix: `make test` and `make run` install what a fresh Debian 12 machine lacks, then build.

SHELL := /bin/bash
JOBS ?= $(shell nproc)
# Seconds each fuzz target runs: FUZZ_SECONDS for `make fuzz`, a short run within `make test`.
FUZZ_SECONDS ?= 60
FUZZ_TEST_SECONDS := 5

# Where Wine's 32-bit loader cannot start (a kernel without IA-32 emulation, or 32-bit Wine not
# installable), Wine cannot run the i686 build. There the Windows and end-to-end tiers run a 64-bit build of the same sources under Wine's
# 64-bit loader; the shipped exe is still the i686 build, whose own checks need no Wine.
I386_RUNS := /usr/lib/wine/wine --version >/dev/null 2>&1
WINE64_PATH := $(CURDIR)/tests/wine/wine64-only
XVFB := xvfb-run -a -s "-screen 0 1024x768x24"
# In a recipe: sets wine_build to the Windows build that Wine runs here (building it when it is
# the 64-bit one) and puts the matching Wine loader first on PATH.
WINE_BUILD := if $(I386_RUNS); then wine_build=build/windows; else \
	echo "Wine runs no 32-bit program here: it runs the 64-bit build (build/windows-x64)."; \
	$(MAKE) --no-print-directory windows-x64 && wine_build=build/windows-x64 && \
	export PATH=$(WINE64_PATH):$$PATH; fi

.PHONY: all deps native windows windows-x64 test test-native test-windows test-e2e bench bench-leak run format \
	clean fuzzers fuzz test-fuzz dist

# The commit's time dates the release zip's entries (0 outside a git checkout).
SOURCE_DATE_EPOCH ?= $(shell git log -1 --format=%ct 2>/dev/null || echo 0)
export SOURCE_DATE_EPOCH

all: native windows

# Installs only what is missing (needs root, as on a fresh machine): tools/deps.sh.
deps:
	@tools/deps.sh

native: deps
	cmake --preset native >/dev/null
	cmake --build --preset native -j $(JOBS)

windows: deps
	cmake --preset windows >/dev/null
	cmake --build --preset windows -j $(JOBS)

windows-x64: deps
	cmake --preset windows-x64 >/dev/null
	cmake --build --preset windows-x64 -j $(JOBS)

test-native: native
	ctest --preset native -j $(JOBS)

# The Windows tier and the end-to-end tier both run under Wine on a virtual X display.
test-windows: windows
	@if $(I386_RUNS); then $(XVFB) ctest --preset windows; else \
	  ctest --preset windows -R '^(exe|dist)\.' && $(WINE_BUILD) && \
	  $(XVFB) ctest --preset windows-x64 -E '^dist\.'; fi

# Each fuzz target runs over a scratch copy of its committed corpus (build/fuzz/fuzz-work).
fuzzers: deps
	cmake --preset fuzz >/dev/null
	cmake --build --preset fuzz -j $(JOBS)

fuzz: fuzzers
	FUZZ_SECONDS=$(FUZZ_SECONDS) ctest --preset fuzz

test-fuzz: fuzzers
	FUZZ_SECONDS=$(FUZZ_TEST_SECONDS) ctest --preset fuzz

test: test-native test-windows test-fuzz

# No leak: 1,000 eject/close and 1,000 lock/unlock cycles through the real exe under Wine;
# fails when its handle, GDI or USER object counts grow. LEAK_CYCLES=N for a shorter run.
LEAK_CYCLES ?= 1000
bench-leak: windows
	@$(WINE_BUILD) && $(XVFB) bench/leak.sh $$wine_build/app/ventrix.exe \
	  $$wine_build/tests/e2e/e2e_driver.exe $$wine_build/tests/e2e/e2e_hook.dll \
	  $$wine_build/bench-leak $(LEAK_CYCLES)

# Footprint and speed next to a bare Win32 program, under Wine on Xvfb; results in
# build/bench/results.md. BENCH_RUNS, BENCH_IDLE_SECONDS, BENCH_SETTLE_MS, BENCH_BANNER: see the script.
bench: windows
	@$(WINE_BUILD) && $(XVFB) bench/run-bench.sh $$wine_build

# The release in dist/: ventrix-<version>.zip (ventrix.exe, LICENSE.txt, README.txt),
# SHA256SUMS and the version file ventrix3.txt. Builds ventrix.exe alone.
dist: deps
	cmake --preset windows >/dev/null
	cmake --build --preset windows -j $(JOBS) --target dist
	rm -rf dist && cp -r build/windows/dist dist

run: windows
	@$(WINE_BUILD) && tests/wine/run-ventrix.sh $$wine_build/app/ventrix.exe

format:
	git ls-files '*.cpp' '*.h' | xargs clang-format -i

clean:
	rm -rf build dist
