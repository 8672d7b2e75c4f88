#!/usr/bin/env bash
# Screenshots of the panel and of the password prompt at 96, 144 and 192 DPI
# under Wine, for a person to look at: text crisp, nothing cut off.
#
#   tests/e2e/dpi-shots.sh <build-dir> <out-dir>
#
# <out-dir> receives panel-<dpi>.png and prompt-<dpi>.png. Exits non-zero
# when a window did not appear in time. Every step runs under `timeout` and
# every wait polls with a deadline; what was started is ended on exit.
set -u

if [ $# -ne 2 ]; then
  echo "usage: $0 <build-dir> <out-dir>" >&2
  exit 2
fi
source_dir=$(cd "$(dirname "$0")/../.." && pwd)
build_dir=$(cd "$1" && pwd) || exit 2
mkdir -p "$2" && out_dir=$(cd "$2" && pwd) || exit 2
exe="$build_dir/nookshade.exe"
[ -f "$exe" ] || exe=$(find "$build_dir" -name nookshade.exe -type f | head -n 1)
if [ -z "$exe" ]; then
  echo "FAIL dpi-shots: nookshade.exe not found under $build_dir" >&2
  exit 1
fi

started=$(date +%s)
work=$(mktemp -d "${TMPDIR:-/tmp}/nookshade-dpi.XXXXXX")
log="$out_dir/dpi-shots.log"
: >"$log"
. "$source_dir/scripts/wine-session.sh"

stop_wine() {
  timeout 20 wineserver -k >/dev/null 2>&1
  timeout 20 wineserver -w >/dev/null 2>&1
}

cleanup() {
  wine_session_stop
  rm -rf "$work"
}
trap cleanup EXIT
trap 'exit 130' INT TERM

wine_reg() { timeout 30 "$WINELOADER" reg add "$@" /f >>"$log" 2>&1; }

# The X window of a shown Wine window with this title, as "id WxH+X+Y".
viewable_window() {
  xwininfo -root -tree 2>/dev/null | grep -F "\"$1\"" | head -n 1 |
    sed -nE 's/^ *(0x[0-9a-f]+) .*  ([0-9]+x[0-9]+\+-?[0-9]+\+-?[0-9]+) .*/\1 \2/p' |
    while read -r id geometry; do
      xwininfo -id "$id" 2>/dev/null | grep -q 'IsViewable' && echo "$id $geometry"
    done
}
shown() { [ -n "$(viewable_window "$1")" ]; }
# Wine shows its own tray window once an icon is in it.
in_tray() { shown 'Wine System Tray' && ! shown 'Nookshade Pro'; }

# Saves the window with this title as it stands on the screen.
shoot() {
  local title=$1 file=$2 id geometry
  read -r id geometry <<<"$(viewable_window "$title")"
  [ -n "${id:-}" ] || return 1
  timeout 20 import -window "$id" "$file" >>"$log" 2>&1
}

start_program() { timeout -k 5 40 "$WINELOADER" "$exe" >>"$log" 2>&1 & }

if ! wine_session_start "$work" "$log" 1920x1440x24 2>"$work/why"; then
  echo "FAIL dpi-shots: $(cat "$work/why")"
  exit 1
fi

status=0
settings='HKCU\Software\Nookshade PRO\Startup'
for dpi in 96 144 192; do
  panel="$out_dir/panel-$dpi.png"
  prompt="$out_dir/prompt-$dpi.png"
  rm -f "$panel" "$prompt"
  # Wine reads the DPI when its session starts.
  wine_reg 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi"
  wine_reg "$settings" /v Auto /t REG_SZ /d 0
  stop_wine

  start_program
  # Shown, then given a moment to paint.
  if wait_for 30 shown 'Nookshade Pro' && sleep 1 && shoot 'Nookshade Pro' "$panel"; then
    echo "panel at $dpi DPI: $panel"
  else
    echo "FAIL dpi-shots: no panel at $dpi DPI"
    status=1
  fi
  stop_wine

  # Started again with the automatic start on, the panel goes to the tray;
  # a second start asks for the password to bring it back.
  wine_reg "$settings" /v Auto /t REG_SZ /d 1
  start_program
  if ! wait_for 30 in_tray; then
    echo "FAIL dpi-shots: the panel did not go to the tray at $dpi DPI"
    status=1
  fi
  start_program
  if wait_for 30 shown 'Enter Password' && sleep 1 && shoot 'Enter Password' "$prompt"; then
    echo "prompt at $dpi DPI: $prompt"
  else
    echo "FAIL dpi-shots: no password prompt at $dpi DPI"
    status=1
  fi
  stop_wine
done
echo "dpi-shots took $(( $(date +%s) - started )) s"
exit "$status"
