#!/usr/bin/env bash
# Runs one fuzz driver for FUZZ_SECONDS (default 10) seconds:
#   run-driver.sh DRIVER SEED_DIR WORK_DIR
# It starts from the seeds and the inputs earlier runs kept in WORK_DIR/corpus
# (new ones go there, never into the seed folder), with SEED_DIR.dict as its
# dictionary when there is one, stops at the first failed
# property, crash, leak or input slower than 10 s, and saves that input in
# WORK_DIR as crash-*, leak-* or timeout-*. Its log is WORK_DIR/last-run.log,
# and a line saying how many inputs it tried goes to WORK_DIR/summary.txt.
set -euo pipefail
driver=$1 seeds=$2 work=$3
mkdir -p "$work/corpus"
rm -f "$work/summary.txt"
dict=()
if [ -f "$seeds.dict" ]; then
  dict=(-dict="$seeds.dict")
fi
status=0
"$driver" -max_total_time="${FUZZ_SECONDS:-10}" -timeout=10 -rss_limit_mb=4096 "${dict[@]}" \
  -print_final_stats=1 -artifact_prefix="$work/" "$work/corpus" "$seeds" \
  >"$work/last-run.log" 2>&1 || status=$?
if [ "$status" -ne 0 ]; then
  tail -n 60 "$work/last-run.log"
  echo "$(basename "$driver") failed; reproduce with: $driver $work/<the saved input>"
  exit "$status"
fi
runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$work/last-run.log")
echo "$(basename "$driver"): ${runs:-?} inputs in ${FUZZ_SECONDS:-10} s, no failure" |
  tee "$work/summary.txt"
