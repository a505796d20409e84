# Quarl: make build | make test | make run | make bench | make fuzz
.PHONY: all deps build build-native build-fuzz test test-native test-fuzz run bench fuzz clean

all: build

deps:
	@scripts/install-deps.sh

build-native: deps
	cmake --preset native >/dev/null
	cmake --build --preset native

build-fuzz: deps
	cmake --preset fuzz >/dev/null
	cmake --build --preset fuzz

build: build-native

test-native: build-native
	ctest --preset native

test: build test-native

run: build
	build/bin/quarl-map --help

clean:
	rm -rf build
