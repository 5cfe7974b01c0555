#!/usr/bin/env bash
# Runs every fuzz target of a fuzz build for SECONDS each, JOBS at a time, and prints for each its
# executions, speed and coverage. New inputs a target finds go to BUILD/fuzz-corpus/<name>/ (the
# seeds in fuzz/corpus/ are read, never written); a crash, a failed check, a leak or a hang fails
# the run and leaves its input in BUILD/fuzz-crashes/<name>/.
# Usage: run-all.sh BUILD SECONDS [JOBS] [NAME...]
set -u
build=${1:?build folder}
seconds=${2:?seconds per target}
jobs=${3:-2}
shift 3 2>/dev/null || shift $#
here=$(cd "$(dirname "$0")" && pwd)
build=$(cd "$build" && pwd)

if [ $# -gt 0 ]; then
    names=("$@")
else
    names=()
    for t in "$build"/fuzz/fuzz_*; do
        [ -f "$t" ] && [ -x "$t" ] && names+=("$(basename "$t")")
    done
fi
[ ${#names[@]} -gt 0 ] || { echo "no fuzz targets in $build/fuzz"; exit 1; }

export FUZZ_BUILD=$build FUZZ_HERE=$here FUZZ_SECONDS=$seconds
export ASAN_OPTIONS=detect_leaks=1:strict_string_checks=1:detect_stack_use_after_return=1
export LSAN_OPTIONS=suppressions=$here/../sanitize/lsan.supp:print_suppressions=0
export UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1:suppressions=$here/../sanitize/ubsan.supp

run_one() {
    local name=$1
    local corpus=$FUZZ_BUILD/fuzz-corpus/$name crashes=$FUZZ_BUILD/fuzz-crashes/$name
    local log=$FUZZ_BUILD/fuzz-logs/$name.log
    mkdir -p "$corpus" "$crashes" "$FUZZ_BUILD/fuzz-logs"
    local options=(-max_total_time="$FUZZ_SECONDS" -timeout=20 -rss_limit_mb=2048 -print_final_stats=1
                   -artifact_prefix="$crashes/")
    [ -f "$FUZZ_HERE/$name.dict" ] && options+=(-dict="$FUZZ_HERE/$name.dict")
    local seeds=()
    [ -d "$FUZZ_HERE/corpus/$name" ] && seeds=("$FUZZ_HERE/corpus/$name")
    "$FUZZ_BUILD/fuzz/$name" "${options[@]}" "$corpus" "${seeds[@]}" >"$log" 2>&1
    echo $? >"$FUZZ_BUILD/fuzz-logs/$name.status"
}
export -f run_one

start=$(date +%s)
printf '%s\n' "${names[@]}" | xargs -P "$jobs" -I{} bash -c 'run_one {}'

status=0
printf '%-26s %12s %9s %6s %7s  %s\n' target executions exec/s cov corpus result
for name in "${names[@]}"; do
    log=$build/fuzz-logs/$name.log
    rc=$(cat "$build/fuzz-logs/$name.status" 2>/dev/null || echo 1)
    runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -1)
    speed=$(sed -n 's/^stat::average_exec_per_sec: *//p' "$log" | tail -1)
    cov=$(grep -o 'cov: [0-9]*' "$log" | tail -1 | cut -d' ' -f2)
    corpus=$(find "$build/fuzz-corpus/$name" -type f | wc -l)
    result=ok
    [ "$rc" = 0 ] || { result="FAILED (exit $rc), log $log"; status=1; }
    printf '%-26s %12s %9s %6s %7s  %s\n' "$name" "${runs:-?}" "${speed:-?}" "${cov:-?}" "$corpus" "$result"
done
for name in "${names[@]}"; do
    [ "$(cat "$build/fuzz-logs/$name.status" 2>/dev/null)" = 0 ] && continue
    echo
    echo "== $name failed; its input is kept in $build/fuzz-crashes/$name/:"
    ls -1 "$build/fuzz-crashes/$name"
    grep -E 'ERROR|check failed|runtime error|SUMMARY|Test unit written|ALARM' "$build/fuzz-logs/$name.log" | head -20
done
echo "fuzzing took $(( $(date +%s) - start )) s"
exit $status
