#!/usr/bin/env bash
# install_test.sh CMAKE BUILD_DIR SAMPLE_COLLECTION
# Installs the build into a temporary prefix and checks what is there.
set -u
cmake=$1 build=$2 sample=$3
prefix=$(mktemp -d "${TMPDIR:-/tmp}/folverin-install-XXXXXX")
trap 'rm -rf "$prefix"' EXIT
failures=0
fail() { echo "FAILED: $*" >&2; failures=$((failures + 1)); }

if ! "$cmake" --install "$build" --prefix "$prefix" >"$prefix.log" 2>&1; then
  cat "$prefix.log" >&2; rm -f "$prefix.log"
  echo "FAILED: cmake --install" >&2
  exit 1
fi
rm -f "$prefix.log"

# The programs, runnable, and bound to nothing in the build folder.
for program in folverin folverin-cli; do
  file=$prefix/bin/$program
  if [ ! -f "$file" ] || [ ! -x "$file" ]; then fail "bin/$program missing or not executable"; continue; fi
  if command -v readelf >/dev/null && readelf -d "$file" | grep -E 'R(UN)?PATH' | grep -qF "$build"; then
    fail "bin/$program looks for libraries in the build folder"
  fi
done

# The desktop entry.
desktop=$prefix/share/applications/folverin.desktop
if [ ! -f "$desktop" ]; then
  fail "share/applications/folverin.desktop missing"
else
  for line in 'Type=Application' 'Name=Folverin' 'Exec=folverin %f' 'Icon=folverin' 'Terminal=false'; do
    grep -qxF "$line" "$desktop" || fail "desktop entry lacks '$line'"
  done
  grep -qx 'Comment=.*HTML.*' "$desktop" || fail "desktop entry lacks its comment"
  categories=$(sed -n 's/^Categories=//p' "$desktop")
  for category in Documentation Viewer; do
    case ";$categories" in *";$category;"*) ;; *) fail "category $category missing: $categories" ;; esac
  done
  if command -v desktop-file-validate >/dev/null; then
    report=$(desktop-file-validate "$desktop" 2>&1) || fail "desktop-file-validate: $report"
    [ -z "$report" ] || fail "desktop-file-validate has remarks: $report"
  else
    echo "desktop-file-validate not installed: the entry is not validated"
  fi
fi

# The program icon in the hicolor theme: the SVG and a PNG of each size
# whose picture has that size.
icons=$prefix/share/icons/hicolor
grep -q '<svg' "$icons/scalable/apps/folverin.svg" 2>/dev/null || fail "scalable icon missing"
for size in 16 24 32 48 64 128 256; do
  png=$icons/${size}x${size}/apps/folverin.png
  if [ ! -f "$png" ]; then fail "icon ${size}x${size} missing"; continue; fi
  [ "$(od -An -c -j1 -N3 "$png" | tr -d ' ')" = PNG ] || fail "icon ${size}x${size} is no PNG"
  read -r width height < <(od -An -tu4 --endian=big -j16 -N8 "$png")
  [ "$width" = "$size" ] && [ "$height" = "$size" ] || fail "icon ${size}x${size} is ${width}x${height}"
done

# The installed folverin-cli reads the sample collection, by its folder and
# by its settings file.
out=$("$prefix/bin/folverin-cli" settings "$sample" 2>&1) || fail "folverin-cli settings: $out"
grep -qxF "AppFolder=$sample/" <<<"$out" || fail "folverin-cli settings printed: $out"
grep -q '^Title=..*' <<<"$out" || fail "folverin-cli settings has no title: $out"
byFile=$("$prefix/bin/folverin-cli" settings "$sample/folverin.ini" 2>&1) || fail "settings of folverin.ini: $byFile"
[ "$byFile" = "$out" ] || fail "folverin.ini gives other settings than its folder"
hits=$("$prefix/bin/folverin-cli" search "$sample" "Garten" 2>&1) || fail "folverin-cli search: $hits"
grep -q "^$sample/.*\.htm" <<<"$hits" || fail "folverin-cli search found nothing: $hits"

# The installed viewer starts (its help needs no window).
help=$(QT_QPA_PLATFORM=offscreen "$prefix/bin/folverin" --help 2>&1) || fail "folverin --help: $help"
grep -q 'SAMMLUNG' <<<"$help" || fail "folverin --help names no collection argument: $help"

[ "$failures" -eq 0 ] && echo "install into $prefix: everything in place"
exit $(( failures > 0 ))
