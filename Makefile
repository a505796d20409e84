# Quarl: make build | make test | make run | make bench | make fuzz
.PHONY: all deps build build-native build-fuzz build-win test test-native test-fuzz test-win run bench fuzz clean

all: build

deps:
	@scripts/install-deps.sh

build-native: deps
	cmake --preset native >/dev/null
	cmake --build --preset native

build-fuzz: deps
	cmake --preset fuzz >/dev/null
	cmake --build --preset fuzz

# The Windows program (filled in with the Win32 build).
build-win: deps

build: build-native build-win

test-native: build-native
	ctest --preset native

test-fuzz: build-fuzz
	scripts/run-fuzzers.sh 10

# The Windows tests under Wine (filled in with the Win32 build).
test-win: build-win

test: build test-native test-fuzz test-win

run: build
	build/bin/quarl-map --help

bench: build-native
	build/bin/quarl-bench
	cmake --preset win64 >/dev/null
	cmake --build --preset win64 --target quarl-paint-bench
	scripts/with-wine.sh wine build/win64/bench/win/quarl-paint-bench.exe

fuzz: build-fuzz
	scripts/run-fuzzers.sh 300

clean:
	rm -rf build
