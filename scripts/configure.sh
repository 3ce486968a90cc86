#!/usr/bin/env bash
# Configures (once) and builds one of the project's build trees.
#   scripts/configure.sh release  - the program, tests and benchmarks, warnings as errors
#   scripts/configure.sh sanitize - clang with AddressSanitizer, UBSan and the fuzz targets
set -euo pipefail
cd "$(dirname "$0")/.."

kind=${1:?release or sanitize}
shift
case "$kind" in
  release)
    dir=build/release
    args=(-DCMAKE_BUILD_TYPE=Release -DVESTORIA_WERROR=ON)
    ;;
  sanitize)
    dir=build/sanitize
    args=(-DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS_DEBUG=-O1 -DVESTORIA_WERROR=ON
          -DVESTORIA_SANITIZE=ON -DVESTORIA_FUZZ=ON -DVESTORIA_BENCH=OFF
          -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++)
    ;;
  *) echo "unknown build tree: $kind" >&2; exit 2 ;;
esac

if [ ! -f "$dir/build.ninja" ]; then
  cmake -S . -B "$dir" -G Ninja "${args[@]}"
fi
cmake --build "$dir" -j "$(nproc)" "$@"
