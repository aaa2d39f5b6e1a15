#!/bin/sh
# Runs the desktop program under a virtual X server and saves pictures of it:
# the empty frame, a project with its series and INFO window, a zoomed graph,
# the ACF window's two panes, cascaded windows, a 2 x 2 pane grid, a tiled
# desktop of small windows, the help viewer, and the viewer searching its pages.
#   scripts/screenshots.sh [OUTDIR]      (default: build-gui/screenshots)
# ZELK_BIN names the program when it is not in build-gui or build.
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
out=${1:-$root/build-gui/screenshots}
bin=${ZELK_BIN:-}
if [ -z "$bin" ]; then
  for b in "$root/build-gui/src/gui/zelk" "$root/build/src/gui/zelk"; do
    if [ -x "$b" ]; then bin=$b; break; fi
  done
fi
[ -n "$bin" ] || { echo "zelk not built; set ZELK_BIN" >&2; exit 1; }
mkdir -p "$out"
script=$(mktemp)
trap 'rm -f "$script"' EXIT
cat > "$script" <<STEPS
size 1280 800
shot 1-empty-frame
dialog "Create New Project " univariate=on
do New
file $root/examples/lake_huron.dat
do Import File
do Info
do Tile
shot 2-project-with-info
focus lake_huron
do Region
drag lake_huron 0.30 0.15 0.65 0.85
shot 3-zoomed-graph
do Out
do Sample
do Tile
shot 4-acf-panes
focus lake_huron
do Duplicate
panes (DUPLICATE) 4
do Cascade
shot 5-cascade
maximize (DUPLICATE)
shot 6-pane-grid-2x2
do 40051
do 40132
do Tile
shot 7-tiled-desktop
do Contents
shot-help 8-help-contents
help-search fisher periodogram
shot-help 9-help-search
STEPS
xvfb-run -a -s "-screen 0 1280x800x24" "$bin" --screenshot-script "$script" "$out"
