# Quarnel: one command each to build, test, run and measure.
# BUILD names the build folder (default build/); it holds the native tree,
# the Windows tree and the private Wine prefix.
BUILD ?= build
JOBS ?= $(shell nproc 2>/dev/null || echo 2)
NATIVE := $(BUILD)/native
WINDOWS := $(BUILD)/windows

.PHONY: all bootstrap build build-native build-windows test run bench fuzz clean

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
	  -DCMAKE_TOOLCHAIN_FILE=$(CURDIR)/cmake/mingw-w64.cmake >/dev/null
	@cmake --build $(WINDOWS) -j $(JOBS)

build: build-native build-windows

test: build
	@scripts/run-tests $(BUILD)

run: build-windows
	@scripts/run-editor $(BUILD)

bench: build-native
	@scripts/run-bench $(BUILD)

clean:
	rm -rf $(BUILD)
