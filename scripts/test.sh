#!/usr/bin/env bash
# Builds everything and runs every test: the suites, the same suites under
# AddressSanitizer and UndefinedBehaviorSanitizer, each fuzz target for a
# bounded time (FUZZ_SECONDS, 60 by default), and the Debian package installed
# and tried as a new user. The Windows check (scripts/test-windows.sh) runs on
# its own.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
bash "$here/scripts/install-deps.sh"
export QT_QPA_PLATFORM=offscreen
# The build trees of one run share their objects through ccache: paths are
# hashed relative to the checkout, not with each tree's own folder.
export CCACHE_BASEDIR="$here" CCACHE_NOHASHDIR=1
fuzz_seconds=${FUZZ_SECONDS:-60}

echo "== build and test"
bash "$here/scripts/build.sh" "$here/build" -DCMAKE_BUILD_TYPE=RelWithDebInfo
ctest --test-dir "$here/build" --output-on-failure -j2

echo "== build and test under AddressSanitizer and UndefinedBehaviorSanitizer"
bash "$here/scripts/build.sh" "$here/build-sanitize" -DCMAKE_BUILD_TYPE=Debug -DRV820_SANITIZE=ON \
  -DRV820_BENCHMARKS=OFF
# Leaks count as failures too: the whole suite, Qt included, runs without one.
ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
  ctest --test-dir "$here/build-sanitize" --output-on-failure -j2

echo "== fuzz every reader for ${fuzz_seconds} s"
CC=clang-14 CXX=clang++-14 cmake -S "$here" -B "$here/build-fuzz" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DRV820_FUZZ=ON -DRV820_SANITIZE=ON -DRV820_BENCHMARKS=OFF
cmake --build "$here/build-fuzz" --target fuzz_all -j2
bash "$here/scripts/fuzz.sh" "$here/build-fuzz" "$fuzz_seconds"

echo "== the Debian package, installed and tried as a new user"
bash "$here/scripts/package-test.sh"
