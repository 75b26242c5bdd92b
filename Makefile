# The two commands of the README, and the pieces they are made of.
.PHONY: setup run test test-debug test-asan fuzz bench package build-release build-debug clean web run-web

JOBS ?= $(shell nproc)

setup:
	scripts/setup

build-release: setup
	cmake --preset release
	cmake --build --preset release -j $(JOBS)

build-debug: setup
	cmake --preset debug
	cmake --build --preset debug -j $(JOBS)

# Builds the game alone (not the tests, benchmarks or fuzzers) and starts it. Setting up and
# configuring happen the first time only, so a second `make run` starts the game at once;
# `make setup` installs packages added to the list since.
run: build/release/build.ninja
	cmake --build --preset release --target mukiro-tough
	build/release/game/mukiro-tough

build/release/build.ninja:
	scripts/setup
	cmake --preset release

# Sets everything up, builds and runs every test: a debug build, a minute of fuzzing, then the
# same tests built with the address and undefined-behaviour sanitizers.
test: test-debug fuzz test-asan

test-debug: build-debug
	ctest --preset debug -j $(JOBS)

test-asan: setup
	cmake --preset asan
	cmake --build --preset asan -j $(JOBS)
	ctest --preset asan -j $(JOBS)

# Builds the explanation-file fuzzer with clang and runs it for FUZZ_SECONDS.
FUZZ_SECONDS ?= 60
fuzz: setup
	JOBS=$(JOBS) scripts/fuzz $(FUZZ_SECONDS)

# Builds the Debian package the way a distribution does (dpkg-buildpackage on a clean copy of
# the source) into build/package and prints its path.
package: setup
	@echo "Package: $$(scripts/build-deb build/package -b)"

# Builds in release mode and measures the game against a bare window, then the web page in
# headless Chromium.
bench: setup
	scripts/bench
	scripts/bench-web

# Builds the web page into build/web: a folder of static files any web host can serve.
web: setup
	scripts/build-web build/web

# Builds the web page and serves it on 127.0.0.1, printing the address to open.
WEB_PORT ?= 8000
run-web: web
	scripts/serve-web build/web --port $(WEB_PORT)

clean:
	rm -rf build
