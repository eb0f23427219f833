#!/usr/bin/env bash
# Runs the benchmarks from the given build folder (default build/).
set -euo pipefail
build=${1:-build}
export QT_QPA_PLATFORM=offscreen QTWEBENGINE_DISABLE_SANDBOX=1
export QTWEBENGINE_CHROMIUM_FLAGS=--disable-gpu
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
export HOME=$scratch XDG_CONFIG_HOME=$scratch/.config XDG_RUNTIME_DIR=$scratch

"$build/bench/typing_bench" --benchmark_repetitions=3 --benchmark_report_aggregates_only=true
echo
"$build/bench/format_bench"
echo
for size in 1 10 50; do
  "$build/bench/file_bench" "$size" 2>/dev/null
done
echo
# A one-character edit in the preview, patched in place beside loaded in full.
for kb in 100 1000 10000 50000; do
  for mode in patch load; do
    "$build/bench/preview_bench" "$kb" "$mode" 2>/dev/null || true
  done
done
echo
# The HTML model: parse time, and memory beside the page's size.
"$build/bench/html_bench"
echo
# The caret and the preview: a caret move, and the outline after the pause.
for kb in 100 1000 10000; do
  "$build/bench/link_bench" "$kb" 2>/dev/null || true
done
echo
# One-character edits of the HTML pages installed here: how many are patched.
find /usr/share/doc -name '*.html' -size +1k -print0 2>/dev/null | xargs -0 -r "$build/bench/patch_survey"
echo
for run in 1 2 3 4 5; do
  echo "start-up run $run:"
  "$build/bench/startup_bench" 2>/dev/null
done
