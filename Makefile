# The two commands of the README, and the pieces they are made of.
.PHONY: setup run test build-release build-debug clean

JOBS ?= $(shell nproc)

setup:
	scripts/setup

build-release: setup
	cmake --preset release
	cmake --build --preset release -j $(JOBS)

build-debug: setup
	cmake --preset debug
	cmake --build --preset debug -j $(JOBS)

# Sets everything up, builds and starts the game.
run: build-release
	build/release/game/mukiro-tough

# Sets everything up, builds and runs every test.
test: build-debug
	ctest --preset debug -j $(JOBS)

clean:
	rm -rf build
