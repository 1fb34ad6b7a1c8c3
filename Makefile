# Thin wrapper over CMake. `make run` builds and starts the game, `make test`
# builds and runs every test; both install missing Debian packages first.
BUILD_DIR ?= build
ASAN_BUILD_DIR ?= build-asan
JOBS ?= $(shell nproc)
SOURCES = $(shell git ls-files '*.cpp' '*.h')

.PHONY: run test build deps bench asan-test format format-check clean

deps:
	@sh tools/install-deps.sh

build: deps
	cmake -S . -B $(BUILD_DIR)
	cmake --build $(BUILD_DIR) -j$(JOBS)

run: build
	./$(BUILD_DIR)/app/orbicascade

test: build
	cd $(BUILD_DIR) && ctest --output-on-failure -j$(JOBS)

bench: build
	./$(BUILD_DIR)/bench/orbicascade-bench --benchmark_repetitions=10 --benchmark_report_aggregates_only=true

# The same tests built with AddressSanitizer and UndefinedBehaviorSanitizer.
# Window tests run on Mesa's softpipe with full stack unwinding: Mesa unloads
# its driver before the leak report, and only full stacks let the suppressions
# name the system library calls under which its allocations were made (the
# llvmpipe JIT deadlocks the full unwinder).
SANITIZER_ENV = LSAN_OPTIONS=suppressions=$(CURDIR)/.ci/lsan-suppressions.txt:print_suppressions=0 \
	UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1

asan-test: deps
	cmake -S . -B $(ASAN_BUILD_DIR) -DORBI_SANITIZE=ON -DORBI_BENCH=OFF
	cmake --build $(ASAN_BUILD_DIR) -j$(JOBS)
	cd $(ASAN_BUILD_DIR) && $(SANITIZER_ENV) ASAN_OPTIONS=detect_leaks=1 \
	  ctest --output-on-failure -j$(JOBS) -LE window
	cd $(ASAN_BUILD_DIR) && $(SANITIZER_ENV) GALLIUM_DRIVER=softpipe \
	  ASAN_OPTIONS=detect_leaks=1:fast_unwind_on_malloc=0 \
	  ctest --output-on-failure -j$(JOBS) -L window

format:
	clang-format -i $(SOURCES)

format-check: deps
	clang-format --dry-run --Werror $(SOURCES)

clean:
	rm -rf $(BUILD_DIR) $(ASAN_BUILD_DIR)
