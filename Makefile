# Set-up, build, run and test Markwart in one command each.
BUILD_DIR ?= build
BUILD_TYPE ?= RelWithDebInfo
JOBS ?= $(shell nproc 2>/dev/null || echo 2)

.PHONY: all deps configure build run test bench install package clean
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
