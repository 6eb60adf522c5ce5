# Set-up, build, run and test Markwart in one command each.
BUILD_DIR ?= build
BUILD_TYPE ?= RelWithDebInfo
JOBS ?= $(shell nproc 2>/dev/null || echo 2)

.PHONY: all deps configure build run test bench clean

all: build

deps:
	@bash tools/install-deps.sh

configure: deps
	@cmake -S . -B $(BUILD_DIR) -DCMAKE_BUILD_TYPE=$(BUILD_TYPE) >/dev/null

build: configure
	@cmake --build $(BUILD_DIR) -j $(JOBS)

# Starts Markwart with the example class (no password: confirm the password dialog with OK).
run: build
	@if [ -z "$$DISPLAY" ] && [ -z "$$WAYLAND_DISPLAY" ]; then \
	    echo "Kein Bildschirm gefunden: starte unter Xvfb (xvfb-run)."; \
	    xvfb-run -a $(BUILD_DIR)/src/markwart $(BUILD_DIR)/examples/7b.MWk; \
	else \
	    $(BUILD_DIR)/src/markwart $(BUILD_DIR)/examples/7b.MWk; \
	fi

test: build
	@cd $(BUILD_DIR) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)

bench: build
	@$(BUILD_DIR)/bench/markwart_bench

clean:
	@rm -rf $(BUILD_DIR)
