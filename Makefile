# Thin front end over CMake. Every target first makes sure the Debian packages are there.
#   make deps    install missing packages
#   make build   release build in build/
#   make test    sanitizer build in build-test/ (Clang, ASan + UBSan, libFuzzer) and every test,
#                clang-tidy over the program's sources (.clang-tidy) among them
#   make tidy    only the clang-tidy test, in the build-test/ tree
#   make tsan    ThreadSanitizer build in build-tsan/ (Clang) and the tests of threaded code
#   make interop MusicXML exports of the example songs read by an independent reader (npm)
#   make demo    build, then run the main job on the example songs in Data/ (results in out/)
#   make run     start the desktop program
#   make bench   optimised build in build-bench/ and the benchmarks
.PHONY: deps build test tidy tsan interop demo run bench clean

JOBS ?= $(shell nproc)

deps:
	@scripts/install-deps.sh

build: deps
	@cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
	@cmake --build build -j $(JOBS)

CONFIGURE_TEST = CC=clang CXX=clang++ cmake -S . -B build-test -G Ninja -DCMAKE_BUILD_TYPE=Debug \
	  -DCMAKE_C_FLAGS_DEBUG="-O1 -g" -DCMAKE_CXX_FLAGS_DEBUG="-O1 -g" \
	  -DZIMBREL_SANITIZE=ON -DZIMBREL_FUZZ=ON -DZIMBREL_WERROR=ON -DZIMBREL_BENCH=OFF \
	  -DZIMBREL_TIDY=ON >/dev/null

test: deps
	@$(CONFIGURE_TEST)
	@cmake --build build-test -j $(JOBS)
	@cd build-test && ctest --output-on-failure -j $(JOBS)

tidy: deps
	@$(CONFIGURE_TEST)
	@cmake --build build-test -j $(JOBS)
	@cd build-test && ctest --output-on-failure -R '^clang-tidy$$'

tsan: deps
	@CC=clang CXX=clang++ cmake -S . -B build-tsan -G Ninja -DCMAKE_BUILD_TYPE=Debug \
	  -DCMAKE_C_FLAGS_DEBUG="-O1 -g" -DCMAKE_CXX_FLAGS_DEBUG="-O1 -g" \
	  -DZIMBREL_TSAN=ON -DZIMBREL_WERROR=ON -DZIMBREL_BENCH=OFF >/dev/null
	@cmake --build build-tsan -j $(JOBS) --target net_tests server_tests playback_tests app_tests
	@cd build-tsan && TSAN_OPTIONS="halt_on_error=1 second_deadlock_stack=1 \
	  suppressions=$(CURDIR)/tests/tsan.supp" ctest --output-on-failure -j $(JOBS)

# The sanitizer build's zimbrel-cli, so that CI builds nothing more after make test.
interop: deps
	@$(CONFIGURE_TEST)
	@cmake --build build-test -j $(JOBS) --target zimbrel-cli song_facts
	@scripts/interop.sh build-test

demo: build
	@scripts/demo.sh build

run: build
	@scripts/run.sh build

bench: deps
	@cmake -S . -B build-bench -G Ninja -DCMAKE_BUILD_TYPE=Release -DZIMBREL_TESTS=OFF >/dev/null
	@cmake --build build-bench -j $(JOBS)
	@scripts/bench.sh build-bench

clean:
	rm -rf build build-test build-tsan build-bench out
