# Two commands for a new user:
#   make run    installs what is missing, builds and starts Tavrok
#   make test   installs what is missing, builds and runs the whole test suite
# In CI (CI=true) warnings are errors.

BUILD ?= build
BUILD_TYPE ?= RelWithDebInfo
SANITIZE ?=
JOBS ?= $(shell nproc)

# Debian 12 packages the build, the program and the tests need.
PACKAGES := cmake ninja-build g++ pkg-config \
	qt6-base-dev qt6-base-dev-tools qt6-serialport-dev qt6-translations-l10n libgl-dev \
	libgtest-dev googletest \
	fonts-liberation \
	libsdl2-mixer-dev libjpeg62-turbo-dev libx11-dev libxcb1-dev timgm6mb-soundfont gnome-session-canberra sound-theme-freedesktop \
	pulseaudio pulseaudio-utils sox \
	xvfb xauth openbox trayer xdotool x11-utils desktop-file-utils appstream dpkg-dev x11-xkb-utils imagemagick faketime poppler-utils \
	dbus-daemon libglib2.0-bin weston xwayland

ifeq ($(CI),true)
WERROR := ON
else
WERROR ?= OFF
endif

SUDO := $(shell [ "$$(id -u)" = 0 ] || echo sudo)

.PHONY: run test build configure deps bench format clean package fuzz reliability mutants

# The fuzz targets under clang's libFuzzer with AddressSanitizer and UndefinedBehaviorSanitizer, each
# for FUZZ_SECONDS; what they find that is new is kept in build-fuzz/corpus.
FUZZ_SECONDS ?= 600
FUZZ_TARGETS := import ini textcodec alarms scheduler language
FUZZ_PACKAGES := clang libclang-rt-14-dev

# The heap over simulated days of use (bench/soak.sh).
BENCH_PACKAGES := heaptrack

# Installs those of the Debian packages given that are missing.
define install_missing
	@missing=""; for p in $(1); do \
	  dpkg-query -W -f='$${Status}' $$p 2>/dev/null | grep -q "install ok installed" || missing="$$missing $$p"; \
	done; \
	if [ -n "$$missing" ]; then \
	  echo "Installing Debian packages:$$missing"; \
	  $(SUDO) apt-get update -qq && \
	  DEBIAN_FRONTEND=noninteractive $(SUDO) apt-get install -y -qq --no-install-recommends $$missing; \
	fi
endef

deps:
	$(call install_missing,$(PACKAGES))

configure: deps
	@cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=$(BUILD_TYPE) \
	  -DTAVROK_WERROR=$(WERROR) -DTAVROK_SANITIZE="$(SANITIZE)" > $(BUILD).configure.log 2>&1 \
	  || { cat $(BUILD).configure.log; exit 1; }

build: configure
	@cmake --build $(BUILD) -j $(JOBS)

# The program and its data only: the test suite, the fuzz targets and the benchmarks wait for `make test`
# and `make bench`.
run: configure
	@cmake --build $(BUILD) -j $(JOBS) --target tavrok
	@if [ -z "$$DISPLAY" ] && [ -z "$$WAYLAND_DISPLAY" ]; then \
	  echo "Tavrok needs a graphical desktop, and this session has none (DISPLAY is not set)."; \
	  echo "Run 'make run' from a terminal inside your desktop, or try it on a virtual screen:"; \
	  echo "  xvfb-run -a $(BUILD)/tavrok"; \
	  exit 1; \
	fi
	@$(BUILD)/tavrok

test: build
	@cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS) --timeout 600

package: build
	@cd $(BUILD) && cpack --config CPackConfig.cmake -B package

bench: build
	$(call install_missing,$(BENCH_PACKAGES))
	@bench/run.sh $(BUILD)

format:
	@clang-format -i $$(git ls-files '*.cpp' '*.h')

fuzz: deps
	$(call install_missing,$(FUZZ_PACKAGES))
	@cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ \
	  -DTAVROK_LIBFUZZER=ON -DTAVROK_SANITIZE=address,undefined > build-fuzz.configure.log 2>&1 \
	  || { cat build-fuzz.configure.log; exit 1; }
	@cmake --build build-fuzz -j $(JOBS) --target $(addprefix fuzz_,$(FUZZ_TARGETS))
	@for t in $(FUZZ_TARGETS); do \
	  mkdir -p build-fuzz/corpus/$$t; \
	  echo "fuzzing $$t for $(FUZZ_SECONDS) s"; \
	  build-fuzz/tests/fuzz_$$t -max_total_time=$(FUZZ_SECONDS) -print_final_stats=1 \
	    build-fuzz/corpus/$$t tests/fuzz/corpus/$$t $$([ $$t = language ] && echo Data/Jazyky) || exit 1; \
	done

# The kill tests at full length: 1000 saves killed at random moments, and the program killed 300 times
# while it starts or shuts down (the suite runs 100 and 15).
RELIABILITY_KILLS ?= 1000
RELIABILITY_PROGRAM_KILLS ?= 300
reliability: build
	@cd $(BUILD) && TZ=Europe/Prague TAVROK_KILL_RUNS=$(RELIABILITY_KILLS) \
	  TAVROK_PROGRAM_KILL_RUNS=$(RELIABILITY_PROGRAM_KILLS) ./tests/reliability_tests

# A mutation run over the program's sources, one small fault at a time, in build-mutants (not part of
# `make test`; hours for the whole tree). MUTANTS narrows it: MUTANTS="--per-file 3 src/alarms".
MUTANTS ?=
mutants: deps
	@python3 tools/mutants.py $(MUTANTS)

clean:
	@rm -rf $(BUILD) $(BUILD).configure.log
