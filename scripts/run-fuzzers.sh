#!/usr/bin/env bash
# Runs the fuzz targets of the fuzz build one after another, each for a bounded time on a copy of
# its committed corpus (build/fuzz/runs/<target>/corpus, kept between runs so it can grow).
# A finding stops the script with its report; the input that caused it is written beside the log.
#   scripts/run-fuzzers.sh [seconds per target] [target...]
set -euo pipefail
cd "$(dirname "$0")/.."

seconds=${1:-60}
shift || true
targets=("$@")
((${#targets[@]} > 0)) || targets=(expansion title full_path character_walk)

for target in "${targets[@]}"; do
    fuzzer=build/fuzz/tests/fuzz/${target}_fuzzer
    [[ -x "$fuzzer" ]] || { echo "$fuzzer is missing: build the fuzz preset first" >&2; exit 1; }
    run=build/fuzz/runs/$target
    mkdir -p "$run/corpus"
    cp -n tests/fuzz/corpus/"$target"/* "$run/corpus/"

    echo "== $target: ${seconds} s"
    status=0
    "$fuzzer" -dict=tests/fuzz/tokens.dict -max_total_time="$seconds" -max_len=4096 \
        -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 -artifact_prefix="$run/" \
        "$run/corpus" >"$run/log" 2>&1 || status=$?
    if ((status != 0)); then
        grep -A12 -E '^(broken|==[0-9]+==ERROR|SUMMARY)' "$run/log" | head -40 >&2 || true
        echo "$target: finding, see $run/log and the crash-*, timeout-* or oom-* file beside it" >&2
        exit "$status"
    fi
    executions=$(sed -n 's/^stat::number_of_executed_units: *//p' "$run/log")
    # The corpus as libFuzzer holds it at the end (inputs/bytes); the folder also keeps inputs
    # that later ones replaced.
    corpus=$(grep -oE 'corp: [0-9]+/[0-9]+[a-zA-Z]*' "$run/log" | tail -1 | cut -d' ' -f2)
    echo "$target: no finding in ${executions} executions; corpus ${corpus}"
done
