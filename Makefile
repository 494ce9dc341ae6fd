# Thin wrapper over CMake. `make demo` runs the main job, `make test` runs every test.
JOBS ?= 2

.PHONY: demo test bench build setup format clean

setup:
	@bash scripts/setup-debian.sh

build: setup
	cmake -S . -B build -DCMAKE_BUILD_TYPE=Release
	cmake --build build -j $(JOBS)

demo: build
	@mkdir -p out
	build/bin/tabula-render out/tabula-sample.png

test: setup
	cmake -S . -B build-test -DCMAKE_BUILD_TYPE=Debug -DTABULA_SANITIZE=ON
	cmake --build build-test -j $(JOBS)
	cd build-test && ctest --output-on-failure -j $(JOBS)

bench: build
	build/bin/tabula-bench

format:
	find platform services core render input edit pages hosts apps tests bench \
	    -name '*.h' -o -name '*.cpp' 2>/dev/null | xargs -r clang-format -i

clean:
	rm -rf build build-test out
