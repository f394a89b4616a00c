# The application folder holds the program and all of its data. It lives
# outside the build tree so that rebuilding or cleaning never touches the data.
APPDIR ?= $(HOME)/TolvarProposals
JOBS ?= $(shell nproc)

.PHONY: run build test bench samples screenshots deps clean fuzz fuzz-build fuzz-short crashtest

deps:
	@scripts/install-deps.sh

build: deps
	cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=Release -DTOLVAR_TESTS=OFF
	cmake --build build/release -j $(JOBS)

run: build
	cmake --install build/release --prefix "$(APPDIR)"
	cd "$(APPDIR)" && ./tolvar-proposals

test: deps
	cmake -S . -B build/test -G Ninja -DCMAKE_BUILD_TYPE=Debug -DTOLVAR_SANITIZE=ON -DTOLVAR_ODR_CHECK=ON
	cmake --build build/test -j $(JOBS)
	cd build/test && ctest --output-on-failure -j $(JOBS)
	$(MAKE) fuzz-short

bench: deps
	cmake -S . -B build/bench -G Ninja -DCMAKE_BUILD_TYPE=Release -DTOLVAR_TESTS=OFF -DTOLVAR_BENCH=ON
	cmake --build build/bench -j $(JOBS)
	QT_QPA_PLATFORM=offscreen build/bench/bench/tolvar_bench

samples: deps
	cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=Release -DTOLVAR_TESTS=OFF
	cmake --build build/release -j $(JOBS) --target make_samples
	QT_QPA_PLATFORM=offscreen build/release/samples/make_samples build/samples

clean:
	rm -rf build

# A picture of every screen in its main states, taken by the screen tests.
screenshots: deps
	cmake -S . -B build/screens -G Ninja -DCMAKE_BUILD_TYPE=Release
	cmake --build build/screens -j $(JOBS) --target test_ui
	rm -rf build/screenshots && mkdir -p build/screenshots
	cd build/screens && TOLVAR_SCREENSHOTS=$(CURDIR)/build/screenshots QT_QPA_PLATFORM=offscreen tests/ui/test_ui
	@echo "Screenshots in build/screenshots/"

# Fuzz targets over every reader, built with clang; only the core libraries.
# They run side by side, one per core: the long run gives each five minutes.
FUZZ_SECONDS ?= 300
FUZZ_SHORT_SECONDS ?= 3
fuzz-build: deps
	nice -n 10 cmake -S . -B build/fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
	  -DCMAKE_CXX_COMPILER=clang++-14 -DTOLVAR_FUZZ=ON -DTOLVAR_TESTS=OFF
	nice -n 10 cmake --build build/fuzz -j $(JOBS)

fuzz: fuzz-build
	scripts/run-fuzz.sh build/fuzz $(FUZZ_SECONDS) $(JOBS)

fuzz-short: fuzz-build
	scripts/run-fuzz.sh build/fuzz $(FUZZ_SHORT_SECONDS) $(JOBS)

# About a thousand changes killed part way and a hundred starts at once, on
# a release build (the short pass is part of make test).
CRASH_KILLS ?= 1000
crashtest: deps
	cmake -S . -B build/crash -G Ninja -DCMAKE_BUILD_TYPE=Release -DTOLVAR_TESTS=OFF \
	  -DTOLVAR_CRASHTEST=ON
	cmake --build build/crash -j $(JOBS) --target tolvar_crashtest
	build/crash/tests/crash/tolvar_crashtest starts 100
	build/crash/tests/crash/tolvar_crashtest starts 100 ro
	build/crash/tests/crash/tolvar_crashtest disks full
	build/crash/tests/crash/tolvar_crashtest disks ro
	build/crash/tests/crash/tolvar_crashtest kills $(CRASH_KILLS) $$(date +%s)
