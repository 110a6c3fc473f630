# The two commands of the README. Both install what is missing from Debian's packages first.
#   make run   builds Taskwren and starts it
#   make test  builds everything and runs every test, then the core tests again under ASan/UBSan

BUILD      ?= build
BUILD_SAN  ?= build-sanitize
JOBS       ?= $(shell nproc)
PACKAGES   := cmake g++ make pkg-config qt6-base-dev libgl-dev libgtest-dev libgmock-dev \
              libbenchmark-dev libjpeg-dev libssl-dev fonts-liberation nginx-light curl \
              qt6-svg-dev libwmf-dev libemf2svg-dev php-cli php-sqlite3
SUDO       := $(if $(filter 0,$(shell id -u)),,sudo)

.PHONY: run test deps build

run: build
	cd $(BUILD)/src && ./taskwren

test: build
	ctest --test-dir $(BUILD) --output-on-failure -j $(JOBS)
	cmake -S . -B $(BUILD_SAN) -DTASKWREN_SANITIZE=ON -DTASKWREN_CORE_ONLY=ON -DCMAKE_BUILD_TYPE=Debug
	cmake --build $(BUILD_SAN) -j $(JOBS)
	ctest --test-dir $(BUILD_SAN) --output-on-failure -j $(JOBS) -L core

build: deps
	cmake -S . -B $(BUILD)
	cmake --build $(BUILD) -j $(JOBS)

deps:
	@missing=$$(for p in $(PACKAGES); do dpkg -s $$p >/dev/null 2>&1 || echo $$p; done); \
	if [ -n "$$missing" ]; then \
	  echo "Installing:" $$missing; \
	  $(SUDO) apt-get update && DEBIAN_FRONTEND=noninteractive $(SUDO) apt-get install -y --no-install-recommends $$missing; \
	fi
