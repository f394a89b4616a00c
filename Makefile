# The application folder holds the program and all of its data. It lives
# outside the build tree so that rebuilding or cleaning never touches the data.
APPDIR ?= $(HOME)/TolvarProposals
JOBS ?= $(shell nproc)

.PHONY: run build test bench samples screenshots deps clean

deps:
	@scripts/install-deps.sh

build: deps
	cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=Release -DTOLVAR_TESTS=OFF
	cmake --build build/release -j $(JOBS)

run: build
	cmake --install build/release --prefix "$(APPDIR)"
	cd "$(APPDIR)" && ./tolvar-proposals

test: deps
	cmake -S . -B build/test -G Ninja -DCMAKE_BUILD_TYPE=Debug -DTOLVAR_SANITIZE=ON
	cmake --build build/test -j $(JOBS)
	cd build/test && ctest --output-on-failure -j $(JOBS)

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
	cmake -S . -B build/screens -G Ninja -DCMAKE_BUILD_TYPE=Release -DTOLVAR_ODR_CHECK=OFF
	cmake --build build/screens -j $(JOBS) --target test_ui
	rm -rf build/screenshots && mkdir -p build/screenshots
	cd build/screens && TOLVAR_SCREENSHOTS=$(CURDIR)/build/screenshots QT_QPA_PLATFORM=offscreen tests/ui/test_ui
	@echo "Screenshots in build/screenshots/"
