# The two commands a newcomer runs: `make demo` and `make test`.
BUILD ?= build
JOBS ?= 2
# The build prints its progress, not the directories make enters.
MAKEFLAGS += --no-print-directory

.PHONY: all deps configure build demo test golden bench clean format format-check test-sanitize fuzz stress run \
	install package package-check

all: build

deps:
	@scripts/install-deps

configure: deps
	@cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo > /dev/null

build: configure
	@cmake --build $(BUILD) -j$(JOBS)

# Every example case; those that give the external outlet temperature store that mode.
demo: build
	@$(BUILD)/bin/zano-calc examples/*.zan

# The desktop program.
run: build
	@$(BUILD)/bin/zano

test: build
	@cd $(BUILD) && ctest --output-on-failure -j$(JOBS) --timeout 300

# Installs the programs, their tables and the manual as one folder, PREFIX/lib/zano, with links
# in PREFIX/bin, and the desktop entry, icon, MIME type and AppStream file under PREFIX/share.
PREFIX ?= /usr/local
install: build
	@cmake --install $(BUILD) --prefix $(PREFIX)

# A Debian package of the same tree under /usr (BUILD/zano_VERSION_ARCH.deb), and the package
# checked as unpacked on a user's machine.
package: build
	@cd $(BUILD) && cpack -G DEB
package-check: build
	@scripts/package-check $(BUILD)

# Rewrites the golden results (examples/*.expected, tests/golden/*.expected) from the current
# build: for a deliberate change of a result or a message, committed on its own.
# The tests' own golden texts (tests/*/golden) are rewritten by their tests.
golden: build
	@scripts/golden update $(BUILD)/bin/zano-calc
	@cd $(BUILD) && ZANO_UPDATE_GOLDEN=1 QT_QPA_PLATFORM=offscreen ctest -j$(JOBS) -E '^golden\.' > /dev/null || true
	@git status --short -- examples tests/golden tests/*/golden

# The whole Qt-free test suite built with clang, AddressSanitizer and UndefinedBehaviorSanitizer
# (clang's checks a double converted to an integer it does not fit; CMakeLists.txt names the
# checks); any report ends the test that caused it. A folder configured with another compiler
# starts afresh: CMake would drop the options below on finding the compiler changed.
SANITIZE_BUILD ?= build-sanitize
test-sanitize: deps
	@if [ -f $(SANITIZE_BUILD)/CMakeCache.txt ] && \
		! grep -q '^CMAKE_CXX_COMPILER:.*clang++$$' $(SANITIZE_BUILD)/CMakeCache.txt; then \
		rm -rf $(SANITIZE_BUILD); fi
	@cmake -S . -B $(SANITIZE_BUILD) -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo \
		-DZANO_BUILD_GUI=OFF -DZANO_BUILD_BENCH=OFF -DZANO_SANITIZE=ON > /dev/null
	@cmake --build $(SANITIZE_BUILD) -j$(JOBS)
	@cd $(SANITIZE_BUILD) && \
		ASAN_OPTIONS=detect_leaks=1:abort_on_error=1:detect_stack_use_after_return=1 \
		UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
		ctest --output-on-failure -j$(JOBS) --timeout 600

# libFuzzer (clang): every target in tests/fuzz for FUZZ_SECONDS each.
FUZZ_BUILD ?= build-fuzz
FUZZ_SECONDS ?= 60
fuzz: deps
	@cmake -S . -B $(FUZZ_BUILD) -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo \
		-DZANO_BUILD_GUI=OFF -DZANO_BUILD_BENCH=OFF -DZANO_BUILD_TESTS=OFF -DZANO_FUZZ=ON > /dev/null
	@cmake --build $(FUZZ_BUILD) -j$(JOBS)
	@FUZZ_SECONDS=$(FUZZ_SECONDS) tests/fuzz/run-fuzz $(FUZZ_BUILD)

# Random cases through the whole calculation, each checked (tests/stress). Another STRESS_SEED
# draws other cases; the same seed draws the same ones again, to repeat a failure.
STRESS_CASES ?= 100000
STRESS_SEED ?= 1
stress: build
	@$(BUILD)/bin/zano_stress --cases $(STRESS_CASES) --seed $(STRESS_SEED)

bench: build
	@$(BUILD)/bin/zano_bench --benchmark_repetitions=5 --benchmark_report_aggregates_only=true

format:
	@clang-format -i $$(git ls-files '*.cpp' '*.h')

# Fails when a source file drifts from .clang-format (run by CI).
format-check: deps
	@clang-format --dry-run --Werror $$(git ls-files '*.cpp' '*.h')

clean:
	@rm -rf $(BUILD) $(SANITIZE_BUILD) $(FUZZ_BUILD)
