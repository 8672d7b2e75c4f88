#!/usr/bin/env bash
# Builds the fuzz targets (fuzz/*.cpp) and runs them all at once for the
# given number of seconds (default 60). What each run learns is kept in
# build/fuzz/corpus, so later runs start from there. An input that crashes
# a target or breaks one of its checks is saved in build/fuzz/findings and
# fails the run; build/fuzz/fuzz_<target> <input> replays it.
set -euo pipefail
cd "$(dirname "$0")/.."

seconds=${1:-60}
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz
mkdir -p build/fuzz/findings

names=()
pids=()
for source in fuzz/*.cpp; do
  name=$(basename "$source" .cpp)
  mkdir -p "build/fuzz/corpus/$name"
  build/fuzz/"fuzz_$name" -max_total_time="$seconds" -timeout=10 -print_final_stats=1 \
    -artifact_prefix="build/fuzz/findings/$name-" "build/fuzz/corpus/$name" \
    >"build/fuzz/$name.log" 2>&1 &
  names+=("$name")
  pids+=("$!")
done

status=0
for i in "${!names[@]}"; do
  name=${names[$i]}
  if wait "${pids[$i]}"; then
    runs=$(sed -nE 's/^stat::number_of_executed_units: *([0-9]+)/\1/p' "build/fuzz/$name.log")
    echo "fuzz $name: ${runs:-0} inputs, no finding"
  else
    echo "fuzz $name: FAILED (build/fuzz/$name.log)"
    grep -E "Broken promise|ERROR|SUMMARY|Test unit written" "build/fuzz/$name.log" || true
    status=1
  fi
done
exit "$status"
