# The application folder holds the program and all of its data. It lives
# outside the build tree so that rebuilding or cleaning never touches the data.
APPDIR ?= $(HOME)/TolvarProposals
JOBS ?= $(shell nproc)

.PHONY: run build test bench samples deps clean

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
