#!/usr/bin/env bash
# CPU per typed key over the whole process tree (the web engine's processes
# and software-GL threads included), Markwright beside Geany, on the same
# pages, in one run under Xvfb:
#   bench/keystroke-cost.sh [build-dir] [sizes in KB...]
# Each editor opens the page (caret at its start), 40 keys are pressed
# 60 ms apart, and the CPU the tree used while typing is divided by 40.
# MARKWRIGHT_RENDERING=software|opengl may be set to force the compositing.
set -euo pipefail
build=${1:-build}
shift || true
sizes=("${@:-100 10000 50000}")
[ $# -eq 0 ] && sizes=(100 10000 50000)
keys=${KEYS:-40}
scratch=$(mktemp -d)
display=:$((90 + RANDOM % 9))
Xvfb "$display" -screen 0 1280x900x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
trap 'kill $xvfb 2>/dev/null; rm -rf "$scratch"' EXIT
export DISPLAY=$display HOME=$scratch XDG_CONFIG_HOME=$scratch/.config
export XDG_DATA_HOME=$scratch/.local/share XDG_RUNTIME_DIR=$scratch
export QTWEBENGINE_DISABLE_SANDBOX=1
unset QT_QPA_PLATFORM
sleep 1

# CPU seconds (user + system) of a process and all its descendants.
tree_cpu() {
  python3 - "$1" <<'PY'
import os, sys
root = int(sys.argv[1]); ticks = os.sysconf('SC_CLK_TCK')
children = {}
for pid in filter(str.isdigit, os.listdir('/proc')):
    try:
        fields = open(f'/proc/{pid}/stat').read().rsplit(')', 1)[1].split()
    except OSError:
        continue
    children.setdefault(int(fields[1]), []).append((int(pid), int(fields[11]) + int(fields[12])))
total, todo = 0, [root]
try:
    f = open(f'/proc/{root}/stat').read().rsplit(')', 1)[1].split()
    total += int(f[11]) + int(f[12])
except OSError:
    pass
while todo:
    for pid, cpu in children.get(todo.pop(), []):
        total += cpu; todo.append(pid)
print(total / ticks)
PY
}

page() { # size in KB -> file
  local file=$scratch/page-$1.html
  python3 -c "
import sys
line = '<p>Some paragraph text with <b>markup</b> in it, line %d.</p>\r\n'
out, n = [], 0
size = int(sys.argv[1]) * 1000
total = 0
while total < size:
    s = line % n; out.append(s); total += len(s); n += 1
open(sys.argv[2], 'w').write('<html><body>\r\n' + ''.join(out) + '</body></html>\r\n')
" "$1" "$file"
  echo "$file"
}

measure() { # name pid
  local window
  window=$(xdotool search --sync --onlyvisible --pid "$2" 2>/dev/null | head -1 || true)
  xdotool windowactivate --sync "$window" 2>/dev/null || xdotool windowfocus "$window"
  sleep 3
  local before after
  before=$(tree_cpu "$2")
  # Key presses as a keyboard makes them: "xdotool type" rewrites the
  # keyboard map around every character, and the web engine answers each
  # such change with work a real keyboard never causes.
  xdotool key --delay 60 $(printf 'a %.0s' $(seq $keys))
  sleep 0.5
  after=$(tree_cpu "$2")
  python3 -c "print(f'{\"$1\":<24} {($after - $before) * 1000 / $keys:8.2f} ms CPU per key')"
}

for kb in "${sizes[@]}"; do
  file=$(page "$kb")
  echo "page of $kb KB:"
  mkdir -p "$scratch/prog"
  printf '[Markwright]\nOpenPath=%s/\n' "$scratch" > "$scratch/prog/Markwright.ini"
  "$build/tests/markwright_driver" --program-folder "$scratch/prog" --answer "file:$file" \
    cmd:mnuFileOpen > "$scratch/mw.log" 2>&1 &
  mw=$!
  for _ in $(seq 600); do grep -q "steps done" "$scratch/mw.log" && break; sleep 0.1; done
  sleep 4 # the first preview of the page
  measure "markwright" "$mw"
  kill "$mw"; wait "$mw" 2>/dev/null || true

  geany --new-instance --no-session --no-plugins "$file" >/dev/null 2>&1 &
  gy=$!
  sleep 4
  measure "geany" "$gy"
  # Geany may stay up after a polite request; it has nothing to save.
  kill "$gy"; sleep 1; kill -9 "$gy" 2>/dev/null || true; wait "$gy" 2>/dev/null || true
done
