#!/usr/bin/env bash
# The fuzz targets (fuzz/*_fuzzer.cpp), in two modes.
#
#   scripts/fuzz.sh [seconds per target]     (or KORVELLE_FUZZ_SECONDS; default 20)
#
# The test run: builds the targets under AddressSanitizer and
# UndefinedBehaviorSanitizer (preset "fuzz"), replays every file of the
# committed corpus fuzz/corpus/<target>/ through its target, then runs every
# target for the time given, two at a time (KORVELLE_FUZZ_JOBS at a time when
# set), each on a copy of its corpus in build/fuzz/runs/<target>, where its
# log and any failing input are kept.  The repository is left unchanged.
#
#   scripts/fuzz.sh --campaign MINUTES [target...]   (default: every target)
#
# A campaign: each target in turn (one process at a time) runs for MINUTES,
# five sixths of them without sanitizers (preset "fuzz-fast", several times
# faster) and the rest under the sanitizers (KORVELLE_SANITIZED_PERCENT of the
# time instead when set), both on one working corpus in
# build/fuzz-campaign/<target>.  What they found is merged with the committed
# corpus into a minimized corpus that replaces fuzz/corpus/<target>/: the
# hand-made seeds (every file whose name is not a hash) are always kept, found
# inputs only where they reach code the others do not.  Each campaign's runs
# are added to fuzz/campaigns.tsv, and the script prints the runs a second
# and in total.
#
# With 0 minutes, only the committed corpus is minimized again.
#
#   scripts/fuzz.sh --totals
#
# The runs of every target added up over all campaigns, as a Markdown table.
#
# Exits non-zero when a target finds a crash, a sanitizer error or a broken
# property.
set -euo pipefail
cd "$(dirname "$0")/.."

ledger=fuzz/campaigns.tsv
most_files=400  # a corpus larger than this is minimized by edges alone

all_targets() {
  for source in fuzz/*_fuzzer.cpp; do basename "$source" .cpp; done
}

# The value of a libFuzzer final statistic in a log ("stat::NAME: VALUE").
final_stat() {
  sed -n "s/^stat::$2: *\([0-9]*\)$/\1/p" "$1" | tail -n 1
}

failure_line() {
  grep -m 1 -E "property broken|ERROR: (AddressSanitizer|libFuzzer)|runtime error|SUMMARY" "$1" || true
}

# 1234567 as 1,234,567.
grouped() {
  sed ':a;s/\B[0-9]\{3\}\>/,&/;ta' <<<"$1"
}

totals() {
  echo "| Target | Executions | Corpus files |"
  echo "|---|---:|---:|"
  for target in $(all_targets); do
    local runs=0
    if [ -f "$ledger" ]; then
      runs=$(awk -F'\t' -v t="$target" '$2 == t { sum += $4 + $5 } END { printf "%d", sum }' "$ledger")
    fi
    local files=0
    [ -d "fuzz/corpus/$target" ] && files=$(find "fuzz/corpus/$target" -type f | wc -l)
    printf '| `%s` | %s | %s |\n' "$target" "$(grouped "$runs")" "$files"
  done
}

# Every committed corpus file through its sanitized target, once.
replay() {
  local target=$1 dir="$runs/$1" status=0 start files
  files=$(find "fuzz/corpus/$target" -type f 2>/dev/null | wc -l)
  [ "$files" -gt 0 ] || return 0
  start=$(date +%s%N)
  find "fuzz/corpus/$target" -type f -print0 |
    xargs -0 "build/fuzz/fuzz/$target" -timeout=20 >"$dir/replay.log" 2>&1 || status=$?
  if [ "$status" -ne 0 ]; then
    echo "$target: corpus replay FAILED (log: $dir/replay.log)"
    failure_line "$dir/replay.log"
    return 1
  fi
  echo "$target: $files corpus files replayed in $((($(date +%s%N) - start) / 1000000)) ms, clean"
}

run() {
  local target=$1 dir="$PWD/$runs/$1"
  if [ -d "fuzz/corpus/$target" ]; then cp -R "fuzz/corpus/$target/." "$dir/corpus/"; fi
  "build/fuzz/fuzz/$target" -max_total_time="$seconds" -timeout=20 -print_final_stats=1 \
    -artifact_prefix="$dir/artifacts/" "$dir/corpus" >"$dir/log" 2>&1
}

report() {
  local target=$1 status=$2 dir="$runs/$1" runs_done
  runs_done=$(final_stat "$dir/log" number_of_executed_units)
  if [ "$status" -eq 0 ]; then
    echo "$target: ${runs_done:-?} runs in ${seconds} s, clean"
  else
    echo "$target: FAILED after ${runs_done:-?} runs (log: $dir/log, input: $(ls "$dir/artifacts" | head -n 1))"
    failure_line "$dir/log"
  fi
}

test_run() {
  seconds="${1:-${KORVELLE_FUZZ_SECONDS:-20}}"
  cmake --preset fuzz >/dev/null
  cmake --build --preset fuzz
  runs=build/fuzz/runs
  rm -rf "$runs"
  mapfile -t targets < <(all_targets)
  failed=0
  for target in "${targets[@]}"; do
    mkdir -p "$runs/$target/corpus" "$runs/$target/artifacts"
    replay "$target" || failed=1
  done
  local jobs="${KORVELLE_FUZZ_JOBS:-2}"
  for ((i = 0; i < ${#targets[@]}; i += jobs)); do
    pids=()
    batch=("${targets[@]:i:jobs}")
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
}

# One stage of a campaign: a build's target on the working corpus.  Prints
# "runs per-second" and leaves the log; returns the target's status.
campaign_stage() {
  local preset=$1 target=$2 seconds=$3 dir=$4 status=0
  nice -n 10 "build/$preset/fuzz/$target" -max_total_time="$seconds" -timeout=20 -print_final_stats=1 \
    -artifact_prefix="$dir/artifacts/" "$dir/corpus" >"$dir/$preset.log" 2>&1 || status=$?
  return "$status"
}

campaign() {
  local minutes=$1
  shift
  local targets=("$@")
  [ ${#targets[@]} -gt 0 ] || mapfile -t targets < <(all_targets)
  for preset in fuzz-fast fuzz; do
    nice -n 10 cmake --preset "$preset" >/dev/null
    nice -n 10 cmake --build --preset "$preset"
  done
  local total=$((minutes * 60)) failed=0
  local fast=$((total * 5 / 6))
  if [ -n "${KORVELLE_SANITIZED_PERCENT:-}" ]; then
    [[ $KORVELLE_SANITIZED_PERCENT =~ ^[0-9]+$ ]] && [ "$KORVELLE_SANITIZED_PERCENT" -le 100 ] ||
      { echo "KORVELLE_SANITIZED_PERCENT: a whole number from 0 to 100" >&2; exit 2; }
    fast=$((total - total * KORVELLE_SANITIZED_PERCENT / 100))
  fi
  local sanitized=$((total - fast))
  for target in "${targets[@]}"; do
    # Absolute: a target may change its working folder while it runs.
    local dir=$PWD/build/fuzz-campaign/$target committed=fuzz/corpus/$target
    rm -rf "$dir"
    mkdir -p "$dir/corpus" "$dir/artifacts" "$dir/seeds" "$dir/merged" "$committed"
    cp -R "$committed/." "$dir/corpus/"
    local status=0 preset stage_failed=""
    for preset in fuzz-fast fuzz; do
      local seconds=$fast
      [ "$preset" = fuzz ] && seconds=$sanitized
      [ "$seconds" -gt 0 ] || continue  # --campaign 0: minimize the corpus alone
      campaign_stage "$preset" "$target" "$seconds" "$dir" || { status=$?; stage_failed=$preset; break; }
    done
    local fast_runs sanitized_runs fast_rate sanitized_rate
    fast_runs=0
    fast_rate=0
    if [ -f "$dir/fuzz-fast.log" ]; then
      fast_runs=$(final_stat "$dir/fuzz-fast.log" number_of_executed_units)
      fast_rate=$(final_stat "$dir/fuzz-fast.log" average_exec_per_sec)
    fi
    sanitized_runs=0
    sanitized_rate=0
    if [ -f "$dir/fuzz.log" ]; then
      sanitized_runs=$(final_stat "$dir/fuzz.log" number_of_executed_units)
      sanitized_rate=$(final_stat "$dir/fuzz.log" average_exec_per_sec)
    fi
    # The minimized corpus: the hand-made seeds, and of everything else only
    # the inputs that reach code the seeds and the inputs kept before do not.
    find "$committed" -maxdepth 1 -type f -regextype posix-extended -not -regex '.*/[0-9a-f]{40}' -exec cp {} "$dir/seeds/" \;
    cp -R "$dir/seeds/." "$dir/merged/"
    # A greedy set cover of the coverage keeps far fewer files than a plain
    # merge; counted by edges alone when hit counts still keep too many.
    nice -n 10 "build/fuzz-fast/fuzz/$target" -set_cover_merge=1 -timeout=20 "$dir/merged" "$dir/corpus" \
      >"$dir/merge.log" 2>&1
    if [ "$(find "$dir/merged" -type f | wc -l)" -gt "$most_files" ]; then
      rm -rf "$dir/merged"
      cp -R "$dir/seeds" "$dir/merged"
      nice -n 10 "build/fuzz-fast/fuzz/$target" -set_cover_merge=1 -use_counters=0 -timeout=20 "$dir/merged" \
        "$dir/corpus" >>"$dir/merge.log" 2>&1
    fi
    rm -rf "$committed"
    cp -R "$dir/merged" "$committed"
    local files
    files=$(find "$committed" -type f | wc -l)
    if [ "$minutes" -gt 0 ]; then
      printf '%s\t%s\t%s\t%s\t%s\t%s\n' "$(date -u +%Y-%m-%dT%H:%MZ)" "$target" "$minutes" \
        "${fast_runs:-0}" "${sanitized_runs:-0}" "$files" >>"$ledger"
    fi
    echo "$target: ${fast_runs:-0} runs without sanitizers (${fast_rate:-0}/s), ${sanitized_runs:-0} with" \
      "(${sanitized_rate:-0}/s); corpus $files files"
    if [ "$status" -ne 0 ]; then
      failed=1
      echo "$target: FAILED in the $stage_failed stage (log: $dir/$stage_failed.log," \
        "input: $dir/artifacts/$(ls "$dir/artifacts" | head -n 1))"
      failure_line "$dir/$stage_failed.log"
    fi
  done
  echo
  totals
  exit "$failed"
}

case "${1:-}" in
  --campaign)
    [ $# -ge 2 ] && [[ $2 =~ ^[0-9]+$ ]] || { echo "usage: $0 --campaign MINUTES [target...]" >&2; exit 2; }
    campaign "${@:2}"
    ;;
  --totals) totals ;;
  *) test_run "$@" ;;
esac
