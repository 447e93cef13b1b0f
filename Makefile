# The two commands of the README: `make run` plays the demo world, `make test`
# passes every test. Both install what is missing first.
BUILD      ?= build
TEST_BUILD ?= build-test
JOBS       ?= $(shell nproc)

.PHONY: all deps build run test bench fuzz format clean

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

# The fuzz programs of fuzz/, built with clang in their own folder, each run
# for FUZZ_SECONDS (FUZZ_JOBS at a time) from seeds the project's own writers
# make; what they find lands in $(FUZZ_BUILD)/fuzz/findings/<target>/.
FUZZ_BUILD   ?= build-fuzz
FUZZ_SECONDS ?= 60
FUZZ_JOBS    ?= 3
FUZZ_TARGETS ?=

fuzz: deps
	CC=clang CXX=clang++ cmake -S . -B $(FUZZ_BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUENHOLT_FUZZ=ON -DQUENHOLT_BENCH=OFF
	cmake --build $(FUZZ_BUILD) -j $(JOBS) --target quenholt_fuzz_all
	bash scripts/run-fuzz.sh $(FUZZ_BUILD) $(FUZZ_SECONDS) $(FUZZ_JOBS) $(FUZZ_TARGETS)

bench: build
	$(BUILD)/quenholt_bench

format:
	@bash scripts/check-format.sh --fix

clean:
	rm -rf $(BUILD) $(TEST_BUILD) $(FUZZ_BUILD)
