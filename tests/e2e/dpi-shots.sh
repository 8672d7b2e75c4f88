#!/usr/bin/env bash
# Screenshots of the panel and of the password prompt at 96, 144 and 192 DPI
# under Wine, for a person to look at: text crisp, nothing cut off. They are
# the second-start journey's shots, taken once at each DPI.
#
#   tests/e2e/dpi-shots.sh <build-dir> <out-dir>
#
# <out-dir> receives panel-<dpi>.png and prompt-<dpi>.png, and results.txt.
NOOKSHADE_E2E_DPIS="96 144 192" NOOKSHADE_E2E_ONLY=second_start exec "$(dirname "$0")/run.sh" "$@"
