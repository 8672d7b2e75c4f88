#!/usr/bin/env bash
# Every include points down the layers: a folder of src/ may include only
# itself and the folders below it. Run by every build; prints what points up.
#
#   scripts/check-layers.sh [<src-dir>]
set -euo pipefail
src=${1:-$(dirname "$0")/../src}

# Each folder and what it may include besides itself, bottom up.
declare -A below=(
  [platform]=""
  [text]=""
  [model]="platform text"
  [hotkeys]="model platform text"
  [hiding]="model platform text"
  [fakework]="model platform text"
  [app]="hotkeys hiding fakework model platform text"
  [win32]="app hotkeys hiding fakework model platform text"
)

bad=0
for folder in "${!below[@]}"; do
  [ -d "$src/$folder" ] || continue
  while IFS=: read -r file line; do
    target=${line#*\"}
    target=${target%%/*}
    if [ "$target" != "$folder" ] && [[ " ${below[$folder]} " != *" $target "* ]]; then
      echo "layers: $file includes $target/, which is not below $folder/" >&2
      bad=1
    fi
  done < <(grep -rHE '^#include "[a-z0-9_]+/' "$src/$folder" || true)
done
for folder in "$src"/*/; do
  name=$(basename "$folder")
  [ -n "${below[$name]+x}" ] || { echo "layers: $name/ has no place in the layers" >&2; bad=1; }
done
exit "$bad"
