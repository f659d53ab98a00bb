# The two commands: `make test` and `make demo`. Both install what is
# missing first (scripts/setup), so they work on a fresh machine.
BUILD ?= build
JOBS ?= $(shell nproc)
CMAKE_FLAGS ?=

.PHONY: all setup configure build test demo bench fuzz clean

all: build

setup:
	scripts/setup $(BUILD)

configure: setup
	cmake -S . -B $(BUILD) -DCMAKE_TOOLCHAIN_FILE=cmake/mingw32.cmake -DCMAKE_BUILD_TYPE=Release $(CMAKE_FLAGS) >/dev/null

build: configure
	cmake --build $(BUILD) -j $(JOBS) --target all all_tests -- --no-print-directory

test: build
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS)

demo: build
	rm -rf out && mkdir -p out
	scripts/wine-run $(BUILD)/bin/samplehost.exe out
	@echo "demo: see out/report.txt and out/*.png"

bench: configure
	cmake --build $(BUILD) -j $(JOBS) --target run_benches

fuzz:
	scripts/setup --fuzz
	CXX=clang++ cmake -S fuzz -B $(BUILD)-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
	cmake --build $(BUILD)-fuzz -j $(JOBS)
	cd $(BUILD)-fuzz && for f in $$(cat fuzzers.txt); do \
	  echo "fuzz: $$f"; mkdir -p corpus/$$f; ./$$f -max_total_time=$${FUZZ_SECONDS:-20} corpus/$$f || exit 1; done

clean:
	rm -rf $(BUILD) $(BUILD)-fuzz out
