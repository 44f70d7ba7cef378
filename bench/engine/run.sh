#!/usr/bin/env bash
# Text extraction speed of the HTML engine against lxml on a real
# collection: every .html file of Debian's postgresql-doc-15 manual, each
# tool in ONE process for the whole collection. folverin-cli text loads
# every file through the document view exactly as the index builder does
# (load, title, caret to 0, select all, selected text); lxml parses every
# file and takes the root's text_content(). Runs alternate between the two
# tools so that they share the machine's load; the best run of each counts.
# Prints documents per second, MB per second and peak memory (/usr/bin/time).
#   RUNS=5 BUILD_DIR=build-bench-engine bench/engine/run.sh
set -euo pipefail

ROOT=$(cd "$(dirname "$0")/../.." && pwd)
BUILD=${BUILD_DIR:-$ROOT/build-bench-engine}
RUNS=${RUNS:-5}
# Debian's interpreter, where apt-get puts lxml (a pyenv python3 may come first).
PYTHON=${PYTHON:-/usr/bin/python3}
MANUAL=${MANUAL:-/usr/share/doc/postgresql-doc-15/html}
WORK=$(mktemp -d /tmp/folverin-bench-engine-XXXXXX)
trap 'rm -rf "$WORK"' EXIT

if ! "$PYTHON" -c 'import lxml.html' 2>/dev/null; then
  echo "python3-lxml is missing: apt-get install -y python3-lxml" >&2
  exit 1
fi
if [ ! -d "$MANUAL" ]; then
  echo "$MANUAL is missing: apt-get install -y postgresql-doc-15" >&2
  exit 1
fi
if [ ! -x /usr/bin/time ]; then
  echo "/usr/bin/time is missing: apt-get install -y time" >&2
  exit 1
fi

cmake -S "$ROOT" -B "$BUILD" -DCMAKE_BUILD_TYPE=Release -DFOLVERIN_BUILD_UI=OFF \
  -DFOLVERIN_BUILD_TESTS=OFF >/dev/null
cmake --build "$BUILD" --target folverin-cli -j 2 >/dev/null
CLI=$BUILD/src/folverin-cli

find "$MANUAL" -name '*.html' -type f | LC_ALL=C sort >"$WORK/files"
FILES=$(wc -l <"$WORK/files")
BYTES=$(xargs -d '\n' cat <"$WORK/files" | wc -c)

cat >"$WORK/lxml_text.py" <<'PY'
import sys
import lxml.html
total = 0
for name in open(sys.argv[1], encoding="utf-8").read().splitlines():
    total += len(lxml.html.parse(name).getroot().text_content())
print(total)
PY

run_folverin() {
  xargs -d '\n' /usr/bin/time -v -o "$WORK/time.$1" "$CLI" text <"$WORK/files" >/dev/null
}
run_lxml() {
  /usr/bin/time -v -o "$WORK/time.$1" "$PYTHON" "$WORK/lxml_text.py" "$WORK/files" >/dev/null
}

# One warm-up each (page cache), then alternating measured runs.
run_folverin warm
run_lxml warm
for i in $(seq "$RUNS"); do
  run_folverin "folverin.$i"
  run_lxml "lxml.$i"
done

python3 - "$WORK" "$RUNS" "$FILES" "$BYTES" <<'PY'
import re, sys
work, runs, files, size = sys.argv[1], int(sys.argv[2]), int(sys.argv[3]), int(sys.argv[4])

def measure(tool, run):
    text = open(f"{work}/time.{tool}.{run}").read()
    clock = re.search(r"Elapsed \(wall clock\) time \(h:mm:ss or m:ss\): (\S+)", text).group(1)
    seconds = 0.0
    for part in clock.split(":"):
        seconds = seconds * 60 + float(part)
    cpu = sum(float(re.search(rf"{k} time \(seconds\): (\S+)", text).group(1))
              for k in ("User", "System"))
    peak = int(re.search(r"Maximum resident set size \(kbytes\): (\d+)", text).group(1))
    return seconds, cpu, peak / 1024

best = {}
for tool in ("folverin", "lxml"):
    results = [measure(tool, i) for i in range(1, runs + 1)]
    best[tool] = (min(r[0] for r in results), min(r[1] for r in results),
                  max(r[2] for r in results))

mb = size / 1e6
print(f"collection: {files} files, {mb:.1f} MB; best of {runs} runs each")
print(f"{'tool':<10}{'wall s':>8}{'cpu s':>8}{'docs/s':>9}{'MB/s':>8}{'peak MB':>9}")
for tool, (wall, cpu, peak) in best.items():
    print(f"{tool:<10}{wall:>8.2f}{cpu:>8.2f}{files / wall:>9.0f}{mb / wall:>8.1f}{peak:>9.1f}")
ratio = best["lxml"][0] / best["folverin"][0]
cpu_ratio = best["lxml"][1] / best["folverin"][1]
print(f"speed folverin / lxml: {ratio:.2f} (cpu {cpu_ratio:.2f})   goal >= 1.0,"
      f" folverin peak memory goal < 200 MB")
PY
