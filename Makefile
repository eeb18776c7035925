# The two commands of the README, and a few more for developers.
#   make test   installs what is missing, builds, runs every test
#   make play   installs what is missing, builds, starts the game

BUILD      ?= build
JOBS       ?= $(shell nproc 2>/dev/null || echo 2)
PACKAGES   := cmake g++ make pkg-config libsdl2-dev libgtest-dev zlib1g-dev
SUDO       := $(shell [ "$$(id -u)" = 0 ] || echo sudo)

.PHONY: all setup build test play clean art screenshots windows test-windows setup-windows setup-wine

all: build

# Installs the Debian packages the build needs, only when some are missing.
setup:
	@missing=""; for p in $(PACKAGES); do \
	  dpkg-query -W -f='$${Status}' $$p 2>/dev/null | grep -q "install ok installed" || missing="$$missing $$p"; \
	done; \
	if [ -n "$$missing" ]; then \
	  echo "Installing:$$missing"; \
	  $(SUDO) apt-get update -qq && DEBIAN_FRONTEND=noninteractive $(SUDO) apt-get install -y -qq $$missing; \
	fi

$(BUILD)/CMakeCache.txt:
	cmake -S . -B $(BUILD)

build: setup $(BUILD)/CMakeCache.txt
	cmake --build $(BUILD) -j $(JOBS)

test: build
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS)

play: build
	$(BUILD)/whirlquarium

clean:
	rm -rf $(BUILD)

# Redraws every picture and icon in resources/ (the results are committed, so
# building the game never needs this). Uses Debian's own python3 and its modules.
ART_PACKAGES := python3-cairo python3-pil python3-numpy python3-fonttools fonts-leckerli-one fonts-dejavu-core
art:
	@missing=""; for p in $(ART_PACKAGES); do \
	  dpkg-query -W -f='$${Status}' $$p 2>/dev/null | grep -q "install ok installed" || missing="$$missing $$p"; \
	done; \
	if [ -n "$$missing" ]; then \
	  echo "Installing:$$missing"; \
	  $(SUDO) apt-get update -qq && DEBIAN_FRONTEND=noninteractive $(SUDO) apt-get install -y -qq $$missing; \
	fi
	/usr/bin/python3 tools/art/make_art.py

# Replays the games of tools/screenshots/ and refreshes the pictures under docs/
# that README.md shows (they are committed, like the art).
SHOT_SCRIPTS := blended saved
DOC_SHOTS    := blended/attract:attract blended/panic:panic blended/blood:blood blended/angel:angel \
                saved/water-falling:flip saved/flopping-away:saved-board
screenshots: setup $(BUILD)/CMakeCache.txt
	cmake --build $(BUILD) -j $(JOBS) --target whirlquarium-replay
	@rm -rf $(BUILD)/screenshots && mkdir -p docs
	@for s in $(SHOT_SCRIPTS); do \
	  mkdir -p $(BUILD)/screenshots/$$s && \
	  $(BUILD)/whirlquarium-replay --shots $(BUILD)/screenshots/$$s tools/screenshots/$$s.txt > /dev/null || exit 1; \
	done
	@for p in $(DOC_SHOTS); do \
	  cp $(BUILD)/screenshots/$${p%%:*}.png docs/$${p#*:}.png && echo "wrote docs/$${p#*:}.png" || exit 1; \
	done

# ---- Windows -------------------------------------------------------------------
#   make windows        cross-compiles build-windows/whirlquarium.exe with MinGW-w64
#   make test-windows   checks it under Wine on a virtual display (.ci/windows-check.sh)
WIN_BUILD     ?= build-windows
WIN_PACKAGES  := cmake make g++-mingw-w64-x86-64 binutils-mingw-w64-x86-64 googletest
WINE_PACKAGES := wine wine64 xvfb xauth xdotool imagemagick

# $(call install-missing,PACKAGES): apt-get installs those not yet installed.
define install-missing
@missing=""; for p in $(1); do \
  dpkg-query -W -f='$${Status}' $$p 2>/dev/null | grep -q "install ok installed" || missing="$$missing $$p"; \
done; \
if [ -n "$$missing" ]; then \
  echo "Installing:$$missing"; \
  $(SUDO) apt-get update -qq && DEBIAN_FRONTEND=noninteractive $(SUDO) apt-get install -y -qq $$missing; \
fi
endef

setup-windows:
	$(call install-missing,$(WIN_PACKAGES))

setup-wine:
	$(call install-missing,$(WINE_PACKAGES))

$(WIN_BUILD)/CMakeCache.txt:
	cmake -S . -B $(WIN_BUILD) -DCMAKE_TOOLCHAIN_FILE=cmake/MinGW-w64.cmake -DCMAKE_BUILD_TYPE=Release

windows: setup-windows $(WIN_BUILD)/CMakeCache.txt
	cmake --build $(WIN_BUILD) -j $(JOBS)

test-windows: windows setup-wine setup $(BUILD)/CMakeCache.txt
	cmake --build $(BUILD) -j $(JOBS) --target whirlquarium-replay
	bash .ci/windows-check.sh $(WIN_BUILD) $(BUILD)
