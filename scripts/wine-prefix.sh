#!/usr/bin/env bash
# Prepares the Wine prefix named by $WINEPREFIX once: creates it and gives
# it Wine's own fonts. With --unmanaged (a display without a window manager)
# it also turns Wine's window management off.
set -euo pipefail
: "${WINEPREFIX:?}" "${WINELOADER:?}"
[ -f "$WINEPREFIX/.nookshade-ready" ] && exit 0

"$WINELOADER" wineboot -i >/dev/null 2>&1 || true
[ -d "$WINEPREFIX/drive_c/windows" ] || { echo "wineboot did not create $WINEPREFIX" >&2; exit 1; }
# Started as /usr/lib/wine/wine64, Wine does not find the fonts Debian keeps
# in /usr/share/wine/fonts; without Marlett the caption buttons are drawn as
# the letters "0 1 r". Fonts in the prefix are found whatever the loader.
fonts="$WINEPREFIX/drive_c/windows/Fonts"
mkdir -p "$fonts"
for font in /usr/share/wine/fonts/*.ttf /usr/share/wine/fonts/*.ttc; do
  [ -e "$font" ] && cp -n "$font" "$fonts/"
done
# Without a window manager every hide stalls; with one, Wine's own
# management is what the user expects.
if [ "${1:-}" = "--unmanaged" ]; then
  "$WINELOADER" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f >/dev/null 2>&1
fi
wineserver -k >/dev/null 2>&1 || true
wineserver -w >/dev/null 2>&1 || true
touch "$WINEPREFIX/.nookshade-ready"
