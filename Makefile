# The two commands a newcomer runs: `make demo` and `make test`.
BUILD ?= build
JOBS ?= 2

.PHONY: all deps configure build demo test clean format

all: build

deps:
	@scripts/install-deps

configure: deps
	@cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo > /dev/null

build: configure
	@cmake --build $(BUILD) -j$(JOBS)

demo: build
	@$(BUILD)/bin/zano-calc examples/*.zan

test: build
	@cd $(BUILD) && ctest --output-on-failure -j$(JOBS) --timeout 300

format:
	@clang-format -i $$(git ls-files '*.cpp' '*.h')

clean:
	@rm -rf $(BUILD)
