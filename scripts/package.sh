#!/usr/bin/env bash
# Builds the Debian package of the installed program with CPack and prints its
# path: bash scripts/package.sh  ->  dist/rv820_<version>_<arch>.deb
# The version is the project's; the dependencies are those that
# dpkg-shlibdeps finds for the binaries, plus the CJK font. The maintainer is
# DEBFULLNAME <DEBEMAIL> where set, the git user otherwise. Installs the
# packaging tools it needs.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
build=${RV820_PACKAGE_BUILD:-$here/build-package}

tools=()
command -v dpkg-shlibdeps >/dev/null 2>&1 || tools+=(dpkg-dev)
command -v file >/dev/null 2>&1 || tools+=(file)
command -v gzip >/dev/null 2>&1 || tools+=(gzip)
if ((${#tools[@]})); then
  sudo=()
  [[ $(id -u) -eq 0 ]] || sudo=(sudo)
  "${sudo[@]}" apt-get install -y --no-install-recommends "${tools[@]}"
fi

maintainer_args=()
if [[ -n ${DEBFULLNAME:-} && -n ${DEBEMAIL:-} ]]; then
  maintainer_args=(-DRV820_MAINTAINER="$DEBFULLNAME <$DEBEMAIL>")
fi
launcher=()
if command -v ccache >/dev/null 2>&1; then
  launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DCMAKE_C_COMPILER_LAUNCHER=ccache)
fi
cmake -S "$here" -B "$build" -DCMAKE_INSTALL_PREFIX=/usr -DRV820_BENCHMARKS=OFF -DBUILD_TESTING=OFF "${launcher[@]}" \
  "${maintainer_args[@]}" >/dev/null
# Only what the package holds (and the sample generator that its test uses).
cmake --build "$build" -j2 --target rv820 rv820-cli install_data rv820-samples

mkdir -p "$here/dist"
log=$(cd "$build" && cpack -G DEB -B "$here/dist/.cpack" 2>&1) || { echo "$log" >&2; exit 1; }
package=$(sed -n 's/^CPack: - package: \(.*\.deb\) generated\.$/\1/p' <<<"$log")
[[ -f $package ]] || { echo "$log" >&2; echo "package.sh: no package was generated" >&2; exit 1; }
mv -f "$package" "$here/dist/"
rm -rf "$here/dist/.cpack"
echo "$here/dist/$(basename "$package")"
