#!/usr/bin/env bash
# CI: builds the Debian package, checks it as a Debian maintainer would
# (lintian, desktop-file-validate, appstreamcli), installs it with apt-get and
# tries it as a new user with an empty home directory: rv820-cli import, calc
# and report with the installed templates; rv820 from that home directory
# (its settings go to the user's folder, both template kinds are found, no
# message box opens); rv820 FILE.prj opens the project. Then the
# package is removed again. Needs root (apt-get, a user of its own).
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
user=rv820-package-test
fail() {
  echo "package-test: $*" >&2
  exit 1
}

tools=()
for pair in lintian:lintian desktop-file-validate:desktop-file-utils appstreamcli:appstream xvfb-run:xvfb \
  xauth:xauth xwininfo:x11-utils import:imagemagick pdftotext:poppler-utils \
  iconv:libc-bin runuser:util-linux; do
  command -v "${pair%%:*}" >/dev/null 2>&1 || tools+=("${pair#*:}")
done
if ((${#tools[@]})); then apt-get install -y --no-install-recommends "${tools[@]}"; fi

deb=$(bash "$here/scripts/package.sh" | tail -n 1)
echo "package-test: $deb"
lintian --fail-on error --no-tag-display-limit "$deb"

work=$(mktemp -d)
home=$(mktemp -d)
cleanup() {
  apt-get remove -y rv820 >/dev/null 2>&1 || true
  userdel "$user" >/dev/null 2>&1 || true
  rm -rf "$work" "$home"
}
trap cleanup EXIT
apt-get install -y "$deb"

desktop-file-validate /usr/share/applications/local.rv820.RV820.desktop
appstreamcli validate --no-net /usr/share/metainfo/local.rv820.RV820.metainfo.xml
[[ -f /usr/share/rv820/Report/构件/构件强度检测报告.xml && -f /usr/share/rv820/Report/测区/测区强度检测报告.xml ]] ||
  fail "the templates are not installed"
zcat /usr/share/doc/rv820/templates.md.gz | grep -q '^# 报表模版参考' || fail "the template reference is not installed"

useradd --no-create-home --home-dir "$home" --shell /bin/sh "$user"
chown "$user:" "$home" "$work"
# The user's environment: an empty home, no settings of the caller.
as_user() { (cd "$home" && runuser -u "$user" -- env -i HOME="$home" PATH=/usr/bin:/bin LANG=C.UTF-8 "$@"); }
as_user "${RV820_PACKAGE_BUILD:-$here/build-package}/tools/rv820-samples" "$work"

# The command line with the installed templates.
as_user rv820-cli import "$work/new.prj" "$work"/samples/*.R82
as_user rv820-cli calc "$work/new.prj"
as_user rv820-cli show "$work/new.prj" | grep -q KZ-1 || fail "rv820-cli show lacks KZ-1"
for kind in component area; do
  as_user rv820-cli report "$work/sample.prj" --pdf "$work/$kind.pdf" --kind "$kind"
  pdftotext "$work/$kind.pdf" - | grep -q KZ-1 || fail "the $kind report lacks KZ-1"
done
[[ -f $home/.config/rv820/Config.ini ]] || fail "rv820-cli wrote no settings into the user's folder"
[[ ! -e $home/Setting && ! -e $work/Setting ]] || fail "a Setting folder was scattered"

# The window under the offscreen platform: it starts, keeps running and
# writes its settings (both shipped templates chosen) into the user's folder.
rm -rf "$home/.config"
status=0
as_user env QT_QPA_PLATFORM=offscreen timeout 10 rv820 || status=$?
[[ $status -eq 124 ]] || fail "rv820 ended with $status instead of running"
settings=$(iconv -f GBK -t UTF-8 "$home/.config/rv820/Config.ini")
grep -qx '测区打印模版=测区强度检测报告.xml' <<<"$settings" || fail "test-area template not chosen: $settings"
grep -qx '构件打印模板=构件强度检测报告.xml' <<<"$settings" || fail "component template not chosen: $settings"
[[ -z $(find "$home" -name Setting) ]] || fail "a Setting folder was made in the home directory"

# The window on a display: only the main window opens (no message box about
# missing templates), and rv820 FILE.prj opens that project: a sound one
# opens without a word, a damaged one says why in a box of its own (so the
# argument is read); the suites check the components shown after an open.
cat >"$work/shot.sh" <<'SHOT'
#!/bin/sh
# Starts rv820 with the given arguments, waits for its window, lists the
# top-level windows and takes a screenshot.
out=$1
shift
rv820 "$@" &
sleep 6
xwininfo -root -children >"$out.windows"
import -window root "$out.png"
kill $!
SHOT
chmod +x "$work/shot.sh"
as_user xvfb-run -a -s "-screen 0 1280x900x24" "$work/shot.sh" "$work/open" "$work/sample.prj"
shown=$(grep -c '"RV820 ' "$work/open.windows" || true)
[[ $shown -eq 1 ]] || fail "expected the main window alone, found: $(cat "$work/open.windows")"
cp "$work/open.png" "${RV820_SCREENSHOT:-/dev/null}" 2>/dev/null || true
head -c 40 "$work/sample.prj" >"$work/damaged.prj"
as_user xvfb-run -a -s "-screen 0 1280x900x24" "$work/shot.sh" "$work/damaged" "$work/damaged.prj"
shown=$(grep -c '"RV820 ' "$work/damaged.windows" || true)
[[ $shown -eq 2 ]] || fail "rv820 damaged.prj showed no message: $(cat "$work/damaged.windows")"
echo "package-test: passed"
