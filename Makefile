# The two everyday commands (see README.md): `make run` and `make test`. Both install what is missing.
.PHONY: help all setup setup-linux build build-native build-native-release build-windows build-fuzz build-show build-linux run run-linux install-xscreensaver deb test bench soak fuzz dist pictures clean

all: build

# The public targets and the variables they take.
help:
	@echo 'Everyday (each installs what is missing first):'
	@echo '  make run                  build the two Windows programs and play the show under Wine'
	@echo '                            (headless: screenshots and a GIF in out/; LQ_SHOW_SECONDS, 4)'
	@echo '  make test                 build everything and run every test (about 13 minutes on 2 cores)'
	@echo 'Linux (the XScreenSaver hack):'
	@echo '  make run-linux            build the hack and show it in a window'
	@echo '  make install-xscreensaver install it under /usr (root); then each user runs'
	@echo '                            lunaquill-xscreensaver add'
	@echo '  make deb                  the Debian package, dist/lunaquill_<version>_amd64.deb'
	@echo 'Release:'
	@echo '  make dist                 the zip and the installer in dist/; signed when'
	@echo '                            LUNAQUILL_SIGN_P12 (and LUNAQUILL_SIGN_PASS) name a key,'
	@echo '                            time-stamped when LUNAQUILL_SIGN_TIMESTAMP names a server'
	@echo '  make pictures             the README pictures in docs/pictures'
	@echo 'Measuring:'
	@echo '  make bench                every figure docs/benchmarks.md quotes, beside its baseline'
	@echo '  make soak                 long runs with memory and handle counts (SOAK_MINUTES per show, 15)'
	@echo '  make fuzz                 the byte parsers under libFuzzer (FUZZ_SECONDS each, 600)'
	@echo 'Other:'
	@echo '  make build                both presets (native and windows) without running anything'
	@echo '  make clean                remove build/, out/ and dist/'

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
	@cmake --build --preset native-release --target texture_bench scene_bench lunaquill-still lunaquill

# The show needs only the two programs, not the tests and tools of the whole preset.
build-show: setup
	@cmake --preset windows >/dev/null
	@cmake --build --preset windows --target host renderer

run: build-show
	@scripts/run-show

# The Linux build of the show (an XScreenSaver hack), optimised, on a set-up of its own: a compiler and
# the X11/GL headers, nothing of the Windows side.
setup-linux:
	@scripts/setup-linux

build-linux: setup-linux
	@scripts/build-linux

run-linux:
	@scripts/setup-linux run
	@scripts/build-linux
	@scripts/run-linux

# Puts the hack where Debian's XScreenSaver looks (/usr/libexec/xscreensaver), its settings description
# beside the others (/usr/share/xscreensaver/config) and its manual page in section 6x; needs root.
install-xscreensaver: build-linux
	@cmake --install build/linux --prefix /usr
	@if [ "$$(id -u)" = 0 ] && [ -f build/linux/install_manifest.txt ]; then chown --reference=. build/linux/install_manifest.txt; fi
	@echo "Installed. XScreenSaver offers only the hacks in each user's list: run 'lunaquill-xscreensaver add' as the user."

# The hack as a Debian package: dist/lunaquill_<version>_amd64.deb.
deb:
	@scripts/setup-linux deb
	@scripts/deb

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
