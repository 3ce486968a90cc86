#!/usr/bin/env bash
# Takes the pictures of the help (course/help/Help/*.png) from the running program's windows,
# under a virtual X display, in the built sample course. Run it after changing a window the
# help shows, then commit the pictures.
#   tools/helpshots/make-help-shots.sh [BUILD_DIR]   (default build/release)
set -euo pipefail
cd "$(dirname "$0")/../.."
build=${1:-build/release}
out=$PWD/course/help/Help

cmake --build "$build" --target vestoria-helpshots sample_course
shots=$(cd "$build" && pwd)/tools/helpshots/vestoria-helpshots

# A copy of the course: the pictures must not leave learners' files in the build's course.
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp -r "$build/course/." "$work/"
(cd "$work" && SDL_AUDIODRIVER=dummy xvfb-run -a -s "-screen 0 1024x768x24" "$shots" "$out")
du -ch "$out"/*.png | tail -n1
