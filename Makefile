# The two commands: `make run` builds and starts Quillpad, `make test` builds and runs every test.
# Both first make the machine ready (scripts/install.sh does nothing when all is there).
BUILD   := build
JOBS    := $(shell nproc)
DEPS    := $(or $(QUILLPAD_DEPS),$(or $(XDG_CACHE_HOME),$(HOME)/.cache)/quillpad-deps)
SUDO    := $(if $(filter 0,$(shell id -u)),,sudo)
# The compiler cache serves any checkout of the project, wherever it lies (CI builds in a fresh clone).
export CCACHE_BASEDIR := $(CURDIR)
export CCACHE_NOHASHDIR := 1
# The Windows architecture Wine runs here (decided once the machine is ready).
ARCH     = $(shell bash scripts/winarch.sh)

.PHONY: all run test install checks host win win32 test-host test-win bench fuzz clean

all: win win32

install:
	@$(SUDO) env QUILLPAD_DEPS=$(DEPS) bash scripts/install.sh

# The engine with the host compiler, under sanitizers; it also builds the resource generator.
host: install
	@cmake -S . -B $(BUILD)/host -G Ninja -DQP_HOST=ON -DCMAKE_BUILD_TYPE=Debug >/dev/null
	@cmake --build $(BUILD)/host -j $(JOBS)

# Everything for Windows, in the architecture that runs here.
win: host
	@cmake -S . -B $(BUILD)/win-$(ARCH) -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-$(ARCH).cmake \
	  --no-warn-unused-cli -DQP_DEPS=$(DEPS)/$(ARCH) -DQP_HOST_BIN=$(abspath $(BUILD))/host/bin >/dev/null
	@cmake --build $(BUILD)/win-$(ARCH) -j $(JOBS)

# The 32-bit programs that ship, when the tests run in another architecture.
win32: host
	@if [ "$(ARCH)" != i686 ]; then \
	  cmake -S . -B $(BUILD)/win-i686 -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake \
	    --no-warn-unused-cli -DQP_DEPS=$(DEPS)/i686 -DQP_HOST_BIN=$(abspath $(BUILD))/host/bin >/dev/null && \
	  cmake --build $(BUILD)/win-i686 -j $(JOBS) --target deliverables; fi

test-host: host
	@cd $(BUILD)/host && ctest --output-on-failure -j $(JOBS)

test-win: win
	@bash scripts/xvfb-ctest.sh -j $(JOBS)

# The tree's own rules: the house style, and includes that point down the floors only (the floors check
# is itself tried on planted includes).
checks: install
	@bash scripts/check-format.sh
	@bash scripts/check-floors.sh
	@bash scripts/check-floors-test.sh

test: checks win32 test-host test-win

run: win
	@bash scripts/run.sh

bench: win
	@cmake -S . -B $(BUILD)/bench -G Ninja -DQP_HOST=ON -DQP_SANITIZE=OFF -DCMAKE_BUILD_TYPE=Release >/dev/null
	@cmake --build $(BUILD)/bench -j $(JOBS)
	@for b in $(BUILD)/bench/bench/bench_*; do [ -x $$b ] && $$b; done; true
	@for b in $(BUILD)/win-$(ARCH)/bench/bench_*_win.exe; do [ -f $$b ] && bash scripts/wine-run.sh $$b; done; true

# Fuzzes every reader for FUZZ_SECONDS each (the corpus is kept in ~/.cache/quillpad-fuzz).
FUZZ_SECONDS ?= 180
fuzz: install
	@bash scripts/fuzz.sh $(FUZZ_SECONDS) $(FUZZ_TARGETS)

clean:
	rm -rf $(BUILD)
