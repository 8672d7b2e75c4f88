#!/usr/bin/env bash
# Installs what is missing, then runs every test: the core against the
# simulated desktop (with sanitizers), a few seconds of every fuzz target, a
# short run of the benchmarks, the icon resource, both Windows builds (with
# the programs scripts/measure-wine.sh uses) and their import check, and the
# real program end to end under Wine. Ends with the coverage of the core, the
# lines of code and of tests, and the counts of each suite and their total.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh
mkdir -p build
status=0

echo "== Native tests (simulated desktop, AddressSanitizer + UBSan)"
cmake --preset native >/dev/null
cmake --build --preset native
# The suite runs as one process: per-test processes under the sanitizers
# would cost a minute for nothing (ctest --preset native does that too).
# Coverage counts this run alone.
find build/native -name '*.gcda' -delete
build/native/nookshade_tests --gtest_brief=1 2>&1 | tee build/native-tests.log || status=1
scripts/coverage.sh build/native | tee build/coverage.txt || status=1
native_total=$(sed -nE 's/^\[==========\] ([0-9]+) tests? from .* ran\..*/\1/p' build/native-tests.log)
native_failed=$(sed -nE 's/^\[  FAILED  \] ([0-9]+) tests?, listed below.*/\1/p' build/native-tests.log)
native_total=${native_total:-0}
native_failed=${native_failed:-0}
[ "$native_total" -gt 0 ] || native_failed=1

echo "== Fuzz targets (libFuzzer, a few seconds each)"
scripts/fuzz.sh 3 2>&1 | tee build/fuzz.log || status=1
fuzz_total=$(grep -c '^fuzz ' build/fuzz.log || true)
fuzz_failed=$(grep -c '^fuzz .*FAILED' build/fuzz.log || true)
[ "$fuzz_total" -gt 0 ] || fuzz_failed=1

echo "== Benchmarks (Release, no sanitizers): built, and run briefly to show they work"
cmake --preset bench >/dev/null
cmake --build --preset bench
# A hundredth of a second per benchmark: no figures worth quoting, only a
# check that each one sets up, runs and finds what it expects.
if ! build/bench/nookshade_bench --benchmark_min_time=0.01 >build/bench.log 2>&1 ||
  grep -q "ERROR OCCURRED" build/bench.log; then
  cat build/bench.log
  status=1
fi
echo "benchmarks: $(grep -c '^BM_' build/bench.log) rows in build/bench.log"

echo "== Icon resource: the committed icon is the one scripts/make_icon.py draws"
python3 scripts/make_icon.py --out build/nookshade.ico >/dev/null &&
  cmp build/nookshade.ico resources/nookshade.ico || status=1

echo "== Windows builds"
for preset in mingw-x64 mingw-x86; do
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset"
done
scripts/check-imports.sh build/mingw-x64/nookshade.exe x86_64-w64-mingw32-objdump || status=1
scripts/check-imports.sh build/mingw-x86/nookshade.exe i686-w64-mingw32-objdump || status=1

echo "== End-to-end tests under Wine"
tests/e2e/run.sh build/mingw-x64 build/e2e || status=1
e2e=$(tail -n 1 build/e2e/results.txt 2>/dev/null | sed -nE 's/^([0-9]+) passed, ([0-9]+) failed$/\1 \2/p')
read -r e2e_passed e2e_failed <<<"${e2e:-0 1}"

echo "== Screenshots at 96, 144 and 192 DPI under Wine (build/dpi-shots, to look at)"
tests/e2e/dpi-shots.sh build/mingw-x64 build/dpi-shots || status=1

echo
cat build/coverage.txt
scripts/count-lines.sh
echo "native: $((native_total - native_failed)) passed, $native_failed failed"
echo "fuzz: $((fuzz_total - fuzz_failed)) passed, $fuzz_failed failed"
echo "end-to-end: $e2e_passed passed, $e2e_failed failed"
echo "$((native_total - native_failed + fuzz_total - fuzz_failed + e2e_passed)) passed," \
  "$((native_failed + fuzz_failed + e2e_failed)) failed"
exit "$status"
