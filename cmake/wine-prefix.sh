#!/bin/sh
# wine-prefix.sh FOLDER: a fresh Wine prefix in FOLDER for one test run, made without a display
# and without the installer dialogs of Wine's add-ons.
set -e
prefix="$1"
export WINEPREFIX="$prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" DISPLAY=
if [ -d "$prefix" ]; then
  wineserver -k 2>/dev/null || true
  rm -rf "$prefix"
fi
wineboot -i >/dev/null 2>&1
wineserver -w
test -f "$prefix/system.reg"
