#!/usr/bin/env bash
# The figures of korvelle-cli in docs/performance.md:
#  - `check` of 10,000 design files (copies of the two example designs, with
#    their traffic varied so that no two are alike) in a temporary folder:
#    CPU time (user + system) and elapsed time;
#  - a 1,000 x 1,000 `sweep` to CSV on two threads: elapsed and CPU time, and
#    the required SN solves per second per core, with the pass-sure search and
#    with the plain one-trial-at-a-time search (--search every-trial).
# Usage: bench/cli_figures.sh [build/default/korvelle-cli] [runs]
set -euo pipefail
cli=${1:-build/default/korvelle-cli}
runs=${2:-3}
source_dir=$(cd "$(dirname "$0")/.." && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# 10,000 designs: the final traffic of each example raised by the file's
# number, so that the stored results no longer match (check reports them);
# the files that keep the stored results are the first of each kind.
python3 - "$source_dir/data/examples" "$work/designs" <<'PY'
import json, os, sys
examples, out = sys.argv[1], sys.argv[2]
os.makedirs(out)
for name in ("full-depth", "overlay"):
    text = open(os.path.join(examples, name + ".korvelle")).read()
    design = json.loads(text)
    final = int(design["project"]["finalTraffic"])
    for i in range(5000):
        design["project"]["finalTraffic"] = str(final + i)
        with open(os.path.join(out, "%s-%04d.korvelle" % (name, i)), "w") as f:
            json.dump(design, f, indent=2)
            f.write("\n")
PY

# Prints "elapsed user system" in seconds for a command, its output dropped.
timed() {
  /usr/bin/time -f "%e %U %S" -o "$work/time" "$@" >/dev/null 2>&1 || true
  tail -1 "$work/time"
}

echo "check of 10,000 design files (elapsed, user, system in s):"
for _ in $(seq "$runs"); do timed "$cli" check "$work"/designs/*.korvelle; done
"$cli" check "$work"/designs/*.korvelle | tail -1 || true

sweep=(sweep --initial-year 2000 --final-year 2020 --initial-aadt 1000 --final-aadt 1720 --trucks 10 --ldf 100
       --esal 1.0 --soil 0.5:10.49:0.01 --rf 1:2.998:0.002 --csv --threads 2)
# Every point of this grid is a design: 1,000,000 solves.
empty=$("$cli" "${sweep[@]}" | grep -c ',,\|,$' || true)
echo "1,000 x 1,000 sweep to CSV on two threads; rows with a refused point: $empty"
for search in pass-sure every-trial; do
  echo "search $search (elapsed, user, system in s):"
  for _ in $(seq "$runs"); do
    read -r elapsed user system < <(timed "$cli" "${sweep[@]}" --search "$search")
    python3 -c "import sys; e,u,s=map(float,sys.argv[1:]); print('%.2f %.2f %.2f  %.0f solves per second per core' % (e,u,s,1e6/(u+s)))" \
      "$elapsed" "$user" "$system"
  done
done
