#!/usr/bin/env bash
# Installs the build into a throw-away prefix and starts the installed copy as a user would,
# through the launcher link on PATH, from another folder.
#   InstallTest.sh BUILD_DIR PLUGIN_DIR
set -euo pipefail
build=$1
plugins=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
prefix="$work/prefix with space"
folder="$prefix/share/taskwren"

fail() { echo "FAIL: $*" >&2; exit 1; }

cmake --install "$build" --prefix "$prefix" >/dev/null
[ -L "$prefix/bin/taskwren" ] || fail "no launcher link on PATH"
[ -x "$folder/taskwren" ] || fail "no program in $folder"
[ -x "$folder/taskwren-picture" ] || fail "no picture helper beside the program in $folder"
# The on-demand library is installed beside the program and finds everything it needs.
[ -f "$folder/libtaskwren-ondemand.so" ] || fail "no on-demand library beside the program in $folder"
! ldd -r "$folder/libtaskwren-ondemand.so" 2>&1 | grep -e 'undefined symbol' -e 'not found' \
  || fail "the on-demand library lacks what it needs"
[ -f "$prefix/share/icons/hicolor/scalable/apps/taskwren.svg" ] || fail "no icon"
desktop-file-validate "$prefix/share/applications/taskwren.desktop" || fail "the desktop entry is not valid"

# --help and --version need no window system; any other argument is refused.
env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$prefix/bin/taskwren" --help | grep -q '^Usage: taskwren' \
  || fail "--help"
[ "$(env -u DISPLAY -u QT_QPA_PLATFORM "$prefix/bin/taskwren" --version)" = "Taskwren 2.0" ] || fail "--version"
status=0
env -u DISPLAY -u QT_QPA_PLATFORM "$prefix/bin/taskwren" --no-such-option 2>"$work/refusal" || status=$?
[ "$status" -eq 2 ] && [ "$(wc -l <"$work/refusal")" -eq 1 ] || fail "an unknown option exits with $status"

# Started through the link from another folder, the program reads and saves in its own,
# and removes what a save cut short by a kill left there (pid 999999999 never runs).
printf 'Work\r\n' >"$folder/categories.dat"
echo partial >"$folder/.Hours.dat.999999999.0.tmp"
mkdir "$work/elsewhere"
(cd "$work/elsewhere" && QT_QPA_PLATFORM=offscreen QT_PLUGIN_PATH="$plugins" \
  "$prefix/bin/taskwren" -plugin taskwrensaveandclose) || fail "the installed program did not run to its end"
[ -f "$folder/Projects.dat" ] && [ -f "$folder/Hours.dat" ] || fail "Save Changes wrote nothing in $folder"
[ "$(cat "$folder/categories.dat")" = $'Work\r' ] || fail "the categories were not kept"
[ -z "$(ls -A "$work/elsewhere")" ] || fail "files were written in the current folder"
[ ! -e "$folder/.Hours.dat.999999999.0.tmp" ] || fail "a stale temporary file was left"

# Installing again replaces the program and leaves the user's files as they were.
for name in dbsettings.dat banner1.dat mainskin.dat main.ico Updater.exe crash.log mainappupdate.inf; do
  echo "$name of the user" >"$folder/$name"
done
(cd "$folder" && sha256sum -- * | grep -v -e ' taskwren$' -e ' taskwren-picture$' -e ' libtaskwren-ondemand.so$') >"$work/before"
echo "not the program" >"$folder/taskwren"
cmake --install "$build" --prefix "$prefix" >/dev/null
cmp -s "$folder/taskwren" "$build/src/taskwren" || fail "a second install did not replace the program"
(cd "$folder" && sha256sum -c --quiet "$work/before") || fail "a second install changed the user's files"
echo "PASS"
