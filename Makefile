# Thin wrapper over CMake. `make demo` runs the main job, `make test` runs every test.
JOBS ?= 2
# How long `make fuzz` runs each fuzzer, in seconds.
FUZZ_SECONDS ?= 60

.PHONY: demo designer e2e test bench build programs setup format clean fuzz fuzz-build fuzz-check

setup:
	@bash scripts/setup-debian.sh

build: setup
	cmake -S . -B build -DCMAKE_BUILD_TYPE=Release
	cmake --build build -j $(JOBS)

# Only the programs, not the test suites: what the demo and the benchmarks need.
programs: setup
	cmake -S . -B build -DCMAKE_BUILD_TYPE=Release
	cmake --build build -j $(JOBS) --target tabula-demo tabula-designer tabula-render tabula-bench

# With a display the demo opens its window; without one (or when the window cannot open) it
# draws the form into out/tabula-demo.png instead.
demo: programs
	@mkdir -p out
	build/bin/tabula-render out/tabula-sample.png
	@if [ -n "$$DISPLAY$$WAYLAND_DISPLAY" ] && build/bin/tabula-demo; then :; else \
	    build/bin/tabula-demo --headless-png out/tabula-demo.png >/dev/null && \
	    echo "No window could open here: the demo form is drawn in out/tabula-demo.png"; \
	fi

# The form designer: with a display it opens its window; without one it draws a sample
# design into out/tabula-designer.png.
designer: programs
	@mkdir -p out
	@if [ -n "$$DISPLAY$$WAYLAND_DISPLAY" ] && build/bin/tabula-designer; then :; else \
	    build/bin/tabula-designer --headless-png out/tabula-designer.png >/dev/null && \
	    echo "No window could open here: a sample design is drawn in out/tabula-designer.png"; \
	fi

# The window host and the designer end to end under Xvfb, against the optimised build.
e2e: programs
	bash scripts/e2e-sdl.sh build/bin/tabula-demo out/e2e-sdl.png
	bash scripts/e2e-designer.sh build/bin/tabula-designer out/e2e-designer.png

test: setup
	cmake -S . -B build-test -DCMAKE_BUILD_TYPE=Debug -DTABULA_SANITIZE=ON
	cmake --build build-test -j $(JOBS)
	cd build-test && ctest --output-on-failure -j $(JOBS)
	$(MAKE) fuzz-check

# The libFuzzer targets of fuzz/, built with clang under AddressSanitizer and
# UndefinedBehaviorSanitizer in a tree of their own.
fuzz-build: setup
	CC=clang CXX=clang++ cmake -S . -B build-fuzz -DTABULA_FUZZ=ON
	cmake --build build-fuzz -j $(JOBS)

# Each fuzzer in turn for FUZZ_SECONDS seconds; new inputs go to build-fuzz/corpus/,
# crashes to build-fuzz/artifacts/.
fuzz: fuzz-build
	FUZZ_SECONDS=$(FUZZ_SECONDS) scripts/fuzz.sh

# What the test command runs: every seed once, then each fuzzer for 20 seconds.
fuzz-check: fuzz-build
	FUZZ_SECONDS=20 scripts/fuzz.sh --check

bench: programs
	build/bin/tabula-bench

format:
	find platform services core render input edit pages hosts apps tests bench fuzz \
	    -name '*.h' -o -name '*.cpp' 2>/dev/null | xargs -r clang-format -i

clean:
	rm -rf build build-test build-fuzz out
