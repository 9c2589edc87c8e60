#!/bin/sh
# The menu entry, its icon and the software centres' metainfo as an install lays them out: valid
# for the desktop's tools, and the icon where the entry's Icon= names it. Skipped (77) where the
# validators are not installed.
set -u
build=$1
work=$2
for tool in desktop-file-validate appstreamcli; do
  command -v "$tool" >/dev/null || { echo "$tool fehlt"; exit 77; }
done
rm -rf "$work"
mkdir -p "$work"
cmake --install "$build" --prefix "$work/prefix" >"$work/install.log" 2>&1 ||
  { cat "$work/install.log"; exit 1; }
share="$work/prefix/share"
id=de.tradomir.VKSKonten
failures=0
desktop-file-validate "$share/applications/$id.desktop" || failures=$((failures + 1))
appstreamcli validate --no-net "$share/metainfo/$id.metainfo.xml" || failures=$((failures + 1))
icon=$(sed -n 's/^Icon=//p' "$share/applications/$id.desktop")
[ -s "$share/icons/hicolor/scalable/apps/$icon.svg" ] ||
  { echo "Symbol fehlt: $icon"; failures=$((failures + 1)); }
exit $failures
