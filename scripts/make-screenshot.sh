#!/usr/bin/env bash
# Makes the program's screenshot for the AppStream metainfo (desktop/screenshots/main-window.png):
# the program of a build tree, started as on a first start with a fresh home folder, on a
# virtual X screen (xvfb-run) of the main window's size, grabbed with scrot.
#   scripts/make-screenshot.sh [BUILD_TREE]   (default build/release, built with the sample course)
set -euo pipefail
cd "$(dirname "$0")/.."
tree=$(cd "${1:-build/release}" && pwd)
out=$PWD/desktop/screenshots/main-window.png
home=$(mktemp -d)
trap 'rm -rf "$home"' EXIT

# Without a window manager the main window lies at the top left corner, framed by nothing,
# so a screen of its size shows the window alone.
HOME=$home SDL_AUDIODRIVER=dummy xvfb-run --auto-servernum --server-args="-screen 0 775x565x24" \
  bash -c '
    cd "$HOME"
    "$1" --no-intro &
    pid=$!
    sleep 8
    scrot --overwrite "$2"
    kill -TERM "$pid"
    wait "$pid"
  ' make-screenshot "$tree/vestoria" "$out"
echo "written: $out ($(file -b "$out"))"
