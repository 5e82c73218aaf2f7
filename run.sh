#!/usr/bin/env bash
# Installs what is missing, builds Carvela and opens it on the bundled sample. Without a
# display it says so and runs the batch road computation on the sample instead.
set -euo pipefail
cd "$(dirname "$0")"
. ./scripts/deps.sh
install_deps run

cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCARVELA_WITH_UI=ON -DCARVELA_WITH_TESTS=OFF >/dev/null
cmake --build build -j "${CARVELA_JOBS:-$(nproc)}"

sample=samples/progetto.pln
if [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
    if [ -f "$sample" ]; then exec ./build/carvela "$sample"; else exec ./build/carvela; fi
fi
echo "Nessun display disponibile: Carvela non può aprire la sua finestra."
if [ -f samples/terreno.dxf ] && [ -f samples/asse.txt ]; then
    echo "Calcolo del tracciato stradale sul campione con carvela-cli:"
    ./build/carvela-cli road samples/terreno.dxf samples/asse.txt out/campione
    echo "Immagini scritte in out/campione:"
    ls out/campione/*.png
else
    ./build/carvela-cli --version
fi
