#!/bin/sh
# Renders the design surface's reference pictures anew (after a deliberate change of the looks), from a
# built Windows tree. Look at the new pictures before committing them.
set -e
cd "$(dirname "$0")/../.."
build=${1:-build/win}
VELLUM_REFRESH_REFERENCES=1 ./run wine "$build/bin/surface_tests.exe" --gtest_filter='*OverTheLivePage*'
ls -l tests/surface/reference
