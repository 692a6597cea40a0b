# Set-up commands: `make run` builds and runs the main job, `make test` builds and passes the tests.
BUILD ?= build
JOBS ?= 2
CMAKE_FLAGS ?=

.PHONY: deps configure build run test valgrind asan fuzz bench coverage clean

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

# Memory check of korhost under valgrind: the built-in tests with the JUnit
# file report, then writing a mesh and reading it back with mesh-info. Any
# error or leak (definite, indirect or possible) fails the target.
VALGRIND = valgrind -q --leak-check=full \
  --errors-for-leak-kinds=definite,indirect,possible --error-exitcode=9
VG_OUT = $(abspath $(BUILD))/valgrind
valgrind: configure
	cmake --build $(BUILD) -j$(JOBS) --target korhost
	rm -rf $(VG_OUT) && mkdir -p $(VG_OUT)
	$(VALGRIND) $(BUILD)/bin/korhost run_programmer_tests \
	  --results_formatter GenJUnitResultsFormatter \
	  --results_router GenFileResultsRouter --result_filename.txt $(VG_OUT)/r.xml
	$(VALGRIND) $(BUILD)/bin/korhost command "Write IKorMesh" \
	  --document examples/meshes/cube.obj --save-as $(VG_OUT)/cube.ikm
	$(VALGRIND) $(BUILD)/bin/korhost mesh-info $(VG_OUT)/cube.ikm

asan: deps
	cmake -S . -B build-asan -DCMAKE_BUILD_TYPE=Debug \
	  -DCMAKE_CXX_FLAGS="-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=all"
	cmake --build build-asan -j$(JOBS) --target unittests
	build-asan/bin/unittests

# Builds every fuzz target with clang (ASan + UBSan) and runs each briefly.
FUZZ_SECONDS ?= 8
fuzz: deps
	@bash cmake/install-deps.sh clang libclang-rt-14-dev
	CXX=clang++ cmake -S . -B build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKORTEST_FUZZ=ON -DKORTEST_BUILD_TESTS=OFF \
	  -DCMAKE_CXX_FLAGS="-fsanitize=address,undefined -fno-sanitize-recover=all -fsanitize=fuzzer-no-link"
	cmake --build build-fuzz -j$(JOBS) --target fuzzers
	bash fuzz/run.sh build-fuzz $(FUZZ_SECONDS)

bench: deps
	@bash cmake/install-deps.sh libboost-dev hyperfine doctest-dev
	cmake -S . -B build-bench -DCMAKE_BUILD_TYPE=Release
	cmake --build build-bench -j$(JOBS) --target benchmarks korhost kortest
	bash bench/run.sh build-bench

# Line and branch coverage of the product code by the unit and end-to-end
# tests (gcovr), from a build of its own in build-coverage/.
coverage: deps
	@bash cmake/install-deps.sh gcovr
	cmake -S . -B build-coverage -DCMAKE_BUILD_TYPE=Debug -DKORTEST_QT=ON \
	  -DCMAKE_CXX_FLAGS="--coverage -fprofile-update=atomic"
	cmake --build build-coverage -j$(JOBS)
	find build-coverage -name '*.gcda' -delete
	cd build-coverage && ctest -j$(JOBS) --output-on-failure
	gcovr --root . --object-directory build-coverage --exclude-directories 'build-coverage/CMakeFiles/[0-9].*' --gcov-ignore-parse-errors \
	  --exclude-unreachable-branches --exclude-throw-branches \
	  --filter 'component/' --filter 'KorBasicTypes/' --filter 'frame/' --filter 'testservice/' \
	  --filter 'results/' --filter 'commands/' --filter 'include/test/' --filter 'kortest/' --filter 'host/' \
	  --print-summary --txt build-coverage/coverage.txt

clean:
	rm -rf $(BUILD) build-asan build-bench build-fuzz build-coverage
