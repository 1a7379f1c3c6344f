# Two commands matter: `make run` and `make test`. Both install what is missing first.
JOBS     ?= $(shell nproc)
WERROR   := $(if $(CI),ON,OFF)
# The toolchain file is read only when a tree is first configured: later runs would warn
# that it went unused.
CMAKE_Q  := -Wno-dev --no-warn-unused-cli -DTORVIK_WERROR=$(WERROR)

.PHONY: all setup native win fuzz-build installer build test run fuzz clean docs

all: build

setup:
	@scripts/setup.sh

native: setup
	@cmake -S . -B build/native -DCMAKE_BUILD_TYPE=Debug $(CMAKE_Q) >/dev/null
	@cmake --build build/native -j $(JOBS) -- --no-print-directory

win: setup
	@cmake -S . -B build/win -DCMAKE_BUILD_TYPE=Release \
	  -DCMAKE_TOOLCHAIN_FILE=cmake/toolchain-mingw.cmake $(CMAKE_Q) >/dev/null
	@cmake --build build/win -j $(JOBS) -- --no-print-directory

fuzz-build: setup
	@cmake -S . -B build/fuzz -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_C_COMPILER=clang \
	  -DTORVIK_FUZZ=ON $(CMAKE_Q) >/dev/null
	@cmake --build build/fuzz -j $(JOBS) -- --no-print-directory

# The Windows setup program, build/Torvik-<version>-setup.exe (the version is resources/version.h's).
installer: win
	@makensis -V2 -DTORVIK_EXE=$(CURDIR)/build/win/Torvik.exe -DTORVIK_CLI_EXE=$(CURDIR)/build/win/torvik-cli.exe -DOUTDIR=$(CURDIR)/build installer/torvik.nsi

build: native win fuzz-build installer

test: build
	@scripts/test.sh

# Builds only what it runs, the program itself.
run: setup
	@cmake -S . -B build/win -DCMAKE_BUILD_TYPE=Release \
	  -DCMAKE_TOOLCHAIN_FILE=cmake/toolchain-mingw.cmake $(CMAKE_Q) >/dev/null
	@scripts/build-quietly.sh cmake --build build/win --target Torvik -j $(JOBS) -- --no-print-directory
	@scripts/run.sh

# The pictures of the user's guide (docs/guide.md), taken by the GUI tests at 96 DPI.
docs: win
	@scripts/guide.sh

# Longer fuzzing on demand: FUZZ_SECONDS per target (default 300).
FUZZ_SECONDS ?= 300
fuzz: fuzz-build
	@for t in build/fuzz/*_fuzz; do echo "== $$t"; mkdir -p build/fuzz/corpus/$$(basename $$t); \
	  $$t -max_total_time=$(FUZZ_SECONDS) -max_len=32768 build/fuzz/corpus/$$(basename $$t) || exit 1; done

clean:
	rm -rf build
