# The one list of Debian packages the project needs, to build, test, run and benchmark.
# ca-certificates: Qt's TLS checks https sites against the system's store, absent from minimal images.
PACKAGES := qt6-base-dev qt6-qpa-plugins libicu-dev libssl3 ca-certificates cmake ninja-build g++ make \
            fonts-wqy-microhei fonts-wqy-zenhei xvfb xauth wget imagemagick

BUILD_DIR ?= build
BUILD_TYPE ?= RelWithDebInfo
JOBS ?= 2

.PHONY: all deps build test run bench clean format

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

run: build
	$(BUILD_DIR)/src/tavrin $(ARGS)

bench: build
	cmake --build $(BUILD_DIR) -j $(JOBS) --target benchmarks
	bash bench/run-all.sh $(BUILD_DIR)

format:
	find src tests bench -name '*.cpp' -o -name '*.h' | xargs clang-format -i

clean:
	rm -rf $(BUILD_DIR)
