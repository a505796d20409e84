# Quarl: make build | make test | make run | make bench | make fuzz
.PHONY: all deps build build-native build-fuzz build-win build-win32 test test-native test-fuzz test-win run bench fuzz clean

all: build

deps:
	@scripts/install-deps.sh

build-native: deps
	cmake --preset native >/dev/null
	cmake --build --preset native

build-fuzz: deps
	cmake --preset fuzz >/dev/null
	cmake --build --preset fuzz

# The Windows program: quarl.exe for x86_64, staged with zlib.dll into the
# demo game directory build/game (the native build writes the game's files).
build-win: deps
	cmake --preset win64 >/dev/null
	cmake --build --preset win64 -j2
	mkdir -p build/game
	cp build/win64/quarl.exe build/win64/zlib.dll build/game/

# The 32-bit build is compiled and linked only (there is no 32-bit Wine here).
build-win32: deps
	cmake --preset win32 >/dev/null
	cmake --build --preset win32 -j2

build: build-native build-win

test-native: build-native
	ctest --preset native

test-fuzz: build-fuzz
	scripts/run-fuzzers.sh 10

# The Windows tests, run by CTest under Wine in the build tree's private
# Wine session (scripts/with-wine.sh: Xvfb, WINEPREFIX=build/wine).
test-win: build-win build-win32
	scripts/with-wine.sh ctest --preset win64

test: build test-native test-fuzz test-win

# Starts the editor from build/game on $DISPLAY; without a display it runs
# on a private Xvfb and leaves a screenshot in build/screenshot.png.
run: build
	scripts/run-quarl.sh

bench: build-native
	build/bin/quarl-bench
	build/bin/quarl-edit-bench
	scripts/install-deps.sh --bench
	bench/render_bench.sh
	cmake --preset win64 >/dev/null
	cmake --build --preset win64 --target quarl-paint-bench
	scripts/with-wine.sh wine build/win64/bench/win/quarl-paint-bench.exe

fuzz: build-fuzz
	scripts/run-fuzzers.sh 300

clean:
	rm -rf build
