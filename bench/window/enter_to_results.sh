#!/usr/bin/env bash
# Times a full-text search in the viewer window from the reader's Enter to
# the result page shown, beside a bare page load and the command line's
# search, on Debian's postgresql-doc-15 manual. The viewer runs on a virtual
# display with openbox and is driven by xdotool; "shown" is the moment the
# main window's caption names the new document (polled every few ms).
#   RUNS=5 BUILD_DIR=build bench/window/enter_to_results.sh
set -euo pipefail

ROOT=$(cd "$(dirname "$0")/../.." && pwd)
BUILD=${BUILD_DIR:-$ROOT/build}
WORK=${WORK_DIR:-/tmp/folverin-bench-window}
RUNS=${RUNS:-5}
MANUAL=/usr/share/doc/postgresql-doc-15/html
QUERY=${QUERY:-select AND table}
DISPLAY_NUMBER=${DISPLAY_NUMBER:-:57}

[ -d "$MANUAL" ] || { echo "postgresql-doc-15 fehlt" >&2; exit 1; }
for tool in Xvfb openbox xdotool; do
  command -v "$tool" >/dev/null || { echo "$tool fehlt" >&2; exit 1; }
done

rm -rf "$WORK"
mkdir -p "$WORK/xdg"
cp -r "$MANUAL" "$WORK/collection"
printf '[Global]\r\nTitle=PG\r\nDocument=index.html\r\n[SearchEngine]\r\nShowPerformance=1\r\n' \
  > "$WORK/collection/folverin.ini"

Xvfb "$DISPLAY_NUMBER" -screen 0 1280x1024x24 >/dev/null 2>&1 &
xvfb=$!
sleep 1
DISPLAY=$DISPLAY_NUMBER openbox >/dev/null 2>&1 &
manager=$!
trap 'kill $viewer $manager $xvfb 2>/dev/null || true' EXIT
sleep 1
export DISPLAY=$DISPLAY_NUMBER XDG_RUNTIME_DIR=$WORK/xdg TMPDIR=$WORK/xdg
export QTWEBENGINE_DISABLE_SANDBOX=1 QTWEBENGINE_CHROMIUM_FLAGS=--disable-gpu
"$BUILD/src/folverin" --collection "$WORK/collection" >"$WORK/viewer.log" 2>&1 &
viewer=$!
sleep 8
window=$(xdotool search --pid "$viewer" --name "PG" | head -1)

now_ms() { date +%s%3N; }
# Types an address, presses Enter and waits until the caption ends in
# "[$2]"; prints the milliseconds from Enter ("-" after ten seconds).
enter_and_wait() {
  xdotool key --window "$window" ctrl+l
  sleep 0.3
  xdotool type --delay 1 "$1"
  sleep 0.2
  local start
  start=$(now_ms)
  xdotool key Return
  until xdotool getwindowname "$window" | grep -qF "[$2]"; do
    if (($(now_ms) - start > 10000)); then echo "-"; return; fi
    sleep 0.003
  done
  echo $(($(now_ms) - start))
}

page_ms=() result_load_ms=() search_ms=() line_ms=() cli_ms=()
for ((run = 0; run < RUNS; run++)); do
  page_ms+=("$(enter_and_wait "$WORK/collection/sql-select.html" "SELECT")")
  sleep 1
  search_ms+=("$(enter_and_wait "search-internal:?q=$QUERY" "Suchergebnisse")")
  line_ms+=("$(LC_ALL=C grep -ah "ms f" "$WORK"/xdg/folverin*/*.HTM 2>/dev/null | LC_ALL=C grep -o '[0-9]* ms' | tail -1 | cut -d' ' -f1)")
  # The result page itself, loaded as a page: what the search adds beyond
  # its own work is this load.
  result_page=$(ls "$WORK"/xdg/folverin*/*.HTM | head -1)
  cp "$result_page" "$WORK/result-copy.htm"
  enter_and_wait "$WORK/collection/sql-select.html" "SELECT" >/dev/null
  sleep 1
  result_load_ms+=("$(enter_and_wait "$WORK/result-copy.htm" "Suchergebnisse")")
  cli_ms+=("$("$BUILD/src/folverin-cli" search "$WORK/collection" "$QUERY" --page - |
    LC_ALL=C grep -a "ms f" | LC_ALL=C grep -o '[0-9]* ms' | tail -1 | cut -d' ' -f1)")
  sleep 1
done

echo "bare page load (sql-select.html), ms:  ${page_ms[*]}"
echo "result page loaded as a page, ms:      ${result_load_ms[*]}"
echo "Enter to result page shown, ms:        ${search_ms[*]}"
echo "performance line, window, ms:          ${line_ms[*]}"
echo "performance line, folverin-cli, ms:    ${cli_ms[*]}"
