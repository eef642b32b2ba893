# Entry points that do all the set-up on a fresh machine:
#   make demo   builds tavro-cli and runs the main job on the bundled demo school (schedule, improve, export)
#   make test   builds everything under AddressSanitizer + UBSan and runs every test
#   make fuzz   builds the fuzz targets with clang and runs each for FUZZ_SECONDS seconds
JOBS ?= $(shell nproc)
DEMO_DIR ?= build/demo-school
FUZZ_SECONDS ?= 600
FUZZ_TARGETS ?= timetable_file temporary_changes print_format xlsx xlsx_parts xls sheet_import

.PHONY: deps test demo release bench fuzz format clean

deps:
	./scripts/install-deps

test: deps
	cmake -S . -B build/asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DTAVRO_SANITIZE=ON -DTAVRO_WERROR=ON
	cmake --build build/asan -j $(JOBS)
	QT_QPA_PLATFORM=offscreen ctest --test-dir build/asan --output-on-failure -j $(JOBS)

release: deps
	cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=Release
	cmake --build build/release -j $(JOBS)

demo: deps
	cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=Release
	cmake --build build/release -j $(JOBS) --target tavro-cli
	./scripts/run-demo build/release $(DEMO_DIR)

bench: release
	./scripts/run-bench build/release

fuzz: deps
	cmake -S . -B build/fuzz -G Ninja -DCMAKE_BUILD_TYPE=Debug -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ -DTAVRO_FUZZ=ON
	cmake --build build/fuzz -j $(JOBS) $(addprefix --target fuzz_,$(FUZZ_TARGETS))
	./scripts/run-fuzz build/fuzz $(FUZZ_SECONDS) $(FUZZ_TARGETS)

format:
	git ls-files '*.cpp' '*.h' | xargs clang-format -i

clean:
	rm -rf build
