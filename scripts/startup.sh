#!/usr/bin/env bash
# Measures how long the program takes from process start until its start-up
# window is shown, and its peak memory, under a virtual X server; and the same
# for a bare Qt window (bench/bare_window.cpp) for comparison.
#
#   scripts/startup.sh [runs]        (default 10 runs of each)
#
# Needs the default build (cmake --preset default && cmake --build
# build/default) and the packages xvfb, x11-utils, xdotool and time
# (scripts/setup.sh).
# One virtual X server serves all runs; every run starts with an empty HOME,
# and each program is ended, by its process id, once its window has been
# shown for a moment (so that the first paint counts in its peak memory).
set -euo pipefail
cd "$(dirname "$0")/.."

runs="${1:-10}"
build="${BUILD_DIR:-build/default}"
program="$build/korvelle"
bare="$build/bare_window"
for file in "$program" "$bare"; do
  if [ ! -x "$file" ]; then
    echo "$file is missing: build it first (cmake --preset default && cmake --build build/default)" >&2
    exit 1
  fi
done
for tool in Xvfb xdotool xev stdbuf /usr/bin/time; do
  command -v "$tool" >/dev/null || { echo "$tool is missing: run scripts/setup.sh" >&2; exit 1; }
done

work="$(mktemp -d)"
xvfb_pid=""
cleanup() {
  if [ -n "$xvfb_pid" ]; then kill "$xvfb_pid" 2>/dev/null || true; wait "$xvfb_pid" 2>/dev/null || true; fi
  rm -rf "$work"
}
trap cleanup EXIT

# A display that no other X server holds, here or (through an abstract
# socket, which clients try first) in another sandbox on the same network.
display_taken() {
  [ -e "/tmp/.X$1-lock" ] || [ -e "/tmp/.X11-unix/X$1" ] || grep -q "@/tmp/.X11-unix/X$1\$" /proc/net/unix
}
display=97
for _ in $(seq 20); do
  while display_taken "$display"; do display=$((display + 1)); done
  # Xvfb writes the display number once it accepts connections.
  # -noreset: the server must not reset whenever its last client leaves, as
  # it would between two runs, refusing the next program now and then.
  Xvfb ":$display" -displayfd 1 -noreset -screen 0 1280x1024x24 -nolisten tcp >"$work/display" 2>"$work/xvfb.log" &
  xvfb_pid=$!
  for _ in $(seq 200); do
    [ -s "$work/display" ] && break
    kill -0 "$xvfb_pid" 2>/dev/null || break
    sleep 0.05
  done
  if [ -s "$work/display" ] && ! grep -q "already running\|already active" "$work/xvfb.log"; then break; fi
  kill "$xvfb_pid" 2>/dev/null || true
  wait "$xvfb_pid" 2>/dev/null || true
  xvfb_pid=""
  display=$((display + 1))
done
[ -n "$xvfb_pid" ] || { echo "Xvfb did not start:" >&2; cat "$work/xvfb.log" >&2; exit 1; }
export DISPLAY=":$display"
unset QT_QPA_PLATFORM XDG_CONFIG_HOME XDG_CACHE_HOME XDG_DATA_HOME

now_ns() { date +%s%N; }

# One run: prints "<milliseconds until the window is shown> <peak RSS in kB>
# <CPU milliseconds, user and system>".  The CPU time, in hundredths of a
# second, covers start-up, the first paint and the idle moment after it; it
# hardly depends on what else the machine is doing, unlike the elapsed time.
#
# The moment the window is shown is when the X server reports it mapped: xev
# watches the root window's children and reports each map as it happens, so
# nothing polls (xdotool search --sync looks only every half second, and
# looking more often with xdotool would take the CPU the program needs).
measure() {
  local binary="$1" title="$2" home pid child start shown="" peak cpu events watcher line window
  home="$(mktemp -d "$work/home.XXXXXX")"
  mkdir -m 700 "$home/runtime"
  exec {events}< <(exec stdbuf -oL xev -root -event substructure 2>/dev/null)
  watcher=$!
  sleep 0.2  # until xev has asked for the events
  start="$(now_ns)"
  HOME="$home" XDG_RUNTIME_DIR="$home/runtime" \
    /usr/bin/time -v -o "$home/time.txt" "$binary" >"$home/output.txt" 2>&1 &
  pid=$!
  while IFS= read -r -t 30 line <&"$events"; do
    [[ "$line" == MapNotify* ]] || continue
    shown="$(now_ns)"
    IFS= read -r -t 5 line <&"$events" || break
    window="$(sed -n 's/.* window \(0x[0-9a-f]*\), override NO.*/\1/p' <<<"$line")"
    if [ -n "$window" ] && [[ "$(xdotool getwindowname "$window" 2>/dev/null)" =~ $title ]]; then break; fi
    shown=""
  done
  kill "$watcher" 2>/dev/null || true
  exec {events}<&-
  if [ -z "$shown" ]; then
    echo "$binary did not show its window on display :$display:" >&2
    cat "$home/output.txt" "$work/xvfb.log" >&2
    exit 1
  fi
  sleep 0.3
  child="$(ps -o pid= --ppid "$pid" | tr -d ' ')"
  [ -n "$child" ] && kill "$child"
  wait "$pid" 2>/dev/null || true
  peak="$(awk -F': ' '/Maximum resident set size/ {print $2}' "$home/time.txt")"
  cpu="$(awk -F': ' '/User time|System time/ {sum += $2} END {printf "%d", sum * 1000 + 0.5}' "$home/time.txt")"
  echo "$(( (shown - start) / 1000000 )) $peak $cpu"
}

# Median (the mean of the middle two for an even count) and largest of a
# column of numbers.
summary() {
  sort -n | awk '{v[NR] = $1} END {
    m = (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2
    printf "%s %s\n", m, v[NR] }'
}

report() {
  local name="$1" binary="$2" title="$3" results="$work/$1.txt"
  local time_median time_worst peak_median peak_worst cpu_median cpu_worst
  : >"$results"
  for _ in $(seq "$runs"); do measure "$binary" "$title" >>"$results"; done
  read -r time_median time_worst < <(cut -d' ' -f1 "$results" | summary)
  read -r peak_median peak_worst < <(cut -d' ' -f2 "$results" | summary)
  read -r cpu_median cpu_worst < <(cut -d' ' -f3 "$results" | summary)
  printf '%-16s %6s ms %6s ms   %6.1f MB %6.1f MB   %5s ms %5s ms\n' "$name" "$time_median" "$time_worst" \
    "$(awk -v k="$peak_median" 'BEGIN {print k / 1024}')" "$(awk -v k="$peak_worst" 'BEGIN {print k / 1024}')" \
    "$cpu_median" "$cpu_worst"
  echo "  window shown after (ms): $(cut -d' ' -f1 "$results" | paste -sd' ')"
  echo "  peak memory (MB): $(cut -d' ' -f2 "$results" | awk '{printf "%.1f ", $1 / 1024}')"
  echo "  CPU time (ms): $(cut -d' ' -f3 "$results" | paste -sd' ')"
}

echo "$runs runs each on $(nproc) cores, load average $(cut -d' ' -f1-3 /proc/loadavg)"
printf '%-16s %9s %9s   %9s %9s   %8s %8s\n' "" "shown" "worst" "peak RSS" "worst" "CPU" "worst"
printf '%-16s %9s %9s   %9s %9s   %8s %8s\n' "" "median" "" "median" "" "median" ""
report "bare Qt window" "$bare" "^Bare Qt window\$"
# Qt adds the application's display name to the titles it hands the X server.
report "korvelle" "$program" "^Flexible Pavement Design\$"
