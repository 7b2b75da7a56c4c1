# SPDX-FileCopyrightText: 2026 The Brontix developers
# SPDX-License-Identifier: MIT
# The README's commands: `make run`, `make test`, and the rest.
BUILD ?= build
SANITIZE_BUILD ?= build-sanitize
WEB_BUILD ?= build-web
WINDOWS_BUILD ?= build-windows
FUZZ_BUILD ?= build-fuzz
JOBS ?= $(shell nproc 2>/dev/null || echo 2)
FUZZ_SECONDS ?= 600
MINUTES ?= 60
# WERROR=ON: compiler warnings are errors (CI builds so).
WERROR ?= OFF

.PHONY: legend all deps configure build run check test lint sanitize sanitize-build bench fuzz soak package \
	web web-run windows clean

all: build

deps:
	@sh scripts/install-deps

configure: deps
	@cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBRONTIX_WERROR=$(WERROR) \
		-DCMAKE_EXPORT_COMPILE_COMMANDS=ON >/dev/null

build: configure
	@cmake --build $(BUILD) -j $(JOBS)

run: build
	./$(BUILD)/brontix

# The unit tests alone (the rules, the session, the replay driver, the
# window offscreen, the layers, the golden replays): under half a minute.
check: build
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS) -L unit

# Every test, the browser edition's included, clang-tidy, then every test
# again under the sanitizers (with a bounded fuzzing walk), then half a
# minute of libFuzzer.
test: build web windows
	@sh scripts/install-deps browser
	@cd tests/web && npm install --no-audit --no-fund --loglevel=error
	@cmake -S . -B $(BUILD) -DBRONTIX_WEB_SITE=$(CURDIR)/$(WEB_BUILD) \
		-DBRONTIX_WINDOWS_BUILD=$(CURDIR)/$(WINDOWS_BUILD) >/dev/null
	@cmake --build $(BUILD) -j $(JOBS)
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS)
	sh scripts/lint $(BUILD)
	@$(MAKE) --no-print-directory sanitize
	@$(MAKE) --no-print-directory fuzz FUZZ_SECONDS=30

# clang-tidy over the native build's sources (under two minutes on two
# cores), as make test runs it.
lint: build
	sh scripts/lint $(BUILD)

SANITIZER_OPTIONS = ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 \
	LSAN_OPTIONS=suppressions=$(CURDIR)/tests/lsan.supp:print_suppressions=0 \
	UBSAN_OPTIONS=print_stacktrace=1

sanitize-build: deps
	@cmake -S . -B $(SANITIZE_BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBRONTIX_SANITIZE=ON \
		-DBRONTIX_WERROR=$(WERROR) -DBRONTIX_BENCH=OFF >/dev/null
	@cmake --build $(SANITIZE_BUILD) -j $(JOBS)

sanitize: sanitize-build
	cd $(SANITIZE_BUILD) && $(SANITIZER_OPTIONS) ctest --output-on-failure -j $(JOBS)

# A long soak: the fuzzing walks of the release and the sanitizer builds,
# side by side for MINUTES (60 unless told), with their commands, ticks and
# findings.
soak: build sanitize-build
	$(SANITIZER_OPTIONS) bash scripts/soak $(MINUTES) $(BUILD)/fuzz/brontix-fuzz-walk \
		$(SANITIZE_BUILD)/fuzz/brontix-fuzz-walk $(BUILD)/soak

# The tick, the frame and the viewer's seeks, then the windowed game's CPU
# share in Xvfb and the page's in Chromium, each beside its viewer's playing
# the recording of a Demo game at 1x, and the page viewer's seeks.
bench: build web windows
	@sh scripts/install-deps browser
	@cd tests/web && npm install --no-audit --no-fund --loglevel=error
	./$(BUILD)/bench/brontix_bench --benchmark_repetitions=5 --benchmark_report_aggregates_only=true
	bash bench/window_cpu.sh ./$(BUILD)/brontix
	bash bench/viewer_cpu.sh ./$(BUILD)/brontix
	bash bench/windows_cpu.sh ./$(BUILD)/brontix $(WINDOWS_BUILD)/brontix.exe
	node bench/page_cpu.mjs $(WEB_BUILD)
	node bench/page_viewer_cpu.mjs $(WEB_BUILD)
	node bench/page_seek.mjs $(WEB_BUILD)
	node bench/page_motion.mjs $(WEB_BUILD)

# The browser edition: the site to deploy in $(WEB_BUILD)/site/, and a
# server for it.
web:
	@sh scripts/install-deps web
	@cmake -S . -B $(WEB_BUILD) -DCMAKE_TOOLCHAIN_FILE=cmake/wasm32-wasi.cmake \
		-DCMAKE_BUILD_TYPE=Release -DBRONTIX_WEB=ON -DBRONTIX_WITH_QT=OFF -DBRONTIX_TESTS=OFF \
		-DBRONTIX_BENCH=OFF -DBRONTIX_WERROR=$(WERROR) >/dev/null
	@cmake --build $(WEB_BUILD) -j $(JOBS)

# brontix.exe and brontix-replay.exe, cross-built with mingw-w64 into
# $(WINDOWS_BUILD)/, statically linked; Wine runs them in make test.
windows:
	@sh scripts/install-deps windows
	@cmake -S . -B $(WINDOWS_BUILD) -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake \
		-DCMAKE_BUILD_TYPE=Release -DBRONTIX_WITH_QT=OFF -DBRONTIX_TESTS=OFF -DBRONTIX_BENCH=OFF \
		-DBRONTIX_WERROR=$(WERROR) >/dev/null
	@cmake --build $(WINDOWS_BUILD) -j $(JOBS)

web-run: web
	@sh scripts/install-deps node
	node $(WEB_BUILD)/serve.mjs $(PORT)

# The capsules' legend in the README, the manual page and docs/capsules.svg,
# renewed from the table the game applies (make test checks it is).
legend: build
	sh scripts/legend $(BUILD)/brontix-legend

# A Debian package in $(BUILD)/, and beside it the Windows programs' zip.
package: build windows
	cd $(BUILD) && cpack -G DEB
	cp $(WINDOWS_BUILD)/brontix-*-windows-x86_64.zip $(BUILD)/

# The coverage-guided fuzzer, with clang's libFuzzer, for FUZZ_SECONDS; its
# corpus grows from run to run.
fuzz:
	@sh scripts/install-deps fuzz
	@CC=clang CXX=clang++ cmake -S . -B $(FUZZ_BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo \
		-DBRONTIX_SANITIZE=ON -DBRONTIX_LIBFUZZER=ON -DBRONTIX_WITH_QT=OFF -DBRONTIX_BENCH=OFF >/dev/null
	@cmake --build $(FUZZ_BUILD) -j $(JOBS) --target brontix-fuzz
	mkdir -p $(FUZZ_BUILD)/corpus
	cd $(FUZZ_BUILD) && ./fuzz/brontix-fuzz -max_total_time=$(FUZZ_SECONDS) -max_len=4096 corpus

clean:
	rm -rf $(BUILD) $(SANITIZE_BUILD) $(FUZZ_BUILD) $(WEB_BUILD) $(WINDOWS_BUILD)
