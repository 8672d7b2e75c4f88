#!/usr/bin/env bash
# The journeys of the real nookshade.exe under Wine on a private X display.
#
#   tests/e2e/run.sh <build-dir> <out-dir>
#
# <build-dir> is a mingw-x64 build tree. <out-dir> receives results.txt (one
# PASS/FAIL line per step, then "N passed, M failed"), wine.log and the
# screenshots for the README: panel.png, hidden.png, prompt.png, fakework.png.
# NOOKSHADE_E2E_ONLY=name[,name...] runs a chosen few journeys;
# NOOKSHADE_E2E_DPIS="96 144" runs them once at each DPI, on a larger
# screen, and names the shots <name>-<dpi>.png (see dpi-shots.sh).
# Exits 0 only when every step passed. Nothing here can hang: the driver
# runs under `timeout`, and each of its waits has a deadline.
set -u
[ $# -eq 2 ] || { echo "usage: $0 <build-dir> <out-dir>" >&2; exit 2; }
build_dir=$(cd "$1" && pwd) && mkdir -p "$2" && out_dir=$(cd "$2" && pwd) || exit 2
dpis=${NOOKSHADE_E2E_DPIS:-}
results=$out_dir/results.txt
log=$out_dir/wine.log
rm -f "$results" "$log" "$out_dir"/*.png
work=$(mktemp -d "${TMPDIR:-/tmp}/nookshade-e2e.XXXXXX")
. "$(dirname "$0")/../../scripts/wine-session.sh"
trap 'wine_session_stop; rm -rf "$work"' EXIT
trap 'exit 130' INT TERM

screen=$([ -z "$dpis" ] && echo 1280x1024x24 || echo 1920x1440x24)
wine_session_start "$work" "$log" "$screen" 2>"$work/why" ||
  { echo "FAIL setup: $(cat "$work/why")" | tee "$results"; exit 1; }

for dpi in ${dpis:-96}; do
  if [ -n "$dpis" ]; then
    # Wine reads the DPI as its session starts.
    "$WINELOADER" reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi" /f \
      >>"$log" 2>&1
    timeout 20 wineserver -k; timeout 20 wineserver -w
  fi
  # The driver adds its lines to a file: Wine's background processes may
  # hold a pipe open. It exits 0 when it ran to the end.
  timeout -k 10 480 "$WINELOADER" "$build_dir/tests/e2e/nookshade_e2e.exe" \
    "Z:${build_dir//\//\\}\\nookshade.exe" "Z:$results" "$out_dir/*${dpis:+-$dpi}.png" \
    ${NOOKSHADE_E2E_ONLY:+${NOOKSHADE_E2E_ONLY//,/ }} >>"$log" 2>&1
  [ $? -eq 0 ] || echo "FAIL the driver ended early (see $log)" >>"$results"
done
echo "$(grep -c '^PASS' "$results") passed, $(grep -c '^FAIL' "$results") failed" >>"$results"
cat "$results"
! grep -q '^FAIL' "$results" && grep -q '^PASS' "$results"
