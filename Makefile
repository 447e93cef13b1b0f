# The two commands of the README: `make run` plays the demo world, `make test`
# passes every test. Both install what is missing first.
BUILD      ?= build
TEST_BUILD ?= build-test
JOBS       ?= $(shell nproc)

.PHONY: all deps build run test bench format clean

all: build

deps:
	@bash scripts/install-deps.sh

build: deps
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo
	cmake --build $(BUILD) -j $(JOBS)

run: build
	cd $(BUILD) && ./quenholt

# A separate debug build with AddressSanitizer and UndefinedBehaviorSanitizer.
test: deps
	cmake -S . -B $(TEST_BUILD) -DCMAKE_BUILD_TYPE=Debug -DQUENHOLT_SANITIZE=ON -DQUENHOLT_BENCH=OFF
	cmake --build $(TEST_BUILD) -j $(JOBS)
	cd $(TEST_BUILD) && ctest --output-on-failure -j $(JOBS)

bench: build
	$(BUILD)/quenholt_bench

format:
	@bash scripts/check-format.sh --fix

clean:
	rm -rf $(BUILD) $(TEST_BUILD)
