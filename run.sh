#!/usr/bin/env bash
# Installs what is missing, builds Carvela and opens it on the sample road project. Without a
# display it says so and runs what can run headless: the batch road computation of the
# sample, its summary, and a picture of the main window on a virtual display.
set -euo pipefail
cd "$(dirname "$0")"
. ./scripts/deps.sh
install_deps run

cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCARVELA_WITH_UI=ON >/dev/null
cmake --build build -j "${CARVELA_JOBS:-$(nproc)}" --target carvela carvela-cli

# The sample project: the one shipped, or the road computed on the sample terrain and axis.
progetto=samples/progetto.pln
if [ ! -f "$progetto" ] && [ -f samples/terreno.dxf ] && [ -f samples/asse.txt ]; then
    mkdir -p out/campione
    ./build/carvela-cli road samples/terreno.dxf samples/asse.txt out/campione >/dev/null || true
    progetto=out/campione/progetto.pln
fi
[ -f "$progetto" ] || progetto=""

if [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
    exec ./build/carvela ${progetto:+"$progetto"}
fi

echo "Nessun display disponibile: Carvela non può aprire la sua finestra qui."
./build/carvela-cli --version
# Both samples: the local survey, and the same ground in national grid coordinates.
for campione in "terreno asse campione" "terreno_utm asse_utm campione_utm"; do
    set -- $campione
    if [ -f "samples/$1.dxf" ] && [ -f "samples/$2.txt" ]; then
        echo "Calcolo del tracciato stradale del campione (samples/$1.dxf, samples/$2.txt):"
        mkdir -p "out/$3"
        ./build/carvela-cli road "samples/$1.dxf" "samples/$2.txt" "out/$3"
        echo "Disegni scritti in out/$3:"
        ls "out/$3"/*.png
    fi
done
if command -v xvfb-run >/dev/null 2>&1; then
    mkdir -p out
    if xvfb-run -a -s "-screen 0 1280x800x24" ./build/carvela --istantanea out/carvela.png ${progetto:+"$progetto"} \
        >/dev/null 2>&1; then
        echo "Immagine della finestra principale: out/carvela.png"
    fi
fi
