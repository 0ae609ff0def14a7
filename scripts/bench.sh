#!/usr/bin/env bash
# Builds the benchmarks (Release) and runs them; each reports its baseline of
# the same run beside it.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
bash "$here/scripts/install-deps.sh"
export QT_QPA_PLATFORM=offscreen
bash "$here/scripts/build.sh" "$here/build-bench" -DCMAKE_BUILD_TYPE=Release
for bin in "$here"/build-bench/bench/*_bench; do
  echo "== $(basename "$bin")"
  "$bin" "$@"
done
