#!/usr/bin/env bash
# The keyword index on real collections: round trip and speed.
#
# Round trip: the HTML of Debian's postgresql-doc-15 and of udo-doc-de, each
# copied into a collection folder with a folverin.ini, indexed with
# `folverin-cli index` and checked with bench/index/check_index.py (whose own
# self-test must find every kind of damage done to a copy of the index).
#
# Speed, all commands interleaved round by round so that they share the
# machine's load; each run is a whole process, wall time and peak RSS
# (rusage of the child, as /usr/bin/time -v reports it):
#   - `folverin-cli index` against `swish-e -S fs` (only .html/.htm) on one
#     copy of the postgresql manual;
#   - `folverin-cli index` on ten copies of it (ten sub-folders) against one;
#   - `folverin-cli lookup` of a frequent keyword against `grep -c -F` of it
#     on the same Link.iDB.
# Prints the medians and the ratios against the goals. Exits 1 when the
# round trip fails or a goal is missed.
#   ROUNDS=5 LOOKUPS=20 WORK_DIR=/tmp/folverin-bench-index BUILD_DIR=build-bench bench/index/run.sh
set -euo pipefail

ROOT=$(cd "$(dirname "$0")/../.." && pwd)
BUILD=${BUILD_DIR:-$ROOT/build-bench}
WORK=${WORK_DIR:-/tmp/folverin-bench-index}
ROUNDS=${ROUNDS:-5}
LOOKUPS=${LOOKUPS:-20}
JOBS=${JOBS:-$(nproc)}
# The keyword order follows the locale; a German user's, as the UI is German.
# Given to the commands only: the shell itself need not have that locale.
INDEX_LANG=${INDEX_LOCALE:-de_DE.UTF-8}
PG=/usr/share/doc/postgresql-doc-15/html
UDO=/usr/share/doc/udo-doc-de/html
PY=/usr/bin/python3  # Debian's, for python3-icu

missing=()
[ -d "$PG" ] || missing+=(postgresql-doc-15)
[ -d "$UDO" ] || missing+=(udo-doc-de)
command -v swish-e >/dev/null || missing+=(swish-e)
[ -x /usr/bin/time ] || missing+=(time)
"$PY" -c 'import icu' 2>/dev/null || missing+=(python3-icu)
if ((${#missing[@]})); then
  apt-get update -qq
  DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "${missing[@]}" >/dev/null
fi

cmake -S "$ROOT" -B "$BUILD" -DCMAKE_BUILD_TYPE=Release -DFOLVERIN_BUILD_UI=OFF \
  -DFOLVERIN_BUILD_TESTS=OFF >/dev/null
cmake --build "$BUILD" --target folverin-cli -j "$JOBS" >/dev/null
CLI=$BUILD/src/folverin-cli

# A collection folder: the HTML folder copied, with a settings file.
make_collection() {  # TARGET TITLE SOURCE [SUBFOLDERS]
  local target=$1 title=$2 source=$3 copies=${4:-0}
  rm -rf "$target"
  mkdir -p "$target"
  if ((copies == 0)); then
    cp -r "$source/." "$target/"
  else
    for i in $(seq -w 1 "$copies"); do cp -r "$source" "$target/teil$i"; done
  fi
  printf '[Global]\r\nTitle=%s\r\n\r\n[Index]\r\n' "$title" >"$target/folverin.ini"
}

rm -rf "$WORK"
mkdir -p "$WORK"
make_collection "$WORK/pg" "PostgreSQL 15" "$PG"
make_collection "$WORK/pg10" "PostgreSQL 15, zehnfach" "$PG" 10
make_collection "$WORK/udo" "UDO" "$UDO"
echo "collections: pg $(find "$WORK/pg" -name '*.htm*' | wc -l) documents," \
  "pg10 $(find "$WORK/pg10" -name '*.htm*' | wc -l), udo $(find "$WORK/udo" -name '*.htm*' | wc -l);" \
  "locale $INDEX_LANG"

# Round trip.
status=0
for c in pg udo pg10; do
  env -u LC_ALL -u LC_COLLATE LANG="$INDEX_LANG" "$CLI" index "$WORK/$c" >"$WORK/index-$c.log" 2>&1 || { echo "index $c failed"; status=1; }
  echo "== check_index $c"
  "$PY" "$ROOT/bench/index/check_index.py" --locale "${INDEX_LANG%%[.@]*}" "$WORK/$c" || status=1
done
echo "== check_index self-test (pg10)"
"$PY" "$ROOT/bench/index/check_index.py" --locale "${INDEX_LANG%%[.@]*}" --self-test "$WORK/pg10" || status=1

# swish-e over the same files, and only those.
printf 'IndexOnly .html .htm\n' >"$WORK/swish.conf"

# The most frequent of these keywords, by rows of Link.iDB.
KEYWORD=$("$PY" - "$WORK/pg/Index/Link.iDB" <<'PY'
import collections, sys
rows = collections.Counter(line.split(b"\t", 1)[0] for line in open(sys.argv[1], "rb"))
best = max((b"table", b"Table", b"TABLE"), key=lambda k: rows[k])
print(best.decode(), file=sys.stdout)
print(f"lookup keyword {best.decode()}: {rows[best]} rows of Link.iDB", file=sys.stderr)
PY
)

"$PY" - "$WORK" "$CLI" "$ROUNDS" "$LOOKUPS" "$KEYWORD" "$INDEX_LANG" <<'PY' || status=1
import os, statistics, subprocess, sys, time
work, cli, rounds, lookups, keyword = sys.argv[1], sys.argv[2], int(sys.argv[3]), int(sys.argv[4]), sys.argv[5]
os.environ.pop("LC_ALL", None); os.environ.pop("LC_COLLATE", None); os.environ["LANG"] = sys.argv[6]
pg, pg10 = f"{work}/pg", f"{work}/pg10"
commands = {
    "folverin index pg": [cli, "index", pg],
    "swish-e pg": ["swish-e", "-c", f"{work}/swish.conf", "-S", "fs", "-i", pg, "-f", f"{work}/swish.index"],
    "folverin index pg10": [cli, "index", pg10],
    "folverin lookup": [cli, "lookup", pg, keyword],
    "grep -c -F": ["grep", "-c", "-F", keyword, f"{pg}/Index/Link.iDB"],
}
times = {name: [] for name in commands}
peaks = {name: [] for name in commands}

# Wall time of the command started directly. grep exits 1 when it counts 0.
# Output goes to a real file, never to /dev/null: GNU grep notices
# /dev/null and then stops at the first match, as -q does (it read 96 KB of
# the 3.5 MB Link.iDB), which is not counting.
sink = open(f"{work}/output.txt", "wb")
def measure(name):
    sink.seek(0)
    start = time.perf_counter()
    code = subprocess.call(commands[name], stdout=sink, stderr=subprocess.DEVNULL)
    times[name].append(time.perf_counter() - start)
    if code not in (0, 1) or (code == 1 and not name.startswith("grep")):
        sys.exit(f"{name} exited {code}")

# Peak RSS through /usr/bin/time: the child's own rusage would count the
# Python process it was forked from, which is larger than grep.
def peak_rss(name):
    out = f"{work}/time.txt"
    subprocess.run(["/usr/bin/time", "-f", "%M", "-o", out] + commands[name],
                   stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    peaks[name].append(int(open(out).read().split()[-1]) / 1024)  # kB -> MB

# One run of each under /usr/bin/time, also a warm-up; the rounds; one more
# under /usr/bin/time.
for name in commands:
    peak_rss(name)
for r in range(rounds):
    for name in ("folverin index pg", "swish-e pg", "folverin index pg10"):
        measure(name)
    for _ in range(lookups):
        measure("folverin lookup")
        measure("grep -c -F")
    print(f"round {r + 1}: " + ", ".join(f"{n} {times[n][-1] * 1000:.0f} ms" for n in
          ("folverin index pg", "swish-e pg", "folverin index pg10")), flush=True)

for name in commands:
    peak_rss(name)

med = {n: statistics.median(t) * 1000 for n, t in times.items()}
peak = {n: max(p) for n, p in peaks.items()}
print(f"\n{'command':<22}{'median ms':>11}{'min ms':>9}{'max ms':>9}{'peak MB':>9}{'runs':>6}")
for n in commands:
    print(f"{n:<22}{med[n]:>11.1f}{min(times[n]) * 1000:>9.1f}{max(times[n]) * 1000:>9.1f}{peak[n]:>9.1f}{len(times[n]):>6}")
print()
ok = True
def goal(label, value, bound, unit=""):
    global ok
    met = value <= bound if unit == "" else value < bound
    ok &= met
    print(f"{label:<46}{value:>9.2f}{unit:<3} goal {'<=' if unit == '' else '<'} {bound}{unit}  {'met' if met else 'MISSED'}")
goal("index pg: folverin / swish-e", med["folverin index pg"] / med["swish-e pg"], 0.8)
goal("index pg: folverin peak", peak["folverin index pg"], 150, " MB")
goal("index pg10 / index pg", med["folverin index pg10"] / med["folverin index pg"], 11)
goal("index pg10: folverin peak", peak["folverin index pg10"], 1024, " MB")
goal(f"lookup {keyword}: folverin / grep -c -F", med["folverin lookup"] / med["grep -c -F"], 1.0)
print("all goals met" if ok else "some goals missed")
sys.exit(0 if ok else 1)
PY
exit $status
