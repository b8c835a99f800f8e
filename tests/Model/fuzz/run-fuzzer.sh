#!/usr/bin/env bash
# Runs a fuzzer from a fresh seed for VELMORA_FUZZ_SECONDS (40 unless set), in WORK.
#   run-fuzzer.sh FUZZER WORK
set -euo pipefail
fuzzer=$1
work=$2
rm -rf "$work"
mkdir -p "$work/corpus" "$work/findings"
"$fuzzer" --write-seed "$work/corpus"
exec "$fuzzer" -max_total_time="${VELMORA_FUZZ_SECONDS:-40}" -max_len=65536 -timeout=10 -rss_limit_mb=4096 -detect_leaks=0 \
  -print_final_stats=1 -artifact_prefix="$work/findings/" "$work/corpus"
