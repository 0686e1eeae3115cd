# brixel: `make run` plays, `make test` runs every test, `make bench` reports the benchmarks,
# `make windows` packs the Windows game (build-windows/brixel-windows.zip), `make test-windows`
# also runs its tests under wine.
BUILD ?= build
JOBS ?= 2
CMAKE_FLAGS ?=
WINDOWS_BUILD ?= build-windows
WINDOWS_CMAKE_FLAGS ?=
# The Windows libraries are built once per machine, outside the clone.
WINDOWS_PREFIX ?= $(shell [ -w /var/cache ] && echo /var/cache/brixel-windows/prefix || \
	echo $(HOME)/.cache/brixel-windows/prefix)
# Wine sees none of this machine's fonts, as a Windows PC would not.
WINE_ENV = WINEPREFIX=$(abspath $(WINDOWS_BUILD))/wine WINEDEBUG=-all WINEDLLOVERRIDES=mscoree,mshtml= \
	FONTCONFIG_FILE=$(abspath tools/windows/no-host-fonts.conf)

.PHONY: all deps build run test bench clean windows test-windows

all: build

deps:
	@tools/install-deps

$(BUILD)/CMakeCache.txt:
	cmake -S . -B $(BUILD) $(CMAKE_FLAGS)

build: deps $(BUILD)/CMakeCache.txt
	cmake --build $(BUILD) -j $(JOBS)

run: build
	cd $(BUILD)/game && ./brixel

test: build
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS)

bench: build
	@for b in $(BUILD)/bench/*/*; do \
		if [ -f "$$b" ] && [ -x "$$b" ]; then echo "== $$b"; "$$b" || exit 1; fi; \
	done

windows:
	@tools/install-deps --windows
	tools/windows-deps $(WINDOWS_PREFIX)
	tools/windows/enet-deps $(WINDOWS_PREFIX)
	cmake -S . -B $(WINDOWS_BUILD) -G Ninja \
		-DCMAKE_TOOLCHAIN_FILE=tools/windows/mingw-w64-x86_64.cmake \
		-DBRIXEL_WINDOWS_PREFIX=$(WINDOWS_PREFIX) -DBRIXEL_BENCH=OFF $(WINDOWS_CMAKE_FLAGS)
	@# The build lists the tests by running them under wine: its prefix is made first. A prefix
	@# that once saw this machine's fonts keeps them listed, so it is made afresh.
	if grep -qsF ':\\usr\\share\\fonts' $(WINDOWS_BUILD)/wine/system.reg; then \
		export WINEPREFIX=$(abspath $(WINDOWS_BUILD))/wine; wineserver -k 2>/dev/null; \
		wineserver -w 2>/dev/null; rm -rf $(WINDOWS_BUILD)/wine; fi
	$(WINE_ENV) wineboot -i >/dev/null 2>&1 || true
	$(WINE_ENV) cmake --build $(WINDOWS_BUILD) -j $(JOBS)
	tools/windows/pack $(WINDOWS_BUILD) $(WINDOWS_PREFIX)

test-windows: windows
	cd $(WINDOWS_BUILD) && $(WINE_ENV) ctest --output-on-failure -j $(JOBS) --timeout 300

clean:
	rm -rf $(BUILD) $(WINDOWS_BUILD)
