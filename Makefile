# The one list of Debian packages the project needs, to build, test, run and benchmark.
# ca-certificates: Qt's TLS checks https sites against the system's store, absent from minimal images.
# clang, libclang-rt-14-dev: the fuzz build (libFuzzer); the program itself builds with g++.
PACKAGES := qt6-base-dev qt6-qpa-plugins libicu-dev libzip-dev libssl3 ca-certificates cmake ninja-build g++ make \
            fonts-wqy-microhei fonts-wqy-zenhei xvfb xauth wget imagemagick clang libclang-rt-14-dev

BUILD_DIR ?= build
SANITIZE_DIR ?= build-sanitize
FUZZ_DIR ?= build-fuzz
FUZZ_S ?= 60
BUILD_TYPE ?= RelWithDebInfo
JOBS ?= 2

.PHONY: all deps build test test-sanitize fuzz run bench clean format

all: build

deps:
	@missing=$$(for p in $(PACKAGES); do \
	    dpkg-query -W -f='$${Status}\n' $$p 2>/dev/null | grep -q '^install ok installed' || echo $$p; \
	  done); \
	if [ -n "$$missing" ]; then \
	  echo "installing:" $$missing; \
	  if [ "$$(id -u)" = 0 ]; then SUDO=; else SUDO=sudo; fi; \
	  $$SUDO env DEBIAN_FRONTEND=noninteractive apt-get update -q && \
	  $$SUDO env DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends $$missing; \
	fi

$(BUILD_DIR)/build.ninja:
	cmake -S . -B $(BUILD_DIR) -G Ninja -DCMAKE_BUILD_TYPE=$(BUILD_TYPE)

build: deps $(BUILD_DIR)/build.ninja
	cmake --build $(BUILD_DIR) -j $(JOBS)

test: build
	cd $(BUILD_DIR) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS) --timeout 300

# The same suite under AddressSanitizer (with leak detection) and UndefinedBehaviorSanitizer, in a
# build folder of its own; reports from inside system libraries are suppressed in sanitize/, ours never.
SANITIZE_ENV := QT_QPA_PLATFORM=offscreen \
    ASAN_OPTIONS=detect_leaks=1:abort_on_error=1:strict_string_checks=1:detect_stack_use_after_return=1 \
    LSAN_OPTIONS=suppressions=$(CURDIR)/sanitize/lsan.supp:print_suppressions=0 \
    UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1:suppressions=$(CURDIR)/sanitize/ubsan.supp

$(SANITIZE_DIR)/build.ninja:
	cmake -S . -B $(SANITIZE_DIR) -G Ninja -DCMAKE_BUILD_TYPE=Debug -DTAVRIN_SANITIZE=ON

test-sanitize: deps $(SANITIZE_DIR)/build.ninja
	cmake --build $(SANITIZE_DIR) -j $(JOBS)
	cd $(SANITIZE_DIR) && $(SANITIZE_ENV) ctest --output-on-failure -j $(JOBS) --timeout 600

# Every fuzz target (fuzz/fuzz_*.cpp) built with clang, libFuzzer, AddressSanitizer and UBSan in a
# build folder of its own, then run for FUZZ_S seconds each, JOBS at a time.
$(FUZZ_DIR)/build.ninja:
	cmake -S . -B $(FUZZ_DIR) -G Ninja -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_COMPILER=clang++ -DTAVRIN_FUZZ=ON

fuzz: deps $(FUZZ_DIR)/build.ninja
	cmake --build $(FUZZ_DIR) -j $(JOBS) --target fuzzers
	bash fuzz/run-all.sh $(FUZZ_DIR) $(FUZZ_S) $(JOBS)

run: build
	$(BUILD_DIR)/src/tavrin $(ARGS)

bench: build
	cmake --build $(BUILD_DIR) -j $(JOBS) --target benchmarks
	bash bench/run-all.sh $(BUILD_DIR)

format:
	find src tests bench fuzz -name '*.cpp' -o -name '*.h' | xargs clang-format -i

clean:
	rm -rf $(BUILD_DIR) $(SANITIZE_DIR) $(FUZZ_DIR)
