#!/usr/bin/env bash
# Measures the CPU time quarl.exe uses while it sits idle with a demo map
# open: starts it from build/game in the private Wine session, waits for
# its frame, then reads the process's user+system ticks from /proc over
# 10 seconds.   Usage: scripts/idle-cpu.sh
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
demo=$(ls "$root"/build/game/*.map | head -n 1)
unset DISPLAY
"$root/scripts/with-wine.sh" bash -c '
  cd "$1"
  wine quarl.exe "$2" & pid=$!
  for _ in $(seq 60); do
    tree=$(xwininfo -root -tree 2>/dev/null)
    if grep -q "\"Error - Non-Fatal\"" <<<"$tree"; then xdotool key Return; fi
    grep -q "\"Quarl\"" <<<"$tree" && ! grep -q "\"Error - " <<<"$tree" && break
    sleep 0.5
  done
  sleep 3
  ticks() { awk "{print \$14 + \$15}" "/proc/$1/stat"; }
  hz=$(getconf CLK_TCK)
  before=$(ticks "$pid"); start=$(date +%s.%N)
  sleep 10
  after=$(ticks "$pid"); end=$(date +%s.%N)
  python3 -c "import sys; t=float(sys.argv[3])-float(sys.argv[2]); print(\"quarl.exe idle: %d ticks (1/%s s) in %.1f s = %.2f%% of one core\" % (int(sys.argv[1]), sys.argv[4], t, 100.0*int(sys.argv[1])/int(sys.argv[4])/t))" "$((after - before))" "$start" "$end" "$hz"
  kill "$pid"
' idle "$root/build/game" "$(printf 'Z:%s' "$demo" | tr / '\\')"
