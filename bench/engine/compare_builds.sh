#!/usr/bin/env bash
# Text extraction speed of two builds of folverin-cli side by side: every
# .html file of Debian's postgresql-doc-15 manual through `folverin-cli text`
# in one process, the two programs alternating so that they share the
# machine's load; the best run of each counts. For changes that must not
# cost speed (a rehouse, a refactoring): build the reference from the commit
# before, e.g.
#   git worktree add /tmp/ref <commit>
#   cmake -S /tmp/ref -B /tmp/ref-build -DCMAKE_BUILD_TYPE=Release \
#     -DFOLVERIN_BUILD_UI=OFF -DFOLVERIN_BUILD_TESTS=OFF && cmake --build /tmp/ref-build
#   RUNS=9 bench/engine/compare_builds.sh /tmp/ref-build/src/folverin-cli build-release/src/folverin-cli
set -euo pipefail

REFERENCE=$1
CANDIDATE=$2
RUNS=${RUNS:-7}
MANUAL=${MANUAL:-/usr/share/doc/postgresql-doc-15/html}
WORK=$(mktemp -d /tmp/folverin-bench-builds-XXXXXX)
trap 'rm -rf "$WORK"' EXIT

if [ ! -d "$MANUAL" ]; then
  echo "$MANUAL is missing: apt-get install -y postgresql-doc-15" >&2
  exit 1
fi
find "$MANUAL" -name '*.html' -type f | LC_ALL=C sort >"$WORK/files"

# Both must read the collection alike before their speed means anything.
xargs -d '\n' "$REFERENCE" text <"$WORK/files" >"$WORK/reference.txt"
xargs -d '\n' "$CANDIDATE" text <"$WORK/files" >"$WORK/candidate.txt"
if ! cmp -s "$WORK/reference.txt" "$WORK/candidate.txt"; then
  echo "the two builds give different text" >&2
  exit 1
fi

# CPU seconds (user + system) of one run of a program over all files.
cpu_seconds() {
  /usr/bin/time -f '%U %S' -o "$WORK/time" xargs -d '\n' "$1" text <"$WORK/files" >/dev/null
  awk '{ print $1 + $2 }' "$WORK/time"
}

best_reference=""
best_candidate=""
for i in $(seq "$RUNS"); do
  r=$(cpu_seconds "$REFERENCE")
  c=$(cpu_seconds "$CANDIDATE")
  echo "run $i: reference ${r}s, candidate ${c}s"
  best_reference=$(awk -v a="$r" -v b="$best_reference" 'BEGIN { print (b == "" || a < b) ? a : b }')
  best_candidate=$(awk -v a="$c" -v b="$best_candidate" 'BEGIN { print (b == "" || a < b) ? a : b }')
done
awk -v r="$best_reference" -v c="$best_candidate" -v n="$RUNS" 'BEGIN {
  printf "best of %d: reference %.2f s, candidate %.2f s, candidate / reference %.3f\n", n, r, c, c / r
}'
