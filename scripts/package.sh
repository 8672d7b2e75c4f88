#!/usr/bin/env bash
# Builds the release packages from scratch:
#   dist/nookshade-<version>-win64.zip and dist/nookshade-<version>-win32.zip
# each holding nookshade.exe, README.md, LICENSE and the files under docs/
# that the README links, so that its pictures and links work. The version is the one
# in CMakeLists.txt. The same commit gives the same bytes: the exe carries
# no link time, and the archive fixes every entry's time, order and mode.
#
#   scripts/package.sh           build the packages
#   scripts/package.sh --check   build them twice and compare the bytes
set -euo pipefail
cd "$(dirname "$0")/.."

linked=$(grep -oE '\]\(docs/[^)#]+' README.md | cut -c3- | sort -u)
version=$(sed -nE 's/^project\(nookshade VERSION ([0-9.]+).*/\1/p' CMakeLists.txt)
[ -n "$version" ] || { echo "no version in CMakeLists.txt" >&2; exit 1; }

# package <out-dir>: both packages into <out-dir>, built in fresh trees.
package() {
  local out=$1
  mkdir -p "$out"
  for pair in "mingw-x64 win64" "mingw-x86 win32"; do
    set -- $pair
    local tree="build/package/$1"
    rm -rf "$tree"
    cmake --preset "$1" -B "$tree" >/dev/null
    cmake --build "$tree" --target nookshade -j 2 >/dev/null
    python3 - "$out/nookshade-$version-$2.zip" "$tree/nookshade.exe" README.md LICENSE $linked <<'PY'
import sys, zipfile
target, exe, *docs = sys.argv[1:]
with zipfile.ZipFile(target, "w", zipfile.ZIP_DEFLATED, compresslevel=9) as archive:
    for path, name in sorted([(exe, "nookshade.exe")] + [(d, d) for d in docs], key=lambda p: p[1]):
        entry = zipfile.ZipInfo(name, date_time=(1980, 1, 1, 0, 0, 0))
        entry.external_attr = 0o644 << 16
        entry.compress_type = zipfile.ZIP_DEFLATED
        with open(path, "rb") as source:
            archive.writestr(entry, source.read(), compresslevel=9)
PY
  done
}

if [ "${1:-}" = "--check" ]; then
  package build/package/first
  package build/package/second
  if cmp -s "build/package/first/nookshade-$version-win64.zip" "build/package/second/nookshade-$version-win64.zip" &&
     cmp -s "build/package/first/nookshade-$version-win32.zip" "build/package/second/nookshade-$version-win32.zip"; then
    echo "PASS package: two builds of $version give the same bytes"
  else
    echo "FAIL package: two builds of $version differ"
    exit 1
  fi
else
  package dist
  ls -l dist/nookshade-"$version"-*.zip
fi
