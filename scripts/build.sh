#!/usr/bin/env bash
# Configures and builds the project out of source: build.sh BUILD_DIR [cmake options...]
# Compiles through ccache where it is installed, so that the several build trees
# of one test run (and rebuilds after a small change) reuse each other's objects.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
dir=$1
shift
launcher=()
if command -v ccache >/dev/null 2>&1; then
  launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DCMAKE_C_COMPILER_LAUNCHER=ccache)
fi
cmake -S "$here" -B "$dir" "${launcher[@]}" "$@"
cmake --build "$dir" -j2
