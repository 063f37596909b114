# A thin layer over the CMake presets. Each goal first installs the Debian
# packages the project needs that are missing.

.PHONY: all deps build run test screenshot clean

all: build

deps:
	@./scripts/install-deps.sh

build: deps
	cmake --preset release
	cmake --build --preset release

run: deps
	cmake --preset release
	cmake --build --preset release --target rurozovizera
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

# Refreshes the README's picture with the one the screenshot test takes.
screenshot: build
	ctest --preset release -R ui.screenshot_test
	cp build/tests/ui/screenshot.png docs/screenshot.png

clean:
	rm -rf build
