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

run: deps
	cmake -S . -B $(BUILD_DIR)
	cmake --build $(BUILD_DIR) -j$(JOBS) --target orbicascade
	./$(BUILD_DIR)/app/orbicascade

test: build
	cd $(BUILD_DIR) && ctest --output-on-failure -j$(JOBS)

BENCH_FLAGS = --benchmark_repetitions=10 --benchmark_report_aggregates_only=true

bench: build
	./$(BUILD_DIR)/bench/collision-bench $(BENCH_FLAGS)
	./$(BUILD_DIR)/bench/step-bench $(BENCH_FLAGS)
	./$(BUILD_DIR)/bench/frame-rate-bench $(BENCH_FLAGS)

# The same tests built with AddressSanitizer and UndefinedBehaviorSanitizer.
# Leaks are checked everywhere but in the real-window tests: Mesa unloads its
# driver before the leak report, so the driver's own allocations show up as
# unattributable stacks that no suppression can name. The project code those
# tests run is leak-checked through the OpenGL recorder in the other tests.
SANITIZER_ENV = UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1

asan-test: deps
	cmake -S . -B $(ASAN_BUILD_DIR) -DORBI_SANITIZE=ON -DORBI_BENCH=OFF
	cmake --build $(ASAN_BUILD_DIR) -j$(JOBS)
	cd $(ASAN_BUILD_DIR) && $(SANITIZER_ENV) ASAN_OPTIONS=detect_leaks=1 \
	  ctest --output-on-failure -j$(JOBS) -LE window
	cd $(ASAN_BUILD_DIR) && $(SANITIZER_ENV) ASAN_OPTIONS=detect_leaks=0 \
	  ctest --output-on-failure -j$(JOBS) -L window

format:
	clang-format -i $(SOURCES)

format-check: deps
	clang-format --dry-run --Werror $(SOURCES)

clean:
	rm -rf $(BUILD_DIR) $(ASAN_BUILD_DIR)
