#!/bin/sh
# run_fuzzer.sh FUZZER SEEDS SECONDS CRASHES
# Runs FUZZER for SECONDS on a scratch copy of the seed corpus SEEDS, so that the inputs it finds
# stay out of the repository. An input that fails is kept in CRASHES, named after the fuzzer;
# replay it with "FUZZER CRASHES/fuzz_<unit>-crash-<hash>".
set -eu
fuzzer=$1 seeds=$2 seconds=$3 crashes=$4
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp "$seeds"/* "$work"/
mkdir -p "$crashes"
"$fuzzer" -max_total_time="$seconds" -rss_limit_mb=2048 -timeout=10 -print_final_stats=1 \
    -artifact_prefix="$crashes/$(basename "$fuzzer")-" "$work"
