# Set-up, build, run and test Markwart in one command each.
BUILD_DIR ?= build
BUILD_TYPE ?= RelWithDebInfo
JOBS ?= $(shell nproc 2>/dev/null || echo 2)

.PHONY: all deps configure build run test check fuzz bench install package clean
PREFIX ?= /usr/local

all: build

deps:
	@bash tools/install-deps.sh

configure: deps
	@cmake -S . -B $(BUILD_DIR) -DCMAKE_BUILD_TYPE=$(BUILD_TYPE) >/dev/null

build: configure
	@cmake --build $(BUILD_DIR) -j $(JOBS)

# Starts Markwart with the example class (no password: confirm the password dialog with OK).
# It needs a desktop: without one it says so and how to start it, after the build.
run: build
	@if [ -z "$$DISPLAY" ] && [ -z "$$WAYLAND_DISPLAY" ]; then \
	    echo "Markwart braucht eine Desktop-Sitzung, hier ist kein Bildschirm (DISPLAY/WAYLAND_DISPLAY) gesetzt." >&2; \
	    echo "Markwart needs a desktop session; no display (DISPLAY/WAYLAND_DISPLAY) is set here." >&2; \
	    echo "Gebaut ist es schon. Starten / to start it: in einem Terminal der Desktop-Sitzung" >&2; \
	    echo "    make run" >&2; \
	    echo "oder/or   $(BUILD_DIR)/src/markwart $(BUILD_DIR)/examples/7b.MWk" >&2; \
	    echo "(über SSH / over SSH: ssh -X, dann/then make run)" >&2; \
	    exit 1; \
	fi
	@$(BUILD_DIR)/src/markwart $(BUILD_DIR)/examples/7b.MWk

test: build
	@cd $(BUILD_DIR) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)

# The tests again, built with AddressSanitizer and UndefinedBehaviorSanitizer in a folder of their own.
# Any finding stops the test with a stack trace; leaks are checked too (tools/lsan.supp lists the
# few system libraries whose leaks are not ours).
CHECK_DIR ?= build-check
check: deps
	@cmake -S . -B $(CHECK_DIR) -DCMAKE_BUILD_TYPE=$(BUILD_TYPE) -DMARKWART_SANITIZE=ON \
	    -DMARKWART_BUILD_BENCHMARKS=OFF >/dev/null
	@cmake --build $(CHECK_DIR) -j $(JOBS)
	@cd $(CHECK_DIR) && QT_QPA_PLATFORM=offscreen \
	    ASAN_OPTIONS=halt_on_error=1:print_stacktrace=1:detect_leaks=1 \
	    UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1 \
	    LSAN_OPTIONS=suppressions=$(CURDIR)/tools/lsan.supp:print_suppressions=0 \
	    ctest --output-on-failure -j $(JOBS)

# Every file reader under libFuzzer (clang, AddressSanitizer, UndefinedBehaviorSanitizer), each for
# FUZZ_SECONDS. A target is fuzz/fuzz_<name>.cpp with its seeds in fuzz/corpus/<name>/; what the
# fuzzer adds to the corpus stays in $(FUZZ_DIR)/corpus, a crash or hang lands in
# $(FUZZ_DIR)/findings/<name>/ and stops the run.
FUZZ_DIR ?= build-fuzz
FUZZ_SECONDS ?= 60
FUZZ_TARGETS ?= $(patsubst fuzz/fuzz_%.cpp,%,$(wildcard fuzz/fuzz_*.cpp))
fuzz: deps
	@bash tools/install-deps.sh clang libclang-rt-14-dev
	@cmake -S . -B $(FUZZ_DIR) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ \
	    -DMARKWART_FUZZ=ON -DMARKWART_BUILD_TESTS=OFF -DMARKWART_BUILD_BENCHMARKS=OFF >/dev/null
	@cmake --build $(FUZZ_DIR) -j $(JOBS) --target fuzz_targets
	@set -e; for name in $(FUZZ_TARGETS); do \
	    mkdir -p $(FUZZ_DIR)/corpus/$$name $(FUZZ_DIR)/findings/$$name; \
	    echo "Fuzzing $$name for $(FUZZ_SECONDS) s"; \
	    ASAN_OPTIONS=halt_on_error=1:print_stacktrace=1:detect_leaks=1 \
	    UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1 \
	    LSAN_OPTIONS=suppressions=$(CURDIR)/tools/lsan.supp:print_suppressions=0 \
	    QT_QPA_PLATFORM=offscreen \
	    $(FUZZ_DIR)/fuzz/fuzz_$$name -max_total_time=$(FUZZ_SECONDS) -rss_limit_mb=2048 \
	        -timeout=10 -print_final_stats=1 -artifact_prefix=$(FUZZ_DIR)/findings/$$name/ \
	        $(FUZZ_DIR)/corpus/$$name fuzz/corpus/$$name 2>$(FUZZ_DIR)/findings/$$name.log \
	        || { tail -n 60 $(FUZZ_DIR)/findings/$$name.log; exit 1; }; \
	    grep -E "^stat::number_of_executed_units|^#[0-9]+.*DONE" $(FUZZ_DIR)/findings/$$name.log | tail -n 1; \
	done

bench: build
	@$(BUILD_DIR)/bench/markwart_bench
	@$(BUILD_DIR)/bench/markwart_bench_reports

# Installs the programs, the menu entry, the icon and the class file type below PREFIX
# (DESTDIR is honoured as usual).
install: build
	@cmake --install $(BUILD_DIR) --prefix $(PREFIX)

# A Debian package in $(BUILD_DIR): markwart_<version>_amd64.deb.
package: build
	@cd $(BUILD_DIR) && cpack -G DEB

clean:
	@rm -rf $(BUILD_DIR)
