# Set-up commands: `make run` builds and runs the main job, `make test` builds and passes the tests.
BUILD ?= build
JOBS ?= 2
CMAKE_FLAGS ?=

.PHONY: deps configure build run test asan fuzz bench clean

deps:
	@bash cmake/install-deps.sh

configure: deps
	cmake -S . -B $(BUILD) $(CMAKE_FLAGS)

build: configure
	cmake --build $(BUILD) -j$(JOBS)

# The main job: every registered test, console lines on stdout, the JUnit
# report in $(BUILD)/out/test_results.xml.
run: build
	$(BUILD)/bin/korhost run_programmer_tests \
	  --results_formatter GenJUnitResultsFormatter \
	  --results_router GenFileResultsRouter \
	  --result_filename.txt $(abspath $(BUILD))/out/test_results.xml

test: build
	cd $(BUILD) && ctest --output-on-failure -j$(JOBS)

asan: deps
	cmake -S . -B build-asan -DCMAKE_BUILD_TYPE=Debug \
	  -DCMAKE_CXX_FLAGS="-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=all"
	cmake --build build-asan -j$(JOBS) --target unittests
	build-asan/bin/unittests

# Builds every fuzz target with clang (ASan + UBSan) and runs each briefly.
FUZZ_SECONDS ?= 8
fuzz: deps
	CXX=clang++ cmake -S . -B build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKORTEST_FUZZ=ON -DKORTEST_BUILD_TESTS=OFF \
	  -DCMAKE_CXX_FLAGS="-fsanitize=address,undefined -fno-sanitize-recover=all -fsanitize=fuzzer-no-link"
	cmake --build build-fuzz -j$(JOBS) --target fuzzers
	bash fuzz/run.sh build-fuzz $(FUZZ_SECONDS)

bench: deps
	@bash cmake/install-deps.sh libboost-dev hyperfine
	cmake -S . -B build-bench -DCMAKE_BUILD_TYPE=Release
	cmake --build build-bench -j$(JOBS) --target benchmarks korhost kortest
	bash bench/run.sh build-bench

clean:
	rm -rf $(BUILD) build-asan build-bench build-fuzz
