# The two entry points of the README: `make run` and `make test`. Both install what is missing first.
JOBS ?= $(shell nproc)

.PHONY: all deps build run test test-dev test-asan release bench format tidy clean

all: build

deps:
	./scripts/install-deps.sh

build: deps
	cmake --preset dev
	cmake --build --preset dev -j $(JOBS)

release: deps
	cmake --preset release
	cmake --build --preset release -j $(JOBS)

# Benchmarks of the release build against the alternatives; not part of the tests.
bench:
	./scripts/bench.sh

run: build
	@echo "Quillet's window is not part of this build yet: the core and its tests are built in build/dev."

test: deps test-dev test-asan

test-dev:
	cmake --preset dev
	cmake --build --preset dev -j $(JOBS)
	ctest --preset dev -j $(JOBS)

test-asan:
	cmake --preset asan
	cmake --build --preset asan -j $(JOBS)
	ctest --preset asan -j $(JOBS)

format:
	git ls-files '*.cpp' '*.h' | xargs clang-format -i

tidy: build
	git ls-files 'core/*.cpp' 'platform/*.cpp' 'cli/*.cpp' | xargs clang-tidy -p build/dev --quiet

clean:
	rm -rf build
