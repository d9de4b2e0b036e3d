# Quarnel: one command each to build, test, run and measure.
# BUILD names the build folder (default build/); it holds the native tree,
# the Windows tree and the private Wine prefix.
BUILD ?= build
JOBS ?= $(shell nproc 2>/dev/null || echo 2)
NATIVE := $(BUILD)/native
WINDOWS := $(BUILD)/windows
ASAN := $(BUILD)/asan
FUZZ := $(BUILD)/fuzz
# make fuzz: seconds each fuzz target runs; make test: seconds each runs
# after replaying its seed corpus.
FUZZ_SECONDS ?= 180
FUZZ_TEST_SECONDS ?= 10

.PHONY: all bootstrap build build-native build-windows build-asan build-fuzz test run bench fuzz clean

all: build

bootstrap:
	@scripts/bootstrap

# Configuring again is cheap and keeps a tree whose first configure failed
# from staying half-made.
build-native: bootstrap
	@cmake -S . -B $(NATIVE) -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
	@cmake --build $(NATIVE) -j $(JOBS)

build-windows: bootstrap
	@cmake -S . -B $(WINDOWS) -DCMAKE_BUILD_TYPE=Release \
	  -DCMAKE_TOOLCHAIN_FILE=$(CURDIR)/cmake/mingw-w64.cmake \
	  -DQUARNEL_GTEST_SOURCE=/usr/src/googletest >/dev/null
	@cmake --build $(WINDOWS) -j $(JOBS)

# The native tests again, with AddressSanitizer and UBSan.
build-asan: bootstrap
	@cmake -S . -B $(ASAN) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUARNEL_SANITIZE=ON >/dev/null
	@cmake --build $(ASAN) -j $(JOBS)

# The libFuzzer targets and their seed corpora (clang, ASan and UBSan).
build-fuzz: bootstrap
	@cmake -S . -B $(FUZZ) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUARNEL_FUZZ=ON \
	  -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
	  -DQUARNEL_FUZZ_TEST_SECONDS=$(FUZZ_TEST_SECONDS) >/dev/null
	@cmake --build $(FUZZ) -j $(JOBS)

build: build-native build-windows

test: build build-asan build-fuzz
	@scripts/run-tests $(BUILD)

fuzz: build-fuzz
	@scripts/run-fuzz $(FUZZ) $(FUZZ_SECONDS)

run: build-windows
	@scripts/run-editor $(BUILD)

bench: build
	@scripts/run-bench $(BUILD)

clean:
	rm -rf $(BUILD)
