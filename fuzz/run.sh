#!/usr/bin/env bash
# Runs one fuzz target: first on every kept regression input, then for a
# bounded time from the seed corpus. A crash fails the run, and libFuzzer
# keeps its input in regressions/NAME/ to be committed as a new regression case.
#   fuzz/run.sh FUZZER-BINARY NAME SECONDS
set -euo pipefail
fuzzer=$1 name=$2 seconds=$3
here=$(cd "$(dirname "$0")" && pwd)
regressions="$here/regressions/$name"
mkdir -p "$regressions"
export ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1

kept=("$regressions"/*)
if [ -e "${kept[0]}" ]; then
    "$fuzzer" "${kept[@]}"
fi
# New corpus entries go to a scratch folder; the seeds in the repository stay.
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
if ! "$fuzzer" -max_total_time="$seconds" -max_len=8192 -print_final_stats=1 \
    -artifact_prefix="$regressions/" "$scratch" "$here/corpus/$name" >"$scratch.log" 2>&1; then
    cat "$scratch.log"
    rm -f "$scratch.log"
    exit 1
fi
grep -E '^(Done|stat::number_of_executed_units|stat::new_units_added)' "$scratch.log" || true
rm -f "$scratch.log"
