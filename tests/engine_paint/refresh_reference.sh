#!/usr/bin/env bash
# Writes the painting tests' reference pictures from the engine as it paints now. Run it after a
# deliberate change of the painting, look at the pictures, then commit them.
#   tests/engine_paint/refresh_reference.sh [BUILD_DIR]    (default: build/win, the tree ./run builds)
set -euo pipefail
ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
BUILD=$(cd "${1:-$ROOT/build/win}" && pwd)
# The build's bin folder as Wine sees it: the Unix root is drive Z:.
BIN="Z:${BUILD//\//\\}\\bin"
cd "$ROOT"
# The engine of that build must be the registered one while the test runs.
VELLUM_REFRESH_REFERENCES=1 ./run wine cmd /c \
  "regsvr32 /s $BIN\\vellumengine.dll && $BIN\\engine_paint_tests.exe --gtest_filter=ReferencePicture.*"
# The README shows the twelve kinds as the reference has them.
mkdir -p docs/images
cp tests/engine_paint/reference/twelve-kinds.png docs/images/twelve-kinds.png
echo "written: tests/engine_paint/reference/*.png and docs/images/twelve-kinds.png"
