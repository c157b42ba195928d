#!/usr/bin/env bash
# Builds the fuzz targets (preset "fuzz", clang with libFuzzer, AddressSanitizer
# and UndefinedBehaviorSanitizer) and runs every target for a fixed time, two at
# a time, each on a copy of its seed corpus in build/fuzz/runs/<target>, where
# its log and any crashing input are kept.  The repository is left unchanged.
#
#   scripts/fuzz.sh [seconds per target]     (or KORVELLE_FUZZ_SECONDS; default 20)
#
# Exits non-zero when a target finds a crash or a broken property.
set -euo pipefail
cd "$(dirname "$0")/.."

seconds="${1:-${KORVELLE_FUZZ_SECONDS:-20}}"

cmake --preset fuzz >/dev/null
cmake --build --preset fuzz

runs=build/fuzz/runs
rm -rf "$runs"
targets=()
for source in fuzz/*_fuzzer.cpp; do
  targets+=("$(basename "$source" .cpp)")
done

run() {
  local target=$1 dir="$runs/$1"
  mkdir -p "$dir/corpus" "$dir/artifacts"
  if [ -d "fuzz/corpus/$target" ]; then cp -R "fuzz/corpus/$target/." "$dir/corpus/"; fi
  "build/fuzz/fuzz/$target" -max_total_time="$seconds" -timeout=20 -print_final_stats=1 \
    -artifact_prefix="$dir/artifacts/" "$dir/corpus" >"$dir/log" 2>&1
}

report() {
  local target=$1 status=$2 dir="$runs/$1" runs_done
  runs_done=$(sed -n 's/^Done \([0-9]*\) runs in .*/\1/p' "$dir/log" | tail -n 1)
  if [ "$status" -eq 0 ]; then
    echo "$target: ${runs_done:-?} runs in ${seconds} s, clean"
  else
    echo "$target: FAILED after ${runs_done:-?} runs (log: $dir/log, input: $(ls "$dir/artifacts" | head -n 1))"
    grep -m 1 -E "property broken|ERROR: (AddressSanitizer|libFuzzer)|runtime error" "$dir/log" || true
  fi
}

failed=0
for ((i = 0; i < ${#targets[@]}; i += 2)); do
  pids=()
  batch=("${targets[@]:i:2}")
  for target in "${batch[@]}"; do
    run "$target" &
    pids+=($!)
  done
  for j in "${!batch[@]}"; do
    status=0
    wait "${pids[$j]}" || status=$?
    report "${batch[$j]}" "$status"
    [ "$status" -eq 0 ] || failed=1
  done
done
exit "$failed"
