#!/usr/bin/env bash
# Checks the Windows build of the core and the command line: cross-builds
# them for x86-64 Windows with MinGW-w64, runs the core suites under Wine, and
# runs rv820-cli.exe import, calc, show --json and batch --json on generated
# instrument files, comparing every output, exit status and written project
# byte for byte with those of the Linux build. Installs what it needs (run as
# root on Debian 12).
#   test-windows.sh [BUILD_DIR]    (build-windows by default)
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
out=$(mkdir -p "${1:-$here/build-windows}" && cd "${1:-$here/build-windows}" && pwd)

bash "$here/scripts/install-deps.sh" cmake g++ make nlohmann-json3-dev libgtest-dev \
  g++-mingw-w64-x86-64-posix wine wine64 googletest

launcher=()
if command -v ccache >/dev/null 2>&1; then
  launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DCMAKE_C_COMPILER_LAUNCHER=ccache)
fi
toolchain=(-DCMAKE_TOOLCHAIN_FILE="$here/scripts/mingw-w64-x86_64.cmake" -DCMAKE_BUILD_TYPE=Release)

# A Wine of our own, started once and kept running while the suites start
# one program after another; arguments and file names reach it as UTF-8.
export WINEPREFIX="$out/wine" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" LC_ALL=C.UTF-8
mkdir -p "$WINEPREFIX"
wine=/usr/lib/wine/wine64
echo "== start Wine"
# A server that an interrupted run left behind goes first.
/usr/lib/wine/wineserver -k 2>/dev/null || true
/usr/lib/wine/wineserver -p
trap '/usr/lib/wine/wineserver -k || true' EXIT
"$wine" wineboot --init >/dev/null 2>&1

echo "== GoogleTest and the JSON headers for Windows"
prefix="$out/prefix"
cmake -S /usr/src/googletest -B "$out/googletest" "${toolchain[@]}" "${launcher[@]}" \
  -DCMAKE_INSTALL_PREFIX="$prefix" -DBUILD_GMOCK=OFF >/dev/null
cmake --build "$out/googletest" -j2 --target install >/dev/null
# Header-only: its package files find the headers next to themselves.
mkdir -p "$prefix/share/cmake" "$prefix/include"
cp -r /usr/share/cmake/nlohmann_json "$prefix/share/cmake/"
ln -sfn /usr/include/nlohmann "$prefix/include/nlohmann"

echo "== build the core, its suites and rv820-cli for Linux and for Windows"
core=(-DRV820_WITH_QT=OFF -DRV820_WITH_EXPORT=OFF -DRV820_BENCHMARKS=OFF)
cmake -S "$here" -B "$out/linux" "${core[@]}" "${launcher[@]}" -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$out/linux" -j2 --target rv820-cli rv820-samples
cmake -S "$here" -B "$out/windows" "${core[@]}" "${toolchain[@]}" "${launcher[@]}" \
  -DCMAKE_FIND_ROOT_PATH="$prefix" >/dev/null
cmake --build "$out/windows" -j2

echo "== the core suites under Wine"
# The layer test reads the sources with CMake on the host; it runs in the
# Linux build, where every file belongs to a target.
ctest --test-dir "$out/windows" -j2 --output-on-failure -E '^layers$'

echo "== rv820-cli.exe against rv820-cli"
linux_cli="$out/linux/cli/rv820-cli"
windows_cli="$out/windows/cli/rv820-cli.exe"
work="$out/compare"
rm -rf "$work"
mkdir -p "$work/linux" "$work/windows"
"$out/linux/tools/rv820-samples" "$work/given" >/dev/null
# A folder and a file named in Chinese, as users name them.
mkdir -p "$work/given/回弹 数据"
cp "$work/given/samples/KZ-1.R82" "$work/given/回弹 数据/一层柱.R82"

failures=0
# Runs one command line on both builds, each in its own folder holding a copy
# of the given files, and compares standard output, standard error and the
# exit status.
compare() {
  local name=$1
  shift
  for side in linux windows; do
    local status=0
    (
      cd "$work/$side"
      if [ "$side" = linux ]; then "$linux_cli" "$@"; else "$wine" "$windows_cli" "$@"; fi
    ) >"$work/$side/$name.out" 2>"$work/$side/$name.err" || status=$?
    echo "$status" >"$work/$side/$name.status"
  done
  for part in out err status; do
    if ! cmp -s "$work/linux/$name.$part" "$work/windows/$name.$part"; then
      echo "DIFFERENT: $name ($part)"
      diff <(od -c "$work/linux/$name.$part") <(od -c "$work/windows/$name.$part") | head -20 || true
      failures=$((failures + 1))
    fi
  done
  echo "$name: exit $(cat "$work/linux/$name.status"), $(wc -c <"$work/linux/$name.out") bytes out"
}
# Compares a file that both builds wrote.
same_file() {
  if ! cmp "$work/linux/$1" "$work/windows/$1"; then
    echo "DIFFERENT: $1"
    failures=$((failures + 1))
  fi
}

for side in linux windows; do cp -r "$work/given/." "$work/$side/"; done
instruments=(samples/KZ-1.R82 samples/KZ-2.R82 samples/L-3.R82 samples/B-4.R82 "回弹 数据/一层柱.R82")
compare import import new.prj "${instruments[@]}"
same_file new.prj
compare import-missing import bad.prj samples/KZ-1.R82 "回弹 数据/没有.R82"
same_file bad.prj
compare calc calc new.prj 计算后.prj
same_file 计算后.prj
compare calc-in-place calc new.prj
same_file new.prj
compare show show 计算后.prj
compare show-json show --json 计算后.prj
compare show-sample show --json sample.prj
compare batch batch --json sample.prj
compare batch-table batch sample.prj
compare batch-no batch --json --no 计算后.prj
compare report report sample.prj --pdf out.pdf
compare usage --help

if [ "$(cat "$work/windows/report.status")" != 2 ]; then
  echo "report: expected exit status 2 from a build without a report engine"
  failures=$((failures + 1))
fi
if [ "$failures" -ne 0 ]; then
  echo "test-windows: $failures differences"
  exit 1
fi
echo "test-windows: the Windows build agrees with the Linux build"
