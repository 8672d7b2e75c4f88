#!/usr/bin/env bash
# The program must start on a bare Windows: every DLL it imports has to be
# one that ships with the system.
set -euo pipefail
exe=$1
objdump=$2
allowed='^(kernel32|user32|gdi32|shell32|comctl32|advapi32|version|ole32|oleaut32|uxtheme|msvcrt|ucrtbase|shlwapi|comdlg32|api-ms-win-crt-[a-z0-9-]+)\.dll$'
bad=0
while read -r dll; do
  lower=$(printf '%s' "$dll" | tr 'A-Z' 'a-z')
  if ! printf '%s\n' "$lower" | grep -Eq "$allowed"; then
    echo "FAIL imports: $exe needs $dll, which Windows does not ship"
    bad=1
  fi
done < <("$objdump" -p "$exe" | sed -n 's/^[[:space:]]*DLL Name: //p')
if [ "$bad" -eq 0 ]; then
  echo "PASS imports: $exe needs only system DLLs ($("$objdump" -p "$exe" | sed -n 's/^[[:space:]]*DLL Name: //p' | tr '\n' ' '))"
fi
exit "$bad"
