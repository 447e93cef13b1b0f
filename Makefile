# The two commands of the README: `make run` plays the demo world, `make test`
# passes every test. Both install what is missing first.
BUILD      ?= build
TEST_BUILD ?= build-test
REL_TEST_BUILD ?= build-test-rel
JOBS       ?= $(shell nproc)

.PHONY: all deps build run test stress heart-keys bench fuzz fuzz-smoke format clean

all: build

deps:
	@bash scripts/install-deps.sh

build: deps
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo
	cmake --build $(BUILD) -j $(JOBS)

# Builds only the game (and the world it depends on), quietly (the full log
# goes to $(BUILD)/make-run.log, the terminal shows the progress every few
# percent and the total time), and starts it in the world's folder, where it
# finds "gamelib.txt" and "init_vars.txt", on the title menu. ARGS go to the
# game: make run ARGS=--windowed, or straight into a level: make run LEVEL=cemetery_01.lvl
ARGS  ?=
LEVEL ?=
run: deps
	@mkdir -p $(BUILD)
	@echo "Building quenholt in $(BUILD)/ (log: $(BUILD)/make-run.log) ..."
	@cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo > $(BUILD)/make-run.log 2>&1 \
	  || { cat $(BUILD)/make-run.log; exit 1; }
	@bash scripts/build-with-progress.sh $(BUILD) quenholt $(JOBS) $(BUILD)/make-run.log \
	  || { grep -E -A5 "error|Error" $(BUILD)/make-run.log | head -60; echo "build failed: see $(BUILD)/make-run.log"; exit 1; }
	@cd $(BUILD)/world && ../quenholt $(LEVEL) $(ARGS)

# The suite in two builds of their own, one after the other: a debug build
# with AddressSanitizer and UndefinedBehaviorSanitizer, then the build type a
# player runs (RelWithDebInfo, as `make run`), where the optimiser and the
# allocator behave as in play. The second leaves out what does not depend on
# the build (the one-process runs, the checks of the sources) and the
# benchmarks, and keeps only line tables of the debug information (-g1): the
# debug level changes no instruction, and it takes a quarter off the compile.
# A new compiler warning fails either.
REL_TEST_FLAGS := -O2 -g1 -DNDEBUG
test: deps
	cmake -S . -B $(TEST_BUILD) -DCMAKE_BUILD_TYPE=Debug -DQUENHOLT_SANITIZE=ON -DQUENHOLT_BENCH=OFF -DQUENHOLT_WERROR=ON
	cmake --build $(TEST_BUILD) -j $(JOBS)
	cd $(TEST_BUILD) && ctest --output-on-failure -j $(JOBS)
	cmake -S . -B $(REL_TEST_BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUENHOLT_BENCH=OFF -DQUENHOLT_WERROR=ON \
	  -DQUENHOLT_ONE_PROCESS_TESTS=OFF -DQUENHOLT_SOURCE_CHECKS=OFF \
	  "-DCMAKE_CXX_FLAGS_RELWITHDEBINFO=$(REL_TEST_FLAGS)" "-DCMAKE_C_FLAGS_RELWITHDEBINFO=$(REL_TEST_FLAGS)"
	cmake --build $(REL_TEST_BUILD) -j $(JOBS)
	cd $(REL_TEST_BUILD) && ctest --output-on-failure -j $(JOBS)

# The whole run and the enemy, boss and world suites, three rounds with every
# core kept busy by the script's own busy loops (scripts/stress-tests.sh):
# they must pass alike however loaded the machine is. Not part of `make test`,
# since it loads the machine on purpose.
stress: deps
	cmake -S . -B $(TEST_BUILD) -DCMAKE_BUILD_TYPE=Debug -DQUENHOLT_SANITIZE=ON -DQUENHOLT_BENCH=OFF
	cmake --build $(TEST_BUILD) -j $(JOBS)
	bash scripts/stress-tests.sh $(TEST_BUILD) 3

# The Heart fought by real keys: the game a player runs ($(BUILD), as `make
# run` builds it) in windows on X servers of their own, keys through the X
# server, the player reading the window's pixels; three ways, five seeds
# each, and one death fight a way (killed standing still, he must move
# within 2 s of the respawn and win), HEART_KEYS_JOBS fights side by side.
# It plays in real time, so it is not part of `make test` (a loaded machine
# plays worse and slower; the script prints the load before and after).
HEART_KEYS_JOBS ?= 5
heart-keys: deps
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo
	cmake --build $(BUILD) -j $(JOBS) --target quenholt world heartkeys
	bash scripts/heart-keys.sh $(BUILD) $(BUILD)/heart-keys $(HEART_KEYS_JOBS)

# The fuzz programs of fuzz/, built with clang in their own folder, each run
# for FUZZ_SECONDS (FUZZ_JOBS at a time) from seeds the project's own writers
# make; what they find lands in $(FUZZ_BUILD)/fuzz/findings/<target>/.
FUZZ_BUILD   ?= build-fuzz
FUZZ_SECONDS ?= 60
FUZZ_JOBS    ?= 3
FUZZ_TARGETS ?=

fuzz: deps
	bash scripts/configure-fuzz.sh $(FUZZ_BUILD)
	cmake --build $(FUZZ_BUILD) -j $(JOBS) --target quenholt_fuzz_all
	bash scripts/run-fuzz.sh $(FUZZ_BUILD) $(FUZZ_SECONDS) $(FUZZ_JOBS) $(FUZZ_TARGETS)

# The smoke test of the fuzz programs: the same clang build, configured by
# the same script (so `make fuzz` after it rebuilds nothing), then every
# program for FUZZ_SMOKE_SECONDS from fresh seeds in a folder of its own
# (ctest -L fuzz in $(FUZZ_BUILD)); fails on a program that does not run or
# on any finding.
FUZZ_SMOKE_SECONDS ?= 3
fuzz-smoke: deps
	FUZZ_BUILD_JOBS=$(JOBS) bash scripts/fuzz-smoke.sh $(FUZZ_BUILD) $(FUZZ_SMOKE_SECONDS)

# The benchmarks in a Release build of their own: only the benchmark program
# and what it runs (the game, the floor program, the world) are built. A
# compiler warning fails it, as it fails the test builds.
BENCH_BUILD ?= build-bench
bench: deps
	cmake -S . -B $(BENCH_BUILD) -DCMAKE_BUILD_TYPE=Release -DQUENHOLT_BENCH=ON -DQUENHOLT_WERROR=ON
	cmake --build $(BENCH_BUILD) -j $(JOBS) --target quenholt_bench
	$(BENCH_BUILD)/quenholt_bench

format:
	@bash scripts/check-format.sh --fix

clean:
	rm -rf $(BUILD) $(TEST_BUILD) $(REL_TEST_BUILD) $(FUZZ_BUILD) $(BENCH_BUILD)
