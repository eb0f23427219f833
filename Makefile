# The two everyday commands: `make run` and `make test`. Both install what is
# missing, configure and build into build/, then run.
#
# `make test` then runs the unit and gui tests again built with the address
# and undefined-behaviour sanitizers (build-asan/), and each fuzz driver for a
# few seconds (build-fuzz/, clang). `make fuzz` runs the fuzz drivers longer.
BUILD_DIR := build
ASAN_DIR := build-asan
FUZZ_DIR := build-fuzz
JOBS ?= $(shell nproc 2>/dev/null || echo 2)
# Seconds each fuzz driver runs in `make fuzz`; `make test` gives each 10.
FUZZ_SECONDS ?= 60

.PHONY: deps configure build run test test-asan fuzz bench format rooms clean

deps:
	./scripts/install-deps.sh

configure: deps
	@if [ ! -f $(BUILD_DIR)/CMakeCache.txt ]; then cmake -S . -B $(BUILD_DIR); fi

build: configure
	cmake --build $(BUILD_DIR) -j$(JOBS)

run: build
	./$(BUILD_DIR)/markwright

test: build
	cd $(BUILD_DIR) && ctest --output-on-failure
	$(MAKE) --no-print-directory test-asan
	$(MAKE) --no-print-directory fuzz FUZZ_SECONDS=10

# The unit and gui tests under AddressSanitizer, LeakSanitizer and
# UndefinedBehaviorSanitizer (tests/CMakeLists.txt sets their options).
test-asan: deps
	@if [ ! -f $(ASAN_DIR)/CMakeCache.txt ]; then \
	  cmake -S . -B $(ASAN_DIR) -DMARKWRIGHT_SANITIZE=ON; fi
	cmake --build $(ASAN_DIR) -j$(JOBS) --target unit_tests gui_tests
	cd $(ASAN_DIR) && ctest --output-on-failure -L "unit|gui"

# Each fuzz driver for FUZZ_SECONDS; a failing input is saved as
# build-fuzz/runs/<driver>/crash-* (see fuzz/run-driver.sh).
fuzz: deps
	@if [ ! -f $(FUZZ_DIR)/CMakeCache.txt ]; then \
	  cmake -S fuzz -B $(FUZZ_DIR) -DCMAKE_CXX_COMPILER=clang++; fi
	cmake --build $(FUZZ_DIR) -j$(JOBS)
	cd $(FUZZ_DIR) && FUZZ_SECONDS=$(FUZZ_SECONDS) \
	  ctest --output-on-failure --timeout $$(($(FUZZ_SECONDS) + 300))
	@cat $(FUZZ_DIR)/runs/*/summary.txt

bench: build
	./scripts/install-deps.sh --bench
	./bench/run-benchmarks.sh $(BUILD_DIR)
	./bench/keystroke-cost.sh $(BUILD_DIR)

format:
	clang-format -i $$(git ls-files '*.cpp' '*.h')

# docs/rooms.dot: the folders of src/ and those each may use, from CMake's
# target graph. Run after changing which folders a folder links.
rooms: configure
	./scripts/rooms-graph.sh $(BUILD_DIR)

clean:
	rm -rf $(BUILD_DIR) $(ASAN_DIR) $(FUZZ_DIR)
