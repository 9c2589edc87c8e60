#!/bin/sh
# Runs a Windows program of the build under Wine: the emulator of the cross build's tests, which
# set WINEPREFIX to the prefix that the test set-up made. Run by hand, it uses a prefix of its own,
# made on first use. No debug chatter, no display, no installer dialogs.
set -e
: "${WINEPREFIX:=${XDG_CACHE_HOME:-$HOME/.cache}/vks-wineprefix}"
export WINEPREFIX WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" DISPLAY=
if [ ! -f "$WINEPREFIX/system.reg" ]; then
  "$(dirname "$0")/wine-prefix.sh" "$WINEPREFIX"
fi
exec wine "$@"
