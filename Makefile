# The two builds (native and win32), the demo and the whole test suite.
#   make demo   builds everything and flies the default panel through the built-in flight into out/demo/
#   make test   builds everything and runs the whole suite (plain, sanitizers, win32 under Wine)

NATIVE := build/native
ASAN   := build/asan
WIN32  := build/win32
JOBS   ?= $(shell nproc)
export WINEDEBUG := -all
export WINEPREFIX ?= $(CURDIR)/build/wineprefix

.PHONY: all deps native asan win32 demo test artwork artwork-check clean

all: native win32

deps:
	@tools/install-deps.sh

native: deps
	@cmake -S . -B $(NATIVE) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DPANEL_WIN32_DIR=$(CURDIR)/$(WIN32) >/dev/null
	@cmake --build $(NATIVE) -j$(JOBS)

asan: deps
	@cmake -S . -B $(ASAN) -DCMAKE_BUILD_TYPE=Debug -DPANEL_SANITIZE=ON -DPANEL_TOOLS=OFF >/dev/null
	@cmake --build $(ASAN) -j$(JOBS)

win32: deps
	@cmake -S . -B $(WIN32) -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake -DCMAKE_BUILD_TYPE=Release >/dev/null
	@cmake --build $(WIN32) -j$(JOBS)

# Redraws resources/ from the artwork program; artwork-check says if they are stale.
artwork: native
	@$(NATIVE)/bin/artwork --root . --module-dir $(NATIVE)/gauges

artwork-check: native
	@$(NATIVE)/bin/artwork --root . --module-dir $(NATIVE)/gauges --check

demo: native win32
	@tools/demo.sh $(NATIVE) out/demo

test: win32 native asan
	@cd $(ASAN) && ctest --output-on-failure -LE win32 -j$(JOBS)
	@cd $(NATIVE) && ctest --output-on-failure -j$(JOBS)

clean:
	rm -rf build out
