#!/usr/bin/env bash
# Reads every #include "…" of src/, maps the including file and the included one to their
# layers (scripts/layers.txt) and prints each include that runs upwards. With --strict it
# fails when there is one; without, it only reports.
set -euo pipefail
cd "$(dirname "$0")/.."
strict=0
[ "${1:-}" = "--strict" ] && strict=1
grep -rn --include='*.h' --include='*.cpp' '^[[:space:]]*#[[:space:]]*include[[:space:]]*"' src |
awk -v strict="$strict" -v table=scripts/layers.txt '
    BEGIN {
        while ((getline line < table) > 0) {
            sub(/#.*/, "", line)
            if (split(line, f, " ") >= 2) layer[f[1]] = f[2] + 0
        }
    }
    function layerOf(path,    p, best, bestLen, k) {
        p = path; sub(/\.(h|cpp)$/, "", p)
        best = -1; bestLen = 0
        for (k in layer)
            if ((p == k || index(p, k "/") == 1) && length(k) > bestLen) { best = layer[k]; bestLen = length(k) }
        return best
    }
    {
        split($0, parts, ":"); file = parts[1]; sub(/^src\//, "", file)
        inc = $0; sub(/^[^"]*"/, "", inc); sub(/".*$/, "", inc)
        if (inc !~ /\//) next  # a file beside its own header
        lf = layerOf(file); li = layerOf(inc)
        if (lf < 0) { print "senza strato: src/" file; bad++; next }
        if (li < 0) next  # not a file of src/ (a test or generated header)
        if (li > lf) { printf "src/%s (strato %d) include %s (strato %d)\n", file, lf, inc, li; bad++ }
    }
    END {
        if (bad) print bad " inclusioni verso l'\''alto"
        else print "Strati: nessuna inclusione verso l'\''alto."
        exit (strict && bad) ? 1 : 0
    }'
