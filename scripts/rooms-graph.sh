#!/usr/bin/env bash
# Writes docs/rooms.dot: the folders of src/ as CMake links them, each arrow
# from a folder to one it may use. Made from CMake's own target graph, so it
# shows what the build enforces.
# Usage: scripts/rooms-graph.sh [build-dir] [output, default docs/rooms.dot]
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${1:-$root/build}"
out="${2:-$root/docs/rooms.dot}"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
(cd "$build" && cmake --graphviz="$work/all.dot" . > /dev/null)
mkdir -p "$(dirname "$out")"
# Node ids to room names, for the static libraries markwright_<room> only.
awk '
  /\[ label = "markwright_[a-z_]+", shape = octagon \]/ && !/markwright_test/ {
    match($0, /"node[0-9]+"/); id = substr($0, RSTART, RLENGTH)
    match($0, /markwright_[a-z_]+/); rooms[id] = substr($0, RSTART + 11, RLENGTH - 11)
  }
  / -> / {
    split($0, ends, " -> "); from = ends[1]; gsub(/[ \t]/, "", from)
    match(ends[2], /"node[0-9]+"/); to = substr(ends[2], RSTART, RLENGTH)
    edges[++n] = from " " to
  }
  END {
    print "// The folders of src/ and the folders each may use, as CMake links them."
    print "// Made by scripts/rooms-graph.sh (make rooms); do not edit."
    print "digraph rooms {"
    print "  rankdir = BT;"
    print "  node [shape = box];"
    for (i = 1; i <= n; ++i) {
      split(edges[i], e, " ")
      if ((e[1] in rooms) && (e[2] in rooms)) print "  " rooms[e[1]] " -> " rooms[e[2]] ";" | "sort -u"
    }
    close("sort -u")
    print "}"
  }' "$work/all.dot" > "$out"
echo "wrote $out"
