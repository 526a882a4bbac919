# The two commands a newcomer types: `make run` and `make test`.
BUILD ?= build
JOBS  ?= $(shell nproc)
FUZZ_SECONDS ?= 60
FUZZ_RUNS ?= -1
PREFIX ?= /usr/local

# Worktrees share one compiler cache.
export CCACHE_BASEDIR := $(CURDIR)
export CCACHE_NOHASHDIR := 1

.PHONY: all deps configure build run test bench fuzz sanitize install package clean

all: build

deps:
	@scripts/install-deps

configure: deps
	@cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null

build: configure
	@cmake --build $(BUILD) -j $(JOBS)

run: build
	$(BUILD)/plomix

# The program, its read-me, desktop entry, icons, AppStream metadata and man page.
install: build
	@cmake --install $(BUILD) --prefix $(PREFIX)

# A Debian package of the same tree, in $(BUILD)/.
package: build
	@cd $(BUILD) && cpack -G DEB

# A short fuzz run of every encoder first, so that the test summary closes the output.
test: build
	@$(MAKE) --no-print-directory fuzz FUZZ_SECONDS=2
	@cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)

# Every libFuzzer target for FUZZ_SECONDS seconds (or FUZZ_RUNS runs, whichever ends
# first), with AddressSanitizer and UndefinedBehaviorSanitizer, in its own build dir.
fuzz: deps
	@cmake -S . -B build-fuzz -DPLOMIX_FUZZ=ON -DCMAKE_CXX_COMPILER=clang++ \
	  -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
	@cmake --build build-fuzz -j $(JOBS) >/dev/null
	@for target in build-fuzz/fuzz/fuzz_*; do \
	  name=$$(basename $$target); mkdir -p build-fuzz/corpus/$$name; \
	  if ! $$target -max_total_time=$(FUZZ_SECONDS) -runs=$(FUZZ_RUNS) -timeout=10 \
	      -rss_limit_mb=2048 -print_final_stats=1 -artifact_prefix=build-fuzz/ build-fuzz/corpus/$$name fuzz/seeds \
	      >build-fuzz/$$name.log 2>&1; then \
	    tail -n 40 build-fuzz/$$name.log; echo "fuzz: $$name failed"; exit 1; \
	  fi; \
	  echo "fuzz: $$name $$(grep -o 'number_of_executed_units: *[0-9]*' build-fuzz/$$name.log | grep -o '[0-9]*$$') runs"; \
	done

# Every test and the fault-injection runs on a build with AddressSanitizer and
# UndefinedBehaviorSanitizer, in its own build dir; the first report ends the program
# that made it, so any report fails the run.
# intercept_strndup=0: libxkbcommon-x11 (every xcb start) passes strndup a bounded buffer
# without a terminating NUL, which is valid but which strict_string_checks reads past.
SANITIZE_BUILD ?= build-sanitize
SANITIZE_ENV = ASAN_OPTIONS=halt_on_error=1:abort_on_error=1:detect_leaks=1:strict_string_checks=1:detect_stack_use_after_return=1:intercept_strndup=0 \
  LSAN_OPTIONS=suppressions=$(CURDIR)/tests/sanitizer/lsan.supp:print_suppressions=0 \
  UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1
sanitize: deps
	@cmake -S . -B $(SANITIZE_BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DPLOMIX_SANITIZE=ON \
	  -DPLOMIX_BENCH=OFF >/dev/null
	@cmake --build $(SANITIZE_BUILD) -j $(JOBS)
	@cd $(SANITIZE_BUILD) && $(SANITIZE_ENV) QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)
	@$(SANITIZE_ENV) scripts/fault-injection $(SANITIZE_BUILD) 1

bench: build
	@for b in $(BUILD)/bench/bench_*; do echo "== $$b"; $$b --benchmark_counters_tabular=true; done

clean:
	rm -rf $(BUILD) build-fuzz $(SANITIZE_BUILD)
