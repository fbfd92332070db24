# The two everyday commands (see README.md): `make run` and `make test`. Both install what is missing.
.PHONY: all setup build build-native build-windows run test bench clean

all: build

setup:
	@scripts/setup

build: build-native build-windows

build-native: setup
	@cmake --preset native >/dev/null
	@cmake --build --preset native

build-windows: setup
	@cmake --preset windows >/dev/null
	@cmake --build --preset windows

run: build-windows
	@scripts/run-show

test: setup
	@scripts/test-all

bench: build-windows
	@scripts/bench

clean:
	rm -rf build out
