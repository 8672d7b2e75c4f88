# Sourced by the scripts that run Windows programs under Wine on a virtual
# display of their own (the end-to-end run, the DPI screenshots, the
# measurement): Wine's environment, the display, the prefix and their end.
#
#   wine_session_start <work-dir> <log> [<screen WxHxD>]
#       exports Wine's environment with its prefix in <work-dir>, starts Xvfb
#       on a free display and prepares the prefix; returns 1, with the reason
#       on stderr, when either fails.
#   wine_session_stop
#       ends Wine and the display; safe to call more than once.
#   wait_for <seconds> <command...>
#       polls the command every 0.1 s until it succeeds or the time is up.

wine_session_scripts=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
xvfb_pid=""

wait_for() {
  local deadline=$(( $(date +%s) + $1 )); shift
  until "$@"; do
    [ "$(date +%s)" -ge "$deadline" ] && return 1
    sleep 0.1
  done
}

wine_session_start() {
  local work=$1 log=$2 screen=${3:-1280x1024x24}
  # Wine names Unix files in the locale's character set: without a UTF-8
  # locale a folder such as "Nook Shade ü" cannot be created at all.
  export LC_ALL=C.UTF-8
  export WINEPREFIX="$work/prefix"
  export WINEDEBUG=-all
  export WINEDLLOVERRIDES="mscoree,mshtml="
  export WINELOADER=/usr/lib/wine/wine64
  export WINEARCH=win64
  # Xvfb picks a free display number and reports it.
  Xvfb -displayfd 3 -screen 0 "$screen" -nolisten tcp 3>"$work/display" >>"$log" 2>&1 &
  xvfb_pid=$!
  if ! wait_for 20 test -s "$work/display"; then
    echo "Xvfb did not start" >&2
    return 1
  fi
  export DISPLAY=":$(head -n 1 "$work/display")"
  # The run command's prefix set-up, unmanaged: no window manager runs here.
  if ! timeout 180 "$wine_session_scripts/wine-prefix.sh" --unmanaged >>"$log" 2>&1; then
    echo "the Wine prefix could not be prepared" >&2
    return 1
  fi
}

wine_session_stop() {
  if [ -n "${WINEPREFIX:-}" ] && [ -d "$WINEPREFIX" ]; then
    timeout 20 wineserver -k >/dev/null 2>&1 || true
    timeout 20 wineserver -w >/dev/null 2>&1 || true
  fi
  if [ -n "$xvfb_pid" ]; then
    kill "$xvfb_pid" 2>/dev/null || true
    wait "$xvfb_pid" 2>/dev/null || true
    xvfb_pid=""
  fi
}
