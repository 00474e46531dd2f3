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
	xvfb xauth openbox trayer xdotool x11-utils desktop-file-utils appstream dpkg-dev x11-xkb-utils imagemagick faketime poppler-utils

ifeq ($(CI),true)
WERROR := ON
else
WERROR ?= OFF
endif

SUDO := $(shell [ "$$(id -u)" = 0 ] || echo sudo)

.PHONY: run test build configure deps bench format clean package

deps:
	@missing=""; for p in $(PACKAGES); do \
	  dpkg-query -W -f='$${Status}' $$p 2>/dev/null | grep -q "install ok installed" || missing="$$missing $$p"; \
	done; \
	if [ -n "$$missing" ]; then \
	  echo "Installing Debian packages:$$missing"; \
	  $(SUDO) apt-get update -qq && \
	  DEBIAN_FRONTEND=noninteractive $(SUDO) apt-get install -y -qq --no-install-recommends $$missing; \
	fi

configure: deps
	@cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=$(BUILD_TYPE) \
	  -DTAVROK_WERROR=$(WERROR) -DTAVROK_SANITIZE="$(SANITIZE)" > $(BUILD).configure.log 2>&1 \
	  || { cat $(BUILD).configure.log; exit 1; }

build: configure
	@cmake --build $(BUILD) -j $(JOBS)

run: build
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
	@bench/run.sh $(BUILD)

format:
	@clang-format -i $$(git ls-files '*.cpp' '*.h')

clean:
	@rm -rf $(BUILD) $(BUILD).configure.log
