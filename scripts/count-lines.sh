#!/usr/bin/env bash
# Lines of code (neither blank nor only a comment, as cloc counts them) of the
# program and of its tests, and their ratio. Everything only the tests use
# counts as tests: the simulated desktop, drivers, scripts, fuzz targets.
# bench/ counts as neither.
set -euo pipefail
cd "$(dirname "$0")/.."
count() { cloc --quiet --csv "$@" | awk -F, '$2 == "SUM" { print $5 }'; }
code=$(count src)
unit=$(count tests/unit tests/sim)
e2e=$(count tests/e2e)
fuzz=$(count fuzz)
others=$(count tests --exclude-dir=unit,sim,e2e 2>/dev/null || true)
tests=$((unit + e2e + fuzz + ${others:-0}))
echo "lines: code $code; unit and simulated desktop $unit; end-to-end $e2e; fuzz $fuzz${others:+; other tests $others}"
echo "lines: tests in all $tests = $((100 * tests / code)) % of the code"
