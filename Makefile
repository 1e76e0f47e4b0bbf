# make run     build trelvix.exe (release build) and start it under Wine (screenshot to
#              build/trelvix.png when there is no display)
# make test    native tests, then the Windows layer and the whole program under Wine
# make dist    build/dist/trelvix-<version>-win64.zip: trelvix.exe, Resource\ and ReadMe.txt
# make build   build both presets        make format   clang-format the sources
# make clean   remove build/
# Every target installs missing Debian packages first (tools/install-deps).

SHELL := /bin/bash
.SHELLFLAGS := -euo pipefail -c
.DEFAULT_GOAL := build

BUILD := build
RUN_PREFIX := $(BUILD)/wineprefix-run
SCREENSHOT := $(BUILD)/trelvix.png

# The steps depend on their order (packages first, native tier before the cross build).
.NOTPARALLEL:

.PHONY: deps build build-linux build-sanitize build-mingw run dist test test-native test-wine format clean

deps:
	@tools/install-deps

build-linux: deps
	cmake --preset linux
	cmake --build --preset linux

# The native tier again, under AddressSanitizer and UndefinedBehaviorSanitizer.
build-sanitize: deps
	cmake --preset linux-sanitize
	cmake --build --preset linux-sanitize

build-mingw: deps
	cmake --preset mingw
	cmake --build --preset mingw

build: build-linux build-mingw

run: deps
	cmake --preset release
	cmake --build --preset release --target trelvix
	tools/run-trelvix $(BUILD)/release/trelvix.exe $(RUN_PREFIX) $(SCREENSHOT)

# The download, build/dist/trelvix-<version>-win64.zip, and its check.
dist: deps
	cmake --preset release
	cmake --build --preset release
	ctest --preset release

test-native: build-linux
	ctest --preset linux

test-wine: build-mingw
	tools/with-xvfb ctest --preset mingw

# The native tier runs first (seconds) so a broken core stops the run before the cross build.
# The last step runs every tier of the three builds in one ctest (the native tier also under
# the sanitizers), so the run ends with one summary.
test: test-native build-sanitize build-mingw
	@mkdir -p $(BUILD)/all
	@printf 'subdirs("%s")\n' "$(CURDIR)/$(BUILD)/linux" "$(CURDIR)/$(BUILD)/linux-sanitize" \
		"$(CURDIR)/$(BUILD)/mingw" > $(BUILD)/all/CTestTestfile.cmake
	tools/with-xvfb ctest --test-dir $(BUILD)/all --output-on-failure -j2

format:
	@command -v clang-format >/dev/null || { echo "clang-format is not installed (apt-get install clang-format)"; exit 1; }
	find src tests -type f \( -name '*.cpp' -o -name '*.h' \) -print0 | xargs -0 -r clang-format -i

clean:
	@if [[ -d $(RUN_PREFIX) ]]; then WINEPREFIX=$(CURDIR)/$(RUN_PREFIX) wineserver -k 2>/dev/null || true; fi
	rm -rf $(BUILD)
