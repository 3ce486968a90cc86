#!/usr/bin/env bash
# Makes the Debian package of a build tree, has lintian check it as Debian would, unpacks it
# into a scratch root (as dpkg would, without installing it) and checks what a user gets:
# the dependencies, the licence terms and change log, the menu entry, the metainfo, the
# icons, the man page, and a program that runs from there on the installed sample course
# and makes the learner's copy of it on its first start.
#   check-package.sh BUILD_TREE VERSION
set -euo pipefail
build=$(cd "$1" && pwd)
version=$2
id=org.example.vestoria
scratch=$build/package-check
rm -rf "$scratch"
mkdir -p "$scratch"

fail() { echo "FAIL: $*" >&2; exit 1; }

echo "-- cpack -G DEB"
(cd "$build" && cpack -G DEB -B "$scratch/cpack" >"$scratch/cpack.log" 2>&1) || { cat "$scratch/cpack.log"; fail "cpack"; }
deb=$(ls "$scratch"/cpack/*.deb)
depends=$(dpkg-deb --field "$deb" Depends)
echo "Depends: $depends"
# The libraries the program links, as dpkg-shlibdeps found them.
for package in libqt6widgets6 libqt6gui6 libqt6core6 libsdl2 libsndfile1 libc6; do
  grep -q "\b$package\b" <<<"$depends" || fail "Depends lacks $package"
done

echo "-- lintian"
# Errors and warnings fail. Of the notes below them, those that say the program lacks the
# hardening Debian builds with, or that the package has an empty folder, fail too; the
# others are shown for the reader.
lintian --fail-on error,warning --display-info --pedantic "$deb" >"$scratch/lintian.log" 2>&1 \
  || { cat "$scratch/lintian.log"; fail "lintian"; }
cat "$scratch/lintian.log"
! grep -E ': (hardening-|package-contains-empty-directory)' "$scratch/lintian.log" >/dev/null \
  || fail "lintian: hardening or empty folders"

root=$scratch/root
dpkg -x "$deb" "$root"
share=$root/usr/share

echo "-- licence terms, change log, no leftovers"
doc=$share/doc/vestoria
grep -q '^Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/$' "$doc/copyright" \
  || fail "the copyright file is not machine-readable"
# Each of its patterns names files the package has: a part that was moved or renamed would
# otherwise fall silently under the licence of the paragraph above it.
while read -r pattern; do
  [ -n "$(find "$root" -path "$root/$pattern" -print -quit)" ] || fail "the copyright file names $pattern: no such file"
done < <(sed -n 's/^Files: //p' "$doc/copyright")
[ "$(gzip -dc "$doc/changelog.gz" | head -1)" = "vestoria ($version) unstable; urgency=medium" ] \
  || fail "the change log does not begin with version $version"
leftovers=$(find "$root" -name '.*' -o -type d -empty)
[ -z "$leftovers" ] || fail "hidden files or empty folders: $leftovers"

echo "-- menu entry, metainfo, icons, man page"
desktop-file-validate "$share/applications/$id.desktop" || fail "desktop-file-validate"
grep -qx 'Categories=Education;Languages;' "$share/applications/$id.desktop" || fail "Categories"
grep -qx 'Name\[ru\]=Вестория' "$share/applications/$id.desktop" || fail "Russian name"
appstreamcli validate --no-net "$share/metainfo/$id.metainfo.xml" || fail "appstreamcli validate"
grep -q "<release version=\"$version\"" "$share/metainfo/$id.metainfo.xml" || fail "metainfo names no release $version"
icon=$(sed -n 's/^Icon=//p' "$share/applications/$id.desktop")
[ -f "$share/icons/hicolor/scalable/apps/$icon.svg" ] || fail "no scalable icon"
for size in 16 24 32 48 64 128 256; do
  file "$share/icons/hicolor/${size}x${size}/apps/$icon.png" | grep -q "PNG image data, $size x $size" \
    || fail "no ${size}x${size} PNG icon"
done
warnings=$(gzip -dc "$share/man/man1/vestoria.1.gz" | groff -man -ww -z 2>&1)
[ -z "$warnings" ] || fail "man page: $warnings"

echo "-- the installed program"
program=$root/usr/bin/vestoria
course=$share/vestoria/course
[ "$("$program" --version)" = "vestoria $version" ] || fail "--version"
for learners in Users.eng Report/*; do
  [ ! -e "$course/$learners" ] || fail "the installed sample holds learners' files: $learners"
done
problems=$("$program" --check-course "$course") || fail "--check-course: $problems"
[ "$problems" = "Курс проверен: ошибок нет." ] || fail "--check-course printed: $problems"

echo "-- first start from the menu (working directory: home)"
home=$scratch/home
mkdir -p "$home"
copy=$home/.local/share/vestoria/sample-course
(cd "$home" && exec env -u XDG_DATA_HOME -u XDG_CONFIG_HOME HOME="$home" QT_QPA_PLATFORM=offscreen \
  SDL_AUDIODRIVER=dummy "$program" --no-intro >"$scratch/run.log" 2>&1) &
pid=$!
# The program answers SIGTERM with its shutdown once its windows are made; until then the
# signal would end it at once. /proc tells when it catches the signal (SIGTERM is bit 14).
for _ in $(seq 300); do
  caught=$(sed -n 's/^SigCgt:\s*//p' "/proc/$pid/status" 2>/dev/null || true)
  [ -n "$caught" ] && (( (0x$caught >> 14) & 1 )) && break
  sleep 0.1
done
sleep 1
kill -TERM "$pid" 2>/dev/null || true
status=0
wait "$pid" || status=$?
[ "$status" -eq 0 ] || { cat "$scratch/run.log"; fail "the program ended with status $status"; }
[ -f "$copy/Users.eng" ] || fail "the learners' files were not written to the sample copy"
[ ! -e "$course/Users.eng" ] || fail "the installed sample was written"
diff -r -x Users.eng "$course" "$copy" >/dev/null || fail "the sample copy differs from the installed sample"
echo "package check passed: $(basename "$deb"), $(du -sh "$deb" | cut -f1)"
