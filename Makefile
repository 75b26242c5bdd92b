# The two commands of the README, and the pieces they are made of.
.PHONY: setup setup-play setup-test run test test-unit test-debug test-asan fuzz bench package \
	mutate build-release build-debug clean web run-web

JOBS ?= $(shell nproc)

# Every package list: play and tests alike.
setup:
	scripts/setup

setup-play:
	scripts/setup play

# The tests build and play the web page too.
setup-test:
	scripts/setup play test web

build-release: setup
	cmake --preset release
	cmake --build --preset release -j $(JOBS)

build-debug: setup-test
	cmake --preset debug
	cmake --build --preset debug -j $(JOBS)

# Installs only what playing needs, builds the game alone (no tests, benchmarks or generators)
# and starts it. Setting up and configuring happen the first time only, so a second `make run`
# starts the game at once; `make setup-play` installs packages added to the list since.
run: build/play/build.ninja
	cmake --build --preset play -j $(JOBS)
	build/play/game/mukiro-tough

build/play/build.ninja:
	scripts/setup play
	cmake --preset play

# Sets everything up, builds and runs every test: a debug build, a minute of fuzzing, then the
# same tests built with the address and undefined-behaviour sanitizers.
test: test-debug fuzz test-asan

test-debug: build-debug
	ctest --preset debug -j $(JOBS)

# The headless tests alone (label unit), in seconds once built.
test-unit: build-debug
	ctest --preset debug -j $(JOBS) -L unit

test-asan: setup-test
	cmake --preset asan
	cmake --build --preset asan -j $(JOBS)
	ctest --preset asan -j $(JOBS)

# Builds the explanation-file fuzzer with clang and runs it for FUZZ_SECONDS.
FUZZ_SECONDS ?= 60
fuzz: setup-test
	JOBS=$(JOBS) scripts/fuzz $(FUZZ_SECONDS)

# Changes the rules one number or comparison at a time and lists every change no test catches.
# Minutes: not part of `make test`.
mutate: setup-test
	JOBS=$(JOBS) scripts/mutate-rules

# Builds the Debian package the way a distribution does (dpkg-buildpackage on a clean copy of
# the source) into build/package and prints its path.
package: setup-test
	@echo "Package: $$(scripts/build-deb build/package -b)"

# Builds in release mode and measures the game against a bare window, then the web page in
# headless Chromium.
bench: setup-test
	scripts/bench
	scripts/bench-web

# Builds the web page into build/web: a folder of static files any web host can serve.
web:
	scripts/setup play web
	scripts/build-web build/web

# Builds the web page and serves it on 127.0.0.1, printing the address to open.
WEB_PORT ?= 8000
run-web: web
	scripts/serve-web build/web --port $(WEB_PORT)

clean:
	rm -rf build
