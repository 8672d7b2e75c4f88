#!/usr/bin/env bash
# Draws the layers as the build links them (cmake --graphviz, then dot) into
# docs/images/layers.svg, the picture in the README. Run it after a change of
# the libraries; an include against the direction fails the build anyway.
set -euo pipefail
cd "$(dirname "$0")/.."
out=build/layers
mkdir -p "$out"
# Only the program's own libraries and the Windows program on top of them.
mkdir -p "$out/build"
cat >"$out/build/CMakeGraphVizOptions.cmake" <<'OPTIONS'
set(GRAPHVIZ_EXTERNAL_LIBS FALSE)
set(GRAPHVIZ_GENERATE_PER_TARGET FALSE)
set(GRAPHVIZ_GENERATE_DEPENDERS FALSE)
set(GRAPHVIZ_IGNORE_TARGETS "nookshade_layers;nookshade_e2e;nookshade_measure;bare_.*")
OPTIONS
cmake -S . -B "$out/build" --preset mingw-x64 >/dev/null
cmake --build "$out/build" --target help >/dev/null
(cd "$out/build" && cmake . --graphviz=../layers.dot >/dev/null)
# Without CMake's legend: the Windows program on top, each arrow pointing
# down to a library it links.
awk '/subgraph clusterLegend/ { skip = 1 } skip && /^}/ { skip = 0; next } !skip' \
  "$out/layers.dot" >"$out/layers-plain.dot"
dot -Tsvg "$out/layers-plain.dot" -o docs/images/layers.svg
echo "docs/images/layers.svg"
