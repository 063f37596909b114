# A thin layer over the CMake presets. Each goal first installs the Debian
# packages the project needs that are missing.

.PHONY: all deps build run test clean

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

clean:
	rm -rf build
