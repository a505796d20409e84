#!/usr/bin/env bash
# Runs every fuzz target for SECONDS seconds each (default 10), JOBS at a time
# (default 1, at most 2), starting from its seed corpus in fuzz/corpus/NAME
# (a NAME_roundtrip target also starts from NAME's seeds) and with
# fuzz/NAME.dict when there is one. Prints each target's executions; fails
# when a target finds a crash.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-10}
jobs=${2:-1}
[ "$jobs" -ge 1 ] && [ "$jobs" -le 2 ] || { echo "JOBS must be 1 or 2" >&2; exit 2; }
work=build/fuzz/corpus
mkdir -p build/fuzz/artifacts

# Runs one target; its log is build/fuzz/NAME.log.
run_one() {
  local target=$1 name seeds=() dict=()
  name=$(basename "$target")
  mkdir -p "$work/$name"
  for dir in "fuzz/corpus/$name" "fuzz/corpus/${name%_roundtrip}"; do
    [ -d "$dir" ] && seeds+=("$dir")
  done
  [ -f "fuzz/$name.dict" ] && dict=(-dict="fuzz/$name.dict")
  "$target" -max_total_time="$seconds" -print_final_stats=1 "${dict[@]}" \
    -artifact_prefix="build/fuzz/artifacts/$name-" "$work/$name" "${seeds[@]}" \
    > "build/fuzz/$name.log" 2>&1
}

# Prints a finished target's figures, or its failure.
report() {
  local name=$1 status=$2 log="build/fuzz/$1.log"
  if [ "$status" -ne 0 ]; then
    echo "$name FAILED; see $log"
    tail -30 "$log"
    return 1
  fi
  local runs per_second
  runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")
  per_second=$(grep -o 'exec/s: [0-9]*' "$log" | tail -1 | cut -d' ' -f2)
  echo "== $name: $runs inputs in $seconds s ($per_second a second)"
}

targets=()
for target in build/fuzz/bin/fuzz_*; do
  [ -x "$target" ] && targets+=("$target")
done

status=0
for ((i = 0; i < ${#targets[@]}; i += jobs)); do
  batch=("${targets[@]:i:jobs}")
  pids=()
  for target in "${batch[@]}"; do
    run_one "$target" &
    pids+=($!)
  done
  for k in "${!batch[@]}"; do
    result=0
    wait "${pids[$k]}" || result=$?
    report "$(basename "${batch[$k]}")" "$result" || status=1
  done
done
exit $status
