# The two everyday commands (see README.md): `make run` and `make test`. Both install what is missing.
.PHONY: all setup build build-native build-native-release build-windows build-fuzz build-show build-linux run run-linux install-xscreensaver test bench soak fuzz dist pictures clean

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

build-native-release: setup
	@cmake --preset native-release >/dev/null
	@cmake --build --preset native-release --target texture_bench scene_bench lunaquill-still

# The show needs only the two programs, not the tests and tools of the whole preset.
build-show: setup
	@cmake --preset windows >/dev/null
	@cmake --build --preset windows --target host renderer

run: build-show
	@scripts/run-show

# The Linux build of the show (an XScreenSaver hack), optimised and without sanitizers.
build-linux: setup
	@cmake --preset native-release >/dev/null
	@cmake --build --preset native-release --target lunaquill lunaquill-still

run-linux: build-linux
	@scripts/run-linux

# Puts the hack where Debian's XScreenSaver looks (/usr/libexec/xscreensaver) and its settings
# description beside the others (/usr/share/xscreensaver/config); needs root.
install-xscreensaver: build-linux
	@cmake --install build/native-release --prefix /usr --component Unspecified

test: setup
	@scripts/test-all

bench: build-native-release build-windows
	@scripts/bench

# Long runs with memory, handle and GDI counts (about 35 minutes; SOAK_MINUTES per show, 15).
soak: build-windows
	@scripts/soak

build-fuzz: setup
	@cmake --preset fuzz >/dev/null
	@cmake --build --preset fuzz

fuzz: build-fuzz
	@scripts/fuzz $(FUZZ_SECONDS)

pictures: build-windows build-linux dist
	@scripts/pictures

dist: setup
	@scripts/dist

clean:
	rm -rf build out dist
