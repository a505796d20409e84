#!/usr/bin/env bash
# Runs every fuzz target for SECONDS seconds each (default 10), starting from
# its seed corpus in fuzz/corpus/NAME. Fails when a target finds a crash.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-10}
work=build/fuzz/corpus
status=0
for target in build/fuzz/bin/fuzz_*; do
  [ -x "$target" ] || continue
  name=$(basename "$target")
  mkdir -p "$work/$name" build/fuzz/artifacts
  seeds=fuzz/corpus/$name
  [ -d "$seeds" ] || seeds=
  echo "== $name: $seconds s"
  if ! "$target" -max_total_time="$seconds" -print_final_stats=1 \
      -artifact_prefix=build/fuzz/artifacts/ "$work/$name" $seeds \
      > "build/fuzz/$name.log" 2>&1; then
    echo "$name FAILED; see build/fuzz/$name.log"
    tail -30 "build/fuzz/$name.log"
    status=1
  else
    grep -E 'stat::number_of_executed_units' "build/fuzz/$name.log" | sed "s/^/   /"
  fi
done
exit $status
