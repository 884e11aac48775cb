# The two commands a newcomer runs: `make demo` and `make test`.
BUILD ?= build
JOBS ?= 2

.PHONY: all deps configure build demo test bench clean format

all: build

deps:
	@scripts/install-deps

configure: deps
	@cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo > /dev/null

build: configure
	@cmake --build $(BUILD) -j$(JOBS)

# Examples whose name ends in -est-outlet give the external outlet temperature, a choice that
# case files do not store.
EXAMPLES_EST_OUTLET = $(wildcard examples/*-est-outlet.zan)
EXAMPLES = $(filter-out $(EXAMPLES_EST_OUTLET),$(wildcard examples/*.zan))

demo: build
	@$(BUILD)/bin/zano-calc $(EXAMPLES)
	@$(BUILD)/bin/zano-calc --est-outlet-given $(EXAMPLES_EST_OUTLET)

test: build
	@cd $(BUILD) && ctest --output-on-failure -j$(JOBS) --timeout 300

bench: build
	@$(BUILD)/bin/zano_bench --benchmark_repetitions=5 --benchmark_report_aggregates_only=true

format:
	@clang-format -i $$(git ls-files '*.cpp' '*.h')

clean:
	@rm -rf $(BUILD)
