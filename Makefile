# Vantrel: build, run and test on Debian 12. Each target installs the packages it needs that
# are missing (scripts/install-deps, by set): make run only what building and running need,
# make test everything.
#   make run    build, start the program
#   make test   build with ASan + UBSan, run the whole suite, then build and run it again
#               optimised, where some warnings only show; the fuzzers; the Windows build
#   make bench  build optimised and run the benchmarks
#   make bench-kernel  the driver's latency benchmark on Debian's kernel under qemu
#   make test-windows  cross-build for Windows with MinGW-w64 and run the suite under Wine
#   make package  build optimised and make the Debian package build/package/vantrel_*.deb
#   make screenshots  take the guide's pictures afresh into docs/images/

JOBS ?= $(shell nproc)
RELEASE_DIR := build/release
TEST_DIR := build/test
TEST_RELEASE_DIR := build/test-release
FUZZ_DIR := build/fuzz
WINDOWS_DIR := build/windows
PACKAGE_DIR := build/package
# Interleaving the cases at random spreads a neighbour's load over all sizes alike.
BENCH_FLAGS ?= --benchmark_repetitions=5 --benchmark_enable_random_interleaving=true \
    --benchmark_report_aggregates_only=true

.PHONY: deps deps-build run build test test-unit test-release test-fuzz test-windows bench bench-kernel package format clean
.PHONY: screenshots

# Every set: what the whole suite needs.
deps:
	@scripts/install-deps

deps-build:
	@scripts/install-deps build

build: deps-build
	@cmake -S . -B $(RELEASE_DIR) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
	    -DVANTREL_TESTS=OFF -DVANTREL_BENCH=OFF >/dev/null
	@cmake --build $(RELEASE_DIR) -j $(JOBS)

run: build
	@scripts/run $(RELEASE_DIR)

test: deps test-unit test-release test-fuzz test-windows

# The suite runs the install and package checks too.
test-unit:
	@scripts/install-deps build test kernel package
	@cmake -S . -B $(TEST_DIR) -G Ninja -DCMAKE_BUILD_TYPE=Debug -DVANTREL_SANITIZE=ON \
	    -DVANTREL_BENCH=OFF -DVANTREL_WERROR=ON >/dev/null
	@cmake --build $(TEST_DIR) -j $(JOBS)
	@ctest --test-dir $(TEST_DIR) --output-on-failure -j $(JOBS)

# The optimiser finds warnings a debug build never sees: the suite is built as a packager
# builds it, with warnings as errors, and run once more.
test-release:
	@scripts/install-deps build test kernel package
	@cmake -S . -B $(TEST_RELEASE_DIR) -G Ninja -DCMAKE_BUILD_TYPE=Release \
	    -DVANTREL_BENCH=OFF -DVANTREL_WERROR=ON >/dev/null
	@cmake --build $(TEST_RELEASE_DIR) -j $(JOBS)
	@ctest --test-dir $(TEST_RELEASE_DIR) --output-on-failure -j $(JOBS)

# The fuzzers need clang; the core is built on its own there, which also proves it needs no Qt.
test-fuzz:
	@scripts/install-deps build fuzz
	@CC=clang-14 CXX=clang++-14 cmake -S . -B $(FUZZ_DIR) -G Ninja -DCMAKE_BUILD_TYPE=Debug \
	    -DVANTREL_FUZZ=ON -DVANTREL_GUI=OFF -DVANTREL_TESTS=OFF -DVANTREL_BENCH=OFF \
	    -DVANTREL_WERROR=ON >/dev/null
	@cmake --build $(FUZZ_DIR) -j $(JOBS)
	@ctest --test-dir $(FUZZ_DIR) --output-on-failure -j $(JOBS) --no-tests=ignore

# The Windows code (platform/win/, the _WIN32 branches) built with MinGW-w64 and run under Wine:
# the core's suite and what only Windows can answer, with the console program.
test-windows:
	@scripts/install-deps build windows
	@JOBS=$(JOBS) scripts/test-windows $(WINDOWS_DIR)

bench:
	@scripts/install-deps build bench
	@cmake -S . -B build/bench -G Ninja -DCMAKE_BUILD_TYPE=Release -DVANTREL_TESTS=OFF >/dev/null
	@cmake --build build/bench -j $(JOBS)
	@for b in build/bench/bench/bench_*; do echo "== $$b"; QT_QPA_PLATFORM=offscreen $$b $(BENCH_FLAGS); done

# The driver's latency on a real kernel, measured inside the test machine of tests/kernel/.
bench-kernel:
	@scripts/install-deps build bench kernel
	@cmake -S . -B build/bench -G Ninja -DCMAKE_BUILD_TYPE=Release -DVANTREL_TESTS=OFF >/dev/null
	@cmake --build build/bench -j $(JOBS) --target bench_kernel_latency
	@tests/kernel/run-vm.sh build/bench/kernel-guest-init build/kernel-cache \
	    build/bench/bench/bench_kernel_latency --benchmark_counters_tabular=true

# The package as users install it: optimised, without the tests and benchmarks, then checked.
package:
	@scripts/install-deps build package
	@cmake -S . -B $(PACKAGE_DIR) -G Ninja -DCMAKE_BUILD_TYPE=Release -DVANTREL_TESTS=OFF \
	    -DVANTREL_BENCH=OFF >/dev/null
	@cmake --build $(PACKAGE_DIR) -j $(JOBS)
	@rm -f $(PACKAGE_DIR)/vantrel_*.deb
	@cd $(PACKAGE_DIR) && cpack
	@dist/check-deb.sh $(PACKAGE_DIR)/vantrel_*.deb

# The copies of the guide's pictures kept for reading the guide in the source tree; every
# build takes them afresh for the installed guide.
screenshots: deps-build
	@cmake -S . -B $(RELEASE_DIR) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
	    -DVANTREL_TESTS=OFF -DVANTREL_BENCH=OFF >/dev/null
	@cmake --build $(RELEASE_DIR) --target vantrel_dist_files -j $(JOBS)
	@mkdir -p docs/images
	@cp $(RELEASE_DIR)/docs/images/*.png docs/images/

format:
	@git ls-files '*.cpp' '*.h' | xargs clang-format -i

clean:
	@rm -rf build
