# The two commands of the README, and a few more for developers.
#   make test   installs what is missing, builds, runs the tests of the Linux build
#               (cd build && ctest -LE slow: all but the soak and the Xvfb tests)
#   make play   installs what is missing, builds, starts the game

BUILD      ?= build
JOBS       ?= $(shell nproc 2>/dev/null || echo 2)
PACKAGES   := cmake g++ make pkg-config libsdl2-dev libgtest-dev zlib1g-dev libxxhash-dev
SUDO       := $(shell [ "$$(id -u)" = 0 ] || echo sudo)

.PHONY: all setup build test play clean art screenshots golden replay-tool windows test-windows setup-windows setup-wine

all: build

# $(call install-missing,PACKAGES): apt-get installs those not yet installed (as
# root, or through sudo); the one place packages are installed from.
define install-missing
@missing=""; for p in $(1); do \
  dpkg-query -W -f='$${Status}' $$p 2>/dev/null | grep -q "install ok installed" || missing="$$missing $$p"; \
done; \
if [ -n "$$missing" ]; then \
  echo "Installing:$$missing"; \
  $(SUDO) apt-get update -qq && DEBIAN_FRONTEND=noninteractive $(SUDO) apt-get install -y -qq $$missing; \
fi
endef

# The Debian packages the build needs.
setup:
	$(call install-missing,$(PACKAGES))

$(BUILD)/CMakeCache.txt:
	cmake -S . -B $(BUILD)

build: setup $(BUILD)/CMakeCache.txt
	cmake --build $(BUILD) -j $(JOBS)

test: build setup-desktop
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS)

play: build
	$(BUILD)/whirlquarium

# The replay tool alone: the screenshots, the stored games and the Windows and
# web checks replay with it.
replay-tool: setup $(BUILD)/CMakeCache.txt
	cmake --build $(BUILD) -j $(JOBS) --target whirlquarium-replay

clean:
	rm -rf $(BUILD)

# Redraws every picture and icon in resources/ (the results are committed, so
# building the game never needs this). Uses Debian's own python3 and its modules.
ART_PACKAGES := python3-cairo python3-pil python3-numpy python3-fonttools fonts-leckerli-one fonts-dejavu-core
art:
	$(call install-missing,$(ART_PACKAGES))
	/usr/bin/python3 tools/art/make_art.py

# Replays the games of tools/screenshots/ and refreshes the pictures under docs/
# that README.md shows (they are committed, like the art).
SHOT_SCRIPTS := blended saved
DOC_SHOTS    := blended/attract:attract blended/panic:panic blended/blood:blood blended/angel:angel \
                saved/water-falling:flip saved/flopping-away:saved-board
screenshots: replay-tool
	@rm -rf $(BUILD)/screenshots && mkdir -p docs
	@for s in $(SHOT_SCRIPTS); do \
	  mkdir -p $(BUILD)/screenshots/$$s && \
	  $(BUILD)/whirlquarium-replay --shots $(BUILD)/screenshots/$$s tools/screenshots/$$s.txt > /dev/null || exit 1; \
	done
	@for p in $(DOC_SHOTS); do \
	  cp $(BUILD)/screenshots/$${p%%:*}.png docs/$${p#*:}.png && echo "wrote docs/$${p#*:}.png" || exit 1; \
	done

# Rewrites every stored game log and frame digest file of tests/golden/ from
# its script. A rewritten log states what its game must write: read the
# difference line by line against what the game must do, and look at the
# frames whose digests changed, before it is committed (README, Stored games).
golden: replay-tool
	@for s in tests/golden/*.script; do \
	  $(BUILD)/whirlquarium-replay --frames $${s%.script}.frames $$s > $${s%.script}.log || exit 1; \
	  echo "wrote $${s%.script}.log and .frames"; \
	done
	@git diff --stat -- tests/golden

# ---- Linux desktop ---------------------------------------------------------------
#   make install     the game, its menu entry, icons, AppStream data and manual page
#                    under DESTDIR/PREFIX (PREFIX defaults to /usr/local)
#   make uninstall   removes what make install put there
#   make deb         a Debian package of the same files (CPack), in $(BUILD)/, checked
#                    by lintian: an error fails the target
# The window and install tests of make test run the game under Xvfb with a window
# manager and check the installed files with the desktop's own validators.
PREFIX          ?= /usr/local
DESKTOP_TEST_PACKAGES := xvfb xauth xdotool x11-utils imagemagick openbox desktop-file-utils appstream
DEB_PACKAGES          := dpkg-dev file lintian

.PHONY: setup-desktop install uninstall deb
setup-desktop:
	$(call install-missing,$(DESKTOP_TEST_PACKAGES))

install: build
	cmake --install $(BUILD) --prefix $(PREFIX)

uninstall:
	@test -f $(BUILD)/install_manifest.txt || { echo "uninstall: nothing was installed from $(BUILD)"; exit 1; }
	@while read -r f || [ -n "$$f" ]; do rm -fv "$(DESTDIR)$$f" | sed 's/^/uninstall: /'; done < $(BUILD)/install_manifest.txt

deb: build
	$(call install-missing,$(DEB_PACKAGES))
	cd $(BUILD) && rm -f whirlquarium_*.deb && cpack -G DEB
	lintian --fail-on error $(BUILD)/whirlquarium_*.deb

# ---- Windows -------------------------------------------------------------------
#   make windows        cross-compiles build-windows/whirlquarium.exe with MinGW-w64
#   make test-windows   checks it under Wine on a virtual display (.ci/windows-check.sh)
WIN_BUILD     ?= build-windows
WIN_PACKAGES  := cmake make g++-mingw-w64-x86-64 binutils-mingw-w64-x86-64 googletest
WINE_PACKAGES := wine wine64 xvfb xauth xdotool imagemagick nsis


setup-windows:
	$(call install-missing,$(WIN_PACKAGES))

setup-wine:
	$(call install-missing,$(WINE_PACKAGES))

$(WIN_BUILD)/CMakeCache.txt:
	cmake -S . -B $(WIN_BUILD) -DCMAKE_TOOLCHAIN_FILE=cmake/MinGW-w64.cmake -DCMAKE_BUILD_TYPE=Release

windows: setup-windows $(WIN_BUILD)/CMakeCache.txt
	cmake --build $(WIN_BUILD) -j $(JOBS)

test-windows: windows setup-wine replay-tool
	cmake --build $(WIN_BUILD) -j $(JOBS) --target installer
	bash .ci/windows-check.sh $(WIN_BUILD) $(BUILD)

# ---- Sanitizers, fuzzing, soak -------------------------------------------------
#   make test-sanitize  every test, built with AddressSanitizer, LeakSanitizer and
#                       UndefinedBehaviorSanitizer (build-asan/); the soak plays
#                       SANITIZE_SOAK_MINUTES of virtual time
#   make fuzz           builds the fuzzers with clang (build-fuzz/) and runs each
#                       for FUZZ_SECONDS, from the seeds in fuzz/corpus/
#   make soak           the long soak in the plain build: SOAK_MINUTES of virtual play
ASAN_BUILD            ?= build-asan
FUZZ_BUILD            ?= build-fuzz
FUZZ_SECONDS          ?= 60
FUZZ_TARGETS          := bitmap_file bitmap_resource replay_script
FUZZ_PACKAGES         := clang libclang-rt-14-dev
SANITIZE_SOAK_MINUTES ?= 200
SOAK_MINUTES          ?= 1440
SANITIZER_ENV         := ASAN_OPTIONS=detect_leaks=1:abort_on_error=0 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
                         LSAN_OPTIONS=suppressions=$(CURDIR)/tests/support/lsan-suppressions.txt:print_suppressions=0

.PHONY: test-sanitize setup-fuzz fuzz soak

$(ASAN_BUILD)/CMakeCache.txt:
	cmake -S . -B $(ASAN_BUILD) -DWHIRL_SANITIZE=ON

test-sanitize: setup $(ASAN_BUILD)/CMakeCache.txt
	cmake --build $(ASAN_BUILD) -j $(JOBS)
	cd $(ASAN_BUILD) && $(SANITIZER_ENV) WHIRL_SOAK_MINUTES=$(SANITIZE_SOAK_MINUTES) ctest --output-on-failure -j $(JOBS)

$(FUZZ_BUILD)/CMakeCache.txt: | setup-fuzz
	cmake -S . -B $(FUZZ_BUILD) -DWHIRL_FUZZ=ON -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++

setup-fuzz:
	$(call install-missing,$(FUZZ_PACKAGES))

fuzz: setup setup-fuzz $(FUZZ_BUILD)/CMakeCache.txt
	cmake --build $(FUZZ_BUILD) -j $(JOBS) --target fuzzers
	@for t in $(FUZZ_TARGETS); do \
	  mkdir -p $(FUZZ_BUILD)/corpus/$$t; \
	  echo "fuzzing $$t for $(FUZZ_SECONDS) s"; \
	  $(FUZZ_BUILD)/fuzz/$${t}_fuzzer -max_total_time=$(FUZZ_SECONDS) -timeout=10 -print_final_stats=1 \
	    -artifact_prefix=$(FUZZ_BUILD)/$$t- $(FUZZ_BUILD)/corpus/$$t fuzz/corpus/$$t 2> $(FUZZ_BUILD)/$$t.log; \
	  status=$$?; tail -n 12 $(FUZZ_BUILD)/$$t.log; \
	  if [ $$status -ne 0 ]; then echo "fuzz: $$t found a fault (see $(FUZZ_BUILD)/$$t.log)"; exit 1; fi; \
	done

soak: build
	cd $(BUILD) && WHIRL_SOAK_MINUTES=$(SOAK_MINUTES) ./tests/soak_tests --gtest_filter='Soak.RandomPlayKeepsEveryInvariant'

# ---- Benchmarks ----------------------------------------------------------------
#   make bench   the frame and its blits against memcpy floors (Google Benchmark),
#                the replay tool's speed, and the game in an SDL window under Xvfb:
#                processor time, frame pacing, start-up. Each reports its goals.
BENCH_BUILD    ?= build-bench
BENCH_PACKAGES := libbenchmark-dev xvfb xauth xdotool x11-utils openbox

.PHONY: bench
bench: setup
	$(call install-missing,$(BENCH_PACKAGES))
	cmake -S . -B $(BENCH_BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo > /dev/null
	cmake --build $(BENCH_BUILD) -j $(JOBS) --target whirlquarium whirlquarium-replay whirlquarium-bench
	@status=0; \
	$(BENCH_BUILD)/whirlquarium-bench || status=1; echo; \
	bash bench/replay-speed.sh $(BENCH_BUILD) || status=1; echo; \
	bash bench/running-game.sh $(BENCH_BUILD) || status=1; \
	exit $$status

# ---- In a browser ----------------------------------------------------------------
#   make web        builds the game with emscripten into build-web/; the static site
#                   is build-web/site/
#   make serve-web  serves the site on 127.0.0.1:WEB_PORT
#   make test-web   plays the site in headless Chromium and Firefox ESR (tests/web/;
#                   WHIRL_BROWSERS=chromium or =firefox for one of them)
#   make bench-web  measures it in Chromium, beside the desktop game (bench/web.mjs)
WEB_BUILD    ?= build-web
WEB_PORT     ?= 8080
WEB_PACKAGES := emscripten cmake make gzip
# emcc with Debian's Python (not one found first on PATH) and Debian's JavaScript
# modules (acorn), whichever Node runs it.
EMSCRIPTEN_ENV := EMSDK_PYTHON=/usr/bin/python3 NODE_PATH=/usr/share/nodejs

.PHONY: setup-web setup-browser web serve-web test-web bench-web

# Node from Debian unless one is already installed.
setup-web:
	$(call install-missing,$(WEB_PACKAGES) $(if $(shell command -v node),,nodejs))

$(WEB_BUILD)/CMakeCache.txt: | setup-web
	$(EMSCRIPTEN_ENV) emcmake cmake -S . -B $(WEB_BUILD) -DCMAKE_BUILD_TYPE=Release

web: setup-web $(WEB_BUILD)/CMakeCache.txt
	$(EMSCRIPTEN_ENV) cmake --build $(WEB_BUILD) -j $(JOBS)
	@echo "The site is in $(WEB_BUILD)/site/"

serve-web: web
	node tools/web/serve.mjs $(WEB_BUILD)/site $(WEB_PORT)

# Chromium and Firefox ESR from Debian, the pinned puppeteer-core
# (tests/web/package-lock.json) that drives them, and the replay tool the page
# is checked against.
setup-browser: web replay-tool
	$(call install-missing,chromium firefox-esr $(if $(shell command -v npm),,npm))
	cd tests/web && npm ci --no-audit --no-fund

test-web: setup-browser
	WHIRL_SITE=$(WEB_BUILD)/site WHIRL_REPLAY=$(BUILD)/whirlquarium-replay node --test --test-concurrency=1 tests/web/*.test.mjs

# The page's figures in headless Chromium, and the desktop game's share of a
# core under Xvfb beside them (bench/README.md).
bench-web: setup-browser setup-desktop
	cmake --build $(BUILD) -j $(JOBS) --target whirlquarium
	node bench/web.mjs $(WEB_BUILD)/site $(BUILD)/whirlquarium-replay $(BUILD)

# ---- Releases --------------------------------------------------------------------
#   make release          dist/: the sources, the Debian package, the Windows zip and
#                         installer, the web site, and SHA256SUMS (tools/release/release.sh)
#   make check-reproducible
#                         two fresh clones of HEAD in two folders, make release in
#                         each, every file compared (.ci/reproducible-check.sh)
DIST             ?= dist
RELEASE_PACKAGES := git zip gzip nsis $(DEB_PACKAGES)

.PHONY: release check-reproducible
release: setup setup-windows setup-web
	$(call install-missing,$(RELEASE_PACKAGES))
	$(EMSCRIPTEN_ENV) JOBS=$(JOBS) bash tools/release/release.sh $(DIST)

check-reproducible:
	bash .ci/reproducible-check.sh
