#!/usr/bin/env bash
# Installs what is missing, builds the program and the sample course, and starts the
# program on that course. Extra arguments go to the program (e.g. -platform offscreen).
set -euo pipefail
cd "$(dirname "$0")"
scripts/install-deps.sh
scripts/configure.sh release --target vestoria sample_course
cd build/release/course
exec ../vestoria "$@"
