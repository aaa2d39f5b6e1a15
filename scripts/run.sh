#!/usr/bin/env bash
# Sets everything up and starts ZELK; without a display, runs a short batch demo.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
if [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ]; then
  exec build/src/gui/zelk "$@"
fi
echo "No display found, so the desktop program cannot open a window."
echo "Running a short zelk-batch demo on examples/lake_huron.dat instead:"
echo
exec build/src/batch/zelk-batch examples/demo.zb
