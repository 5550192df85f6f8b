# The two entry points of the README: `make run` and `make test`. Both install what is missing first.
JOBS ?= $(shell nproc)
# Seconds that `make fuzz` gives each fuzz target.
FUZZ_SECONDS ?= 60

.PHONY: all deps build run test test-dev test-asan fuzz release bench format tidy screenshot clean

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
	./build/dev/app/quillet

test: deps test-dev test-asan

test-dev:
	cmake --preset dev
	cmake --build --preset dev -j $(JOBS)
	ctest --preset dev -j $(JOBS)

test-asan:
	cmake --preset asan
	cmake --build --preset asan -j $(JOBS)
	ctest --preset asan -j $(JOBS)

# The libFuzzer targets (clang, ASan, UBSan), each run for FUZZ_SECONDS on a copy of its corpus.
fuzz:
	./scripts/install-deps.sh --fuzz
	cmake --preset fuzz
	cmake --build --preset fuzz -j $(JOBS)
	./scripts/run-fuzzers.sh $(FUZZ_SECONDS)

format:
	git ls-files '*.cpp' '*.h' | xargs clang-format -i

tidy: build
	git ls-files 'core/*.cpp' 'platform/*.cpp' 'platform/qt/*.cpp' 'res/*.cpp' 'ui/*.cpp' 'app/*.cpp' 'cli/*.cpp' | \
		xargs clang-tidy -p build/dev --quiet

screenshot: build
	./scripts/install-deps.sh --screenshot
	./scripts/take-screenshot.sh build/dev/app/quillet docs/screenshot.png
	./scripts/take-screenshot.sh --about build/dev/app/quillet docs/about.png

clean:
	rm -rf build
