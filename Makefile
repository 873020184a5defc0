# Fresh-machine entry points: `make demo` (the two programs and what they
# need, then the demo) and `make test` (the rest: tests, benchmarks, fuzz
# targets, then the test suite); `make package` builds the Debian package
# tarvisol_<version>_amd64.deb in build/default/.
JOBS ?= $(shell nproc)

.PHONY: setup configure programs build test demo bench asan package clean

setup:
	@bash scripts/setup

configure: setup
	cmake --preset default

programs: configure
	cmake --build --preset default -j $(JOBS) --target programs

build: configure
	cmake --build --preset default -j $(JOBS)

test: build
	ctest --preset default -j $(JOBS)

demo: programs
	bash examples/demo/run

bench: build
	./build/default/bench/tarvisol-bench --benchmark_repetitions=5 --benchmark_report_aggregates_only=true

package: build
	cmake --build --preset default --target package

# Under the sanitizers the margin search's direction, surface and herd cases
# are left out (CMakePresets.json, the asan test preset): they run the code of
# the cases kept, many times over, and would add minutes; `make test` runs them.
asan: setup
	cmake --preset asan
	cmake --build --preset asan -j $(JOBS)
	ctest --preset asan -j $(JOBS)

clean:
	rm -rf build
