#!/usr/bin/env bash
# Builds the 64-bit Windows program and starts it: on Windows-less machines
# under Wine, on the current X display or, without one, on a virtual display
# of its own, which stays up after the panel is closed for the programs
# started on it, until Ctrl+C.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh
cmake --preset mingw-x64 >/dev/null
cmake --build --preset mingw-x64 --target nookshade

# Wine names Unix files in the locale's character set; folders with
# non-ASCII names need a UTF-8 one.
export LANG=${LANG:-C.UTF-8}
export WINEPREFIX=${WINEPREFIX:-$PWD/build/wineprefix}
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-"mscoree,mshtml="}
export WINELOADER=${WINELOADER:-/usr/lib/wine/wine64}

if [ -z "${DISPLAY:-}" ]; then
  display=:91
  export DISPLAY=$display
  virtual=1
  # A second run joins the virtual display of the first, which keeps it.
  if [ -e /tmp/.X91-lock ] && kill -0 "$(tr -d ' ' </tmp/.X91-lock)" 2>/dev/null; then
    echo "No display: Nookshade runs on the virtual display $display, which another run keeps up."
  else
    Xvfb "$display" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
    xvfb=$!
    trap 'kill $xvfb 2>/dev/null || true' EXIT
    trap 'exit 130' INT TERM
    cat <<MSG
No display: Nookshade runs on the virtual display $display.
  See it:   DISPLAY=$display import -window root shot.png   (a screenshot)
            or x11vnc -display $display, then a VNC viewer on port 5900
  Stop it:  close the panel; then Ctrl+C here ends the virtual display
MSG
  fi
fi
cat <<MSG
Another program to hide, on the same display and Wine prefix (in a second terminal):
  DISPLAY=$DISPLAY WINEPREFIX=$WINEPREFIX $WINELOADER clock
MSG

scripts/wine-prefix.sh ${virtual:+--unmanaged}
"$WINELOADER" build/mingw-x64/nookshade.exe || true
if [ -n "${xvfb:-}" ]; then
  # With or without a terminal: the programs started on the display keep it.
  echo "Nookshade has ended. The virtual display $display stays up for the programs on it; Ctrl+C (or kill $$) ends it."
  wait "$xvfb" || true
fi
