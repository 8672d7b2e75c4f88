#!/usr/bin/env bash
# Line and branch coverage of the core (everything but the Win32 program)
# from the native tests, one line per folder and the total. Branches that
# only exceptions or the compiler make are left out. Run after the tests.
#
#   scripts/coverage.sh [<native-build-dir>]
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build/native}
gcovr --root . --object-directory "$build" --filter 'src/' --exclude 'src/win32/' \
  --exclude-throw-branches --exclude-unreachable-branches --json-summary "$build/coverage.json" \
  >/dev/null
python3 - "$build/coverage.json" <<'PY'
import collections, json, sys
folders = collections.defaultdict(lambda: [0, 0, 0, 0])
for f in json.load(open(sys.argv[1]))["files"]:
    folder = "/".join(f["filename"].split("/")[:2])
    for i, key in enumerate(("line_covered", "line_total", "branch_covered", "branch_total")):
        folders[folder][i] += f[key]
        folders["total"][i] += f[key]
def pct(a, b):
    return f"{100.0 * a / b:5.1f} %" if b else "    - "
for name in sorted(folders, key=lambda n: (n == "total", n)):
    lc, lt, bc, bt = folders[name]
    print(f"coverage {name:14} lines {pct(lc, lt)} ({lc}/{lt})   branches {pct(bc, bt)} ({bc}/{bt})")
PY
