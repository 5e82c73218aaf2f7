#!/usr/bin/env bash
# Runs every fuzz target of a fuzz build for the given seconds, from a scratch copy of its
# seeds (so the repository's corpus only changes by hand). Exits non-zero on any finding;
# the input that caused it is left in BUILD/findings/.
# Usage: scripts/fuzz.sh BUILD_DIR [SECONDS]
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:?Uso: scripts/fuzz.sh CARTELLA_BUILD [SECONDI]}
seconds=${2:-20}
mkdir -p "$build/findings"
export ASAN_OPTIONS=detect_leaks=1:allocator_may_return_null=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
status=0
for seeds in fuzz/corpus/*/; do
    target=$(basename "$seeds")
    work="$build/corpus-$target"
    mkdir -p "$work"
    cp -n "$seeds"* "$work"/ 2>/dev/null || true
    echo "== $target, $seconds s"
    if ! "$build/fuzz/$target" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -max_len=16384 \
        -print_final_stats=1 -artifact_prefix="$build/findings/$target-" "$work" 2>"$build/$target.log"; then
        tail -n 60 "$build/$target.log"
        echo "Il fuzz target $target ha trovato un errore: vedere $build/findings/." >&2
        status=1
    else
        grep -E "^stat::number_of_executed_units" "$build/$target.log" || true
    fi
done
exit $status
