# Two commands matter: `make run` and `make test`. Both install what is missing first.
JOBS     ?= $(shell nproc)
WERROR   := $(if $(CI),ON,OFF)
CMAKE_Q  := -Wno-dev -DTORVIK_WERROR=$(WERROR)

.PHONY: all setup native win build test run clean

all: build

setup:
	@scripts/setup.sh

native: setup
	@cmake -S . -B build/native -DCMAKE_BUILD_TYPE=Debug $(CMAKE_Q) >/dev/null
	@cmake --build build/native -j $(JOBS) -- --no-print-directory

win: setup
	@cmake -S . -B build/win -DCMAKE_BUILD_TYPE=Release \
	  -DCMAKE_TOOLCHAIN_FILE=cmake/toolchain-mingw.cmake $(CMAKE_Q) >/dev/null
	@cmake --build build/win -j $(JOBS)

build: native win

test: build
	@scripts/test.sh

run: win
	@scripts/run.sh

clean:
	rm -rf build
