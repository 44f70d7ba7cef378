#!/usr/bin/env bash
# Times `folverin-cli search` against `rg -l -i -j1` on a real collection:
# the HTML manual of Debian's postgresql-doc-15, copied into a collection
# folder. Prints the times side by side and the ratios folverin / ripgrep.
#   RUNS=30 WORK_DIR=/tmp/folverin-bench-search BUILD_DIR=build-bench bench/search/run.sh
set -euo pipefail

ROOT=$(cd "$(dirname "$0")/../.." && pwd)
BUILD=${BUILD_DIR:-$ROOT/build-bench}
WORK=${WORK_DIR:-/tmp/folverin-bench-search}
RUNS=${RUNS:-30}
MANUAL=/usr/share/doc/postgresql-doc-15/html

missing=()
command -v rg >/dev/null || missing+=(ripgrep)
command -v hyperfine >/dev/null || missing+=(hyperfine)
[ -d "$MANUAL" ] || missing+=(postgresql-doc-15)
if ((${#missing[@]})); then
  apt-get update -qq
  DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "${missing[@]}" >/dev/null
fi

cmake -S "$ROOT" -B "$BUILD" -DCMAKE_BUILD_TYPE=Release -DFOLVERIN_BUILD_UI=OFF \
  -DFOLVERIN_BUILD_TESTS=OFF >/dev/null
cmake --build "$BUILD" --target folverin-cli -j "$(nproc)" >/dev/null
CLI=$BUILD/src/folverin-cli

rm -rf "$WORK"
mkdir -p "$WORK"
cp -r "$MANUAL" "$WORK/collection"
COLLECTION=$WORK/collection

COMMON=table
RARE=ltree
QUERY="table AND (index OR trigger) AND NOT deprecated OR ltree"

echo "collection: $(find "$COLLECTION" -type f | wc -l) files, $(du -sh "$COLLECTION" | cut -f1)"
echo "hits: folverin '$COMMON' $("$CLI" search "$COLLECTION" "$COMMON" | wc -l)," \
  "rg '$COMMON' $(rg -l -i -j1 "$COMMON" "$COLLECTION" | wc -l);" \
  "folverin '$RARE' $("$CLI" search "$COLLECTION" "$RARE" | wc -l)," \
  "rg '$RARE' $(rg -l -i -j1 "$RARE" "$COLLECTION" | wc -l);" \
  "folverin five terms $("$CLI" search "$COLLECTION" "$QUERY" | wc -l)"

# All commands in one run, so that they share the machine's load.
hyperfine -N --warmup 3 --runs "$RUNS" --style basic --export-json "$WORK/times.json" \
  -n "folverin $COMMON" "$CLI search $COLLECTION $COMMON" \
  -n "rg $COMMON" "rg -l -i -j1 $COMMON $COLLECTION" \
  -n "folverin $RARE" "$CLI search $COLLECTION $RARE" \
  -n "rg $RARE" "rg -l -i -j1 $RARE $COLLECTION" \
  -n "folverin five terms" "$CLI search $COLLECTION '$QUERY'" >/dev/null 2>"$WORK/hyperfine.log"

python3 - "$WORK/times.json" "$COMMON" "$RARE" <<'PY'
import json, sys
results = {r["command"]: r for r in json.load(open(sys.argv[1]))["results"]}
common, rare = sys.argv[2], sys.argv[3]
def wall(name): return results[name]["mean"] * 1000
def cpu(name): return (results[name]["user"] + results[name]["system"]) * 1000
print(f"{'search':<28}{'folverin ms':>12}{'rg ms':>10}{'ratio':>8}{'cpu ratio':>11}")
for label, ours, theirs, goal in [
        (f"one common word ({common})", f"folverin {common}", f"rg {common}", 1.5),
        (f"one rare word ({rare})", f"folverin {rare}", f"rg {rare}", 1.5),
        ("five terms vs rg one word", "folverin five terms", f"rg {common}", 2.0)]:
    ratio = wall(ours) / wall(theirs)
    print(f"{label:<28}{wall(ours):>12.1f}{wall(theirs):>10.1f}{ratio:>8.2f}"
          f"{cpu(ours) / cpu(theirs):>11.2f}   goal <= {goal}")
PY
