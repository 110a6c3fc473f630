# The two commands of the README. Both install what is missing from Debian's packages first.
#   make run   builds Taskwren, installs it for this user and starts the installed copy
#   make test  builds everything and runs every test, then every test again under ASan (with
#              leak checking) and UBSan, then each fuzz target for 10 s and every input kept
#              in fuzz/regressions/
# And for the fuzz targets alone:
#   make fuzz  builds them with clang and runs each for FUZZ_SECONDS (60)

BUILD        ?= build
BUILD_SAN    ?= build-sanitize
BUILD_FUZZ   ?= build-fuzz
JOBS         ?= $(shell nproc)
FUZZ_SECONDS ?= 60
# The program folder is $(PREFIX)/share/taskwren, with the launcher $(PREFIX)/bin/taskwren.
PREFIX     ?= $(HOME)/.local

# What building and running need: the compiler and Qt; libjpeg, libwmf and libemf2svg for the
# banners, with the URW fonts libwmf draws metafile text with; Arial's metric twin for the
# designed sizes; xdg-open, through which Qt opens web addresses in the user's browser; libical
# (its library and, to build, its headers) for the iCalendar export.
RUN_PACKAGES  := cmake g++ make pkg-config qt6-base-dev qt6-svg-dev libgl-dev libjpeg-dev \
                 libwmf-dev libemf2svg-dev fonts-liberation fonts-urw-base35 xdg-utils \
                 libical3 libical-dev libfontconfig-dev
# What only the tests, benchmarks and fuzz targets need: GoogleTest and Benchmark, OpenSSL
# as the crypto tests' oracle, nginx and curl beside the transport, PHP for the reference news
# service, desktop-file-validate for the installed entry, clang with its libFuzzer runtime,
# Python's icalendar as a second reader of the iCalendar export.
TEST_PACKAGES := libgtest-dev libgmock-dev libbenchmark-dev libssl-dev nginx-light curl \
                 php-cli php-sqlite3 desktop-file-utils clang libclang-rt-14-dev python3-icalendar

.PHONY: run install test fuzz

run: install
	"$(PREFIX)/bin/taskwren"

install:
	scripts/install-packages $(RUN_PACKAGES)
	cmake -S . -B $(BUILD) -DTASKWREN_BUILD_TESTS=OFF -DTASKWREN_BUILD_BENCH=OFF -DCMAKE_INSTALL_PREFIX="$(PREFIX)"
	cmake --build $(BUILD) -j $(JOBS)
	cmake --install $(BUILD)

test:
	scripts/install-packages $(RUN_PACKAGES) $(TEST_PACKAGES)
	cmake -S . -B $(BUILD) -DTASKWREN_BUILD_TESTS=ON -DTASKWREN_BUILD_BENCH=ON
	cmake --build $(BUILD) -j $(JOBS)
	ctest --test-dir $(BUILD) --output-on-failure -j $(JOBS)
	cmake -S . -B $(BUILD_SAN) -DTASKWREN_SANITIZE=ON -DCMAKE_BUILD_TYPE=Debug
	cmake --build $(BUILD_SAN) -j $(JOBS)
	ctest --test-dir $(BUILD_SAN) --output-on-failure -j $(JOBS)
	JOBS=$(JOBS) scripts/run-fuzzers 10 $(BUILD_FUZZ)

fuzz:
	scripts/install-packages $(RUN_PACKAGES) $(TEST_PACKAGES)
	JOBS=$(JOBS) scripts/run-fuzzers $(FUZZ_SECONDS) $(BUILD_FUZZ)
