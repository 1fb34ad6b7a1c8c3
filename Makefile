# Thin wrapper over CMake. `make run` builds and starts the game, `make test`
# builds and runs every test, `make install` and `make package` install the
# game or package it as a .deb; all install missing Debian packages first.
BUILD_DIR ?= build
ASAN_BUILD_DIR ?= build-asan
CLANG_BUILD_DIR ?= build-clang
JOBS ?= $(shell nproc)
SOURCES = $(shell git ls-files '*.cpp' '*.h')

.PHONY: run test build deps bench asan-test clang-test format format-check clean installable install uninstall \
  package line-ratio web-deps web web-test web-bench web-package

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

# Installing and packaging build the game alone, not the tests.
PREFIX ?= /usr/local
INSTALL_TARGETS = orbicascade orbi_packaging
INSTALLED_FILES = $(BUILD_DIR)/installed-files.txt
GAME_FOLDERS = share/games/orbicascade/data share/games/orbicascade \
  lib/games/orbicascade share/doc/orbicascade

# CMake makes the folders it installs into with mkdir, which the umask narrows,
# and cpack gives the package's members the modes its own files get: both run
# under umask 022 so that the modes are the usual ones whoever installs.
installable: deps
	cmake -S . -B $(BUILD_DIR)
	cmake --build $(BUILD_DIR) -j$(JOBS) --target $(INSTALL_TARGETS)

install: installable
	umask 022 && DESTDIR="$(DESTDIR)" cmake --install $(BUILD_DIR) --prefix "$(PREFIX)"
	sed 's|^|$(DESTDIR)|' $(BUILD_DIR)/install_manifest.txt > $(INSTALLED_FILES)

# Removes what the last `make install` installed; give it the same PREFIX and
# DESTDIR. (cpack rewrites install_manifest.txt, so install keeps its own list.)
uninstall:
	xargs -d '\n' rm -f -- < $(INSTALLED_FILES)
	cd "$(DESTDIR)$(PREFIX)" && rmdir --ignore-fail-on-non-empty $(GAME_FOLDERS)
	rm $(INSTALLED_FILES)

# The package's time stamps are the last commit's, so that a commit packs the
# same bytes whenever and wherever it is packaged.
package: export SOURCE_DATE_EPOCH ?= $(shell git log -1 --format=%ct 2>/dev/null)
package: installable
	rm -f $(BUILD_DIR)/package/*.deb
	cd $(BUILD_DIR) && umask 022 && cpack -G DEB -B package
	cp $(BUILD_DIR)/package/*.deb .

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
	cmake -S . -B $(ASAN_BUILD_DIR) -DORBI_SANITIZE=ON -DORBI_BENCH=OFF -DCMAKE_COMPILE_WARNING_AS_ERROR=ON
	cmake --build $(ASAN_BUILD_DIR) -j$(JOBS)
	cd $(ASAN_BUILD_DIR) && $(SANITIZER_ENV) ASAN_OPTIONS=detect_leaks=1 \
	  ctest --output-on-failure -j$(JOBS) -LE window
	cd $(ASAN_BUILD_DIR) && $(SANITIZER_ENV) ASAN_OPTIONS=detect_leaks=0 \
	  ctest --output-on-failure -j$(JOBS) -L window

# Everything built with the second compiler, clang, where any warning is an
# error, and the unit tests run on what it built.
clang-test: deps
	cmake -S . -B $(CLANG_BUILD_DIR) -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
	  -DCMAKE_COMPILE_WARNING_AS_ERROR=ON
	cmake --build $(CLANG_BUILD_DIR) -j$(JOBS)
	cd $(CLANG_BUILD_DIR) && ctest --output-on-failure -j$(JOBS) -L unit

# The game for the browser (app/web), built with Debian's Emscripten into
# build-web/, a folder any static web host serves as it is; its tests run under
# node, and the page is played in headless Chromium. Emscripten's tools find
# their node modules where Debian keeps them only through NODE_PATH.
WEB_BUILD_DIR ?= build-wasm
WEB_DIR ?= build-web
WEB_ENV = NODE_PATH=/usr/share/nodejs
WEB_PACKAGE = orbicascade-web.zip

web-deps:
	@sh tools/install-deps.sh web

web: web-deps
	$(WEB_ENV) cmake -S . -B $(WEB_BUILD_DIR) -DCMAKE_BUILD_TYPE=Release \
	  -DCMAKE_TOOLCHAIN_FILE=/usr/share/emscripten/cmake/Modules/Platform/Emscripten.cmake \
	  -DCMAKE_CROSSCOMPILING_EMULATOR=/usr/bin/node -DORBI_WEB_DIR=$(CURDIR)/$(WEB_DIR)
	$(WEB_ENV) cmake --build $(WEB_BUILD_DIR) -j$(JOBS) --target orbicascade-page

web-test: web
	$(WEB_ENV) cmake --build $(WEB_BUILD_DIR) -j$(JOBS)
	cd $(WEB_BUILD_DIR) && ctest --output-on-failure -j$(JOBS)
	timeout 300 /usr/bin/python3 tests/web/play_in_browser.py $(WEB_DIR)

web-bench: web
	timeout 120 /usr/bin/python3 bench/web-frame-rate.py $(WEB_DIR)

# Dated like the Debian package: the same commit zips to the same bytes.
web-package: export SOURCE_DATE_EPOCH ?= $(shell git log -1 --format=%ct 2>/dev/null)
web-package: web
	sh tools/web-package.sh $(WEB_DIR) $(WEB_PACKAGE)

# Non-blank lines of the tests against those of the code they test.
COUNT = git ls-files -- $(1) | grep -E '\.(cpp|h|sh|cmake|py|js|html|css)$$|CMakeLists\.txt$$' | xargs cat | grep -cv '^[[:space:]]*$$'

line-ratio:
	@tests=$$($(call COUNT,tests)); code=$$($(call COUNT,app world gfx text tools)); \
	  awk "BEGIN { printf \"tests %d, code %d, ratio %.3f\n\", $$tests, $$code, $$tests / $$code }"

format:
	clang-format -i $(SOURCES)

format-check: deps
	clang-format --dry-run --Werror $(SOURCES)

clean:
	rm -rf $(BUILD_DIR) $(ASAN_BUILD_DIR) $(CLANG_BUILD_DIR) $(WEB_BUILD_DIR) $(WEB_DIR)
