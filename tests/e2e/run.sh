#!/usr/bin/env bash
# The journeys of the real nookshade.exe under Wine on a private X display.
#
#   tests/e2e/run.sh <build-dir> <out-dir>
#
# <build-dir> is a mingw-x64 build tree. <out-dir> receives results.txt (one
# PASS/FAIL line per step, then "N passed, M failed"), wine.log and the
# screenshots for the README: panel.png, hidden.png, prompt.png, fakework.png.
# NOOKSHADE_E2E_ONLY=name[,name...] runs a chosen few journeys. Exits 0 only
# when the summary is there and reports no failure. Nothing here can hang:
# the driver runs under `timeout`, and each of its waits has a deadline.
set -u
[ $# -eq 2 ] || { echo "usage: $0 <build-dir> <out-dir>" >&2; exit 2; }
build_dir=$(cd "$1" && pwd) && mkdir -p "$2" && out_dir=$(cd "$2" && pwd) || exit 2
exe=$build_dir/nookshade.exe
driver=$build_dir/tests/e2e/nookshade_e2e.exe
results=$out_dir/results.txt
log=$out_dir/wine.log
rm -f "$results" "$out_dir"/*.png
: >"$log"
work=$(mktemp -d "${TMPDIR:-/tmp}/nookshade-e2e.XXXXXX")
sync_dir=$work/sync
mkdir -p "$sync_dir"
. "$(dirname "$0")/../../scripts/wine-session.sh"
watcher=""
trap '[ -z "$watcher" ] || kill "$watcher" 2>/dev/null; wine_session_stop; rm -rf "$work"' EXIT
trap 'exit 130' INT TERM
wine_path() { printf 'Z:%s' "${1//\//\\}"; }

if ! wine_session_start "$work" "$log" 2>"$work/why"; then
  echo "FAIL setup: $(cat "$work/why")" | tee "$results"
  exit 1
fi

# The driver writes <name>-ready (holding a crop geometry, or nothing for the
# whole screen) while it holds the screen still, and waits for <name>-shot-done.
(
  while sleep 0.1; do
    for ready in "$sync_dir"/*-ready; do
      [ -e "$ready" ] || continue
      name=$(basename "$ready" -ready)
      crop=$(cat "$ready")
      timeout 30 import -window root ${crop:+-crop "$crop"} "$out_dir/$name.png" >>"$log" 2>&1
      rm -f "$ready"
      touch "$sync_dir/$name-shot-done"
    done
  done
) &
watcher=$!

# Its report goes to a file: Wine's background processes may hold a pipe open.
timeout -k 10 480 "$WINELOADER" "$driver" "$(wine_path "$exe")" "$(wine_path "$results")" \
  "$(wine_path "$sync_dir")" >>"$log" 2>&1
cat "$results" 2>/dev/null
summary=$(tail -n 1 "$results" 2>/dev/null)
[[ "$summary" =~ ^([0-9]+)\ passed,\ 0\ failed$ ]] && [ "${BASH_REMATCH[1]}" != 0 ] && exit 0
[[ "$summary" =~ failed$ ]] || echo "FAIL e2e: no summary line (see $log)"
exit 1
