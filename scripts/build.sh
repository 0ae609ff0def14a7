#!/usr/bin/env bash
# Configures and builds the project out of source: build.sh BUILD_DIR [cmake options...]
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
dir=$1
shift
cmake -S "$here" -B "$dir" "$@"
cmake --build "$dir" -j2
