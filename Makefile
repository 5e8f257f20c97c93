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

# The release in dist/ (release/make_dist.py): a zip for each of the i686 (x86) and x86-64
# (x64) exes, the exes, the version file, winget and Scoop manifests and SHA256SUMS. Builds the
# two exes alone. RELEASE_URL: the https address the files are published at (default: under the
# web site). SIGN_PKCS12 and SIGN_PASS_FILE: sign both exes with that key (Authenticode).
DIST_SIGNING = $(if $(SIGN_PKCS12),--sign-pkcs12 "$(SIGN_PKCS12)" --sign-pass-file "$(SIGN_PASS_FILE)")
dist: deps
	cmake --preset windows >/dev/null
	cmake --build --preset windows -j $(JOBS) --target ventrix
	cmake --preset windows-x64 >/dev/null
	cmake --build --preset windows-x64 -j $(JOBS) --target ventrix
	python3 release/make_dist.py --exe-x86 build/windows/app/ventrix.exe \
	  --exe-x64 build/windows-x64/app/ventrix.exe --source . --out dist \
	  $(if $(RELEASE_URL),--release-url "$(RELEASE_URL)") $(DIST_SIGNING)

run: windows
	@$(WINE_BUILD) && tests/wine/run-ventrix.sh $$wine_build/app/ventrix.exe

format:
	git ls-files '*.cpp' '*.h' | xargs clang-format -i

clean:
	rm -rf build dist
