# The commands of the README. Everything else is CMake's.
BUILD_DIR ?= build
JOBS ?= $(shell nproc)
PREFIX ?= /usr/local

.PHONY: all deps configure build run test install check-sanitizers clean

all: build

deps:
	@bash scripts/install-deps.sh

configure: deps
	@cmake -S . -B $(BUILD_DIR) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null

build: configure
	@cmake --build $(BUILD_DIR) -j $(JOBS)

# Opens the viewer on a copy of the bundled sample collection in the build
# folder, so that an index built there (and the collection's other files)
# never land in the source tree; the copy keeps its index from run to run.
# Without a display it runs under a virtual X server.
SAMPLE_DIR = $(BUILD_DIR)/sample-collection
run: build
	@mkdir -p $(SAMPLE_DIR) && cp -R examples/collection/. $(SAMPLE_DIR)/
	@if [ -n "$$DISPLAY" ] || [ -n "$$WAYLAND_DISPLAY" ]; then \
	  $(BUILD_DIR)/src/folverin --collection $(SAMPLE_DIR); \
	else \
	  xvfb-run -a -s "-screen 0 1280x1024x24" $(BUILD_DIR)/src/folverin --collection $(SAMPLE_DIR); \
	fi

test: build
	@cd $(BUILD_DIR) && ctest --output-on-failure -j $(JOBS)

# Both programs (without their debugging information) into $(PREFIX)/bin,
# the desktop entry and the program icon into $(PREFIX)/share; DESTDIR puts
# the whole tree below another root.
install: build
	@cmake --install $(BUILD_DIR) --prefix $(PREFIX) --strip

# The core suites and folverin-cli built with AddressSanitizer and
# UndefinedBehaviorSanitizer in a build folder of their own; any report ends
# the test that made it.
SAN_DIR ?= build-sanitizers
SAN_FLAGS := -fsanitize=address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer

check-sanitizers: deps
	@cmake -S . -B $(SAN_DIR) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
	  -DFOLVERIN_BUILD_UI=OFF "-DCMAKE_CXX_FLAGS=$(SAN_FLAGS)" \
	  "-DCMAKE_EXE_LINKER_FLAGS=$(SAN_FLAGS)" >/dev/null
	@cmake --build $(SAN_DIR) -j $(JOBS)
	@cd $(SAN_DIR) && ASAN_OPTIONS=detect_leaks=1:abort_on_error=0 \
	  UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 ctest --output-on-failure -j $(JOBS)

clean:
	rm -rf $(BUILD_DIR) $(SAN_DIR)
