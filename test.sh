#!/usr/bin/env bash
# Installs what is missing, builds Carvela and runs every test: the normal build with the
# windows (on Qt's offscreen platform) and a core build under the address and
# undefined-behaviour sanitizers.
set -euo pipefail
cd "$(dirname "$0")"
. ./scripts/deps.sh
install_deps test

jobs=${CARVELA_JOBS:-$(nproc)}

cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCARVELA_WITH_UI=ON >/dev/null
cmake --build build -j "$jobs"
(cd build && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j "$jobs")

# Core and its tests again with sanitizers, so memory faults fail the run.
cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DCARVELA_WITH_UI=OFF -DCARVELA_SANITIZE=ON \
      -DCMAKE_CXX_FLAGS="-O1" >/dev/null
cmake --build build-asan -j "$jobs"
(cd build-asan && ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 ctest --output-on-failure -j "$jobs")

echo "Tutti i test sono passati."
