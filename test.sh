#!/usr/bin/env bash
# Installs what is missing, builds Carvela (with its benchmarks, so they keep compiling) and
# runs every test: the normal build with the windows on Qt's offscreen platform, then the
# core and its tests again under the address and undefined-behaviour sanitizers.
set -euo pipefail
cd "$(dirname "$0")"
. ./scripts/deps.sh
install_deps test

jobs=${CARVELA_JOBS:-$(nproc)}
export QT_QPA_PLATFORM=offscreen

# An include that runs up the layers of src/ (scripts/layers.txt) fails the run.
./scripts/check_layers.sh --strict

cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCARVELA_WITH_UI=ON -DCARVELA_WITH_TESTS=ON \
      -DCARVELA_WITH_BENCH=ON >/dev/null
cmake --build build -j "$jobs"
(cd build && ctest --output-on-failure -j "$jobs")

# Core and its tests again with sanitizers, so memory faults fail the run.
cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DCARVELA_WITH_UI=OFF -DCARVELA_WITH_TESTS=ON \
      -DCARVELA_WITH_BENCH=OFF -DCARVELA_SANITIZE=ON -DCMAKE_CXX_FLAGS="-O1" >/dev/null
cmake --build build-asan -j "$jobs"
(cd build-asan && ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 ctest --output-on-failure -j "$jobs")

# Fuzz targets, each for a bounded time from its seeds, when clang and its fuzzer library are
# here; any finding fails the run and leaves its input in build-fuzz/findings/.
if command -v clang++ >/dev/null 2>&1 && ls /usr/lib/llvm-*/lib/clang/*/lib/linux/libclang_rt.fuzzer-x86_64.a \
    >/dev/null 2>&1; then
    cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ \
          -DCARVELA_WITH_UI=OFF -DCARVELA_WITH_TESTS=OFF -DCARVELA_WITH_FUZZ=ON >/dev/null
    cmake --build build-fuzz -j "$jobs"
    ./scripts/fuzz.sh build-fuzz "${CARVELA_FUZZ_SECONDS:-20}"
else
    echo "Nota: clang o libFuzzer assenti, i fuzz target non sono stati eseguiti."
fi

echo "Tutti i test sono passati."
