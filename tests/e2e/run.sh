#!/usr/bin/env bash
# End-to-end run of the real nookshade.exe under Wine on a private X display.
#
#   tests/e2e/run.sh <build-dir> <out-dir>
#
# <build-dir> is a mingw-x64 build tree holding nookshade.exe and the driver
# nookshade_e2e.exe. <out-dir> receives results.txt (one PASS/FAIL line per
# check and the summary), wine.log, panel.png (the first-run panel),
# hidden.png (a window hidden, its icon in Wine's tray) and fakework.png
# (three windows picked).
# Exits 0 only when the summary line is present and reports no failure.
#
# NOOKSHADE_E2E_ONLY=first_run,help (scenario names) runs a chosen few.
#
# Nothing here may hang: every step runs under `timeout`, and every wait
# polls for a state with a deadline.
set -u

if [ $# -ne 2 ]; then
  echo "usage: $0 <build-dir> <out-dir>" >&2
  exit 2
fi
build_dir=$(cd "$1" && pwd) || exit 2
mkdir -p "$2" && out_dir=$(cd "$2" && pwd) || exit 2

exe="$build_dir/nookshade.exe"
driver="$build_dir/tests/e2e/nookshade_e2e.exe"
[ -f "$exe" ] || exe=$(find "$build_dir" -name nookshade.exe -type f | head -n 1)
[ -f "$driver" ] || driver=$(find "$build_dir" -name nookshade_e2e.exe -type f | head -n 1)
if [ -z "$exe" ] || [ -z "$driver" ]; then
  echo "FAIL setup: nookshade.exe or nookshade_e2e.exe not found under $build_dir" >&2
  exit 1
fi

started=$(date +%s)
work=$(mktemp -d "${TMPDIR:-/tmp}/nookshade-e2e.XXXXXX")
results="$out_dir/results.txt"
wine_log="$out_dir/wine.log"
sync_dir="$work/sync"
mkdir -p "$sync_dir"
rm -f "$results" "$out_dir"/*.png
: >"$wine_log"

. "$(dirname "$0")/../../scripts/wine-session.sh"
watcher_pid=""

cleanup() {
  if [ -n "$watcher_pid" ]; then kill "$watcher_pid" 2>/dev/null; wait "$watcher_pid" 2>/dev/null; fi
  wine_session_stop
  rm -rf "$work"
}
trap cleanup EXIT
trap 'exit 130' INT TERM

# A Wine path for a Unix path (Wine maps / to drive Z:).
to_wine_path() { printf 'Z:%s' "${1//\//\\}"; }

# --- A display and a Wine prefix of this run's own. ---------------------
if ! wine_session_start "$work" "$wine_log" 2>"$work/why"; then
  echo "FAIL setup: $(cat "$work/why")" | tee "$results"
  exit 1
fi
echo "display $DISPLAY, prefix $WINEPREFIX"
echo "wine prefix ready after $(( $(date +%s) - started )) s"

# --- Screenshot handshake: the driver creates <name>-ready while it holds
# the screen in the state to show and waits for <name>-shot-done.
(
  while sleep 0.1; do
    for ready in "$sync_dir"/*-ready; do
      [ -e "$ready" ] || continue
      name=$(basename "$ready" -ready)
      timeout 30 import -window root "$out_dir/$name.png" >>"$wine_log" 2>&1
      rm -f "$ready"
      touch "$sync_dir/$name-shot-done"
    done
  done
) &
watcher_pid=$!

# --- The driver writes its report to a file, never a pipe. -----------------
timeout -k 10 200 "$WINELOADER" "$driver" \
  "$(to_wine_path "$exe")" "$(to_wine_path "$results")" "$(to_wine_path "$sync_dir")" \
  >>"$wine_log" 2>&1
driver_status=$?

# The driver waits for each shot before going on, so the watcher has
# nothing left to do.
kill "$watcher_pid" 2>/dev/null
wait "$watcher_pid" 2>/dev/null
watcher_pid=""

cat "$results" 2>/dev/null
elapsed=$(( $(date +%s) - started ))
echo "e2e took ${elapsed} s; driver exit status $driver_status"
for shot in "$out_dir"/*.png; do
  if [ -s "$shot" ]; then echo "screenshot: $shot"; fi
done

summary=$(tail -n 1 "$results" 2>/dev/null)
if ! [[ "$summary" =~ ^([0-9]+)\ passed,\ ([0-9]+)\ failed$ ]]; then
  echo "FAIL e2e: summary line missing (driver status $driver_status)"
  exit 1
fi
if [ "${BASH_REMATCH[2]}" != 0 ] || [ "${BASH_REMATCH[1]}" = 0 ]; then
  exit 1
fi
exit 0
