# A thin layer over the CMake presets. Each goal first installs the Debian
# packages it needs that are missing: `run` only what building and running
# the calculator takes, the others everything the tests and benchmarks take.

.PHONY: all deps run-deps build run test bench screenshot clean windows windows-test

all: build

deps:
	@./scripts/install-deps.sh test

run-deps:
	@./scripts/install-deps.sh run

build: deps
	cmake --preset release
	cmake --build --preset release

# The user's build: no tests, no benchmarks, and a compiler's new warning
# does not stop it.
run: run-deps
	cmake --preset user
	cmake --build --preset user --target rurozovizera
	@./scripts/run.sh

test: deps
	cmake --preset release
	cmake --build --preset release
	ctest --preset release
	cmake --preset asan
	cmake --build --preset asan
	ctest --preset asan
	cmake --preset fuzz
	cmake --build --preset fuzz
	ctest --preset fuzz

# Measures, never tests: the engine's speed, a key's click in the window
# on an empty display and with 32,767 characters pasted (the display's limit),
# the paste itself and the memory it takes, and start-up time and memory
# against a bare Qt Widgets window (see docs/performance.md).
bench: deps
	cmake --preset release
	cmake --build --preset release --target engine_bench
	build/release/bin/engine_bench --benchmark_repetitions=3 --benchmark_report_aggregates_only=true
	./bench/window/run.sh
	./bench/startup/run.sh

# Refreshes the README's picture with the one the screenshot test takes.
screenshot: build
	ctest --preset release -R ui.screenshot_test
	cp build/release/tests/ui/screenshot.png docs/screenshot.png

# The calculator for 64-bit Windows, cross-built with Debian's MinGW-w64
# against a Qt for Windows built once from Debian's source into a cache
# folder; then its portable zip and installer. The tests run under Wine.
windows:
	@./scripts/install-deps.sh windows
	RUROZOVIZERA_QT_WINDOWS="$$(./scripts/windows/build-qt.sh)" && \
		export RUROZOVIZERA_QT_WINDOWS && cmake --preset windows
	cmake --build --preset windows
	cmake --build --preset windows --target windows_packages

windows-test: windows
	./scripts/windows/test.sh

clean:
	rm -rf build
