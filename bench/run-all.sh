#!/usr/bin/env bash
# Runs every benchmark program; each prints its own figures and ratios.
set -u
build=${1:-build}
status=0
for b in "$build"/bench/bench_*; do
    [ -f "$b" ] && [ -x "$b" ] || continue  # skip the autogen folders beside the programs
    echo "== $(basename "$b")"
    QT_QPA_PLATFORM=offscreen "$b" || status=1
done
exit $status
