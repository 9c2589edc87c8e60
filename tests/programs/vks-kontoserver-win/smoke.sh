#!/bin/sh
# smoke.sh SERVER.exe SCRIPT.vbs WORK: installs the server into WORK (with its Daten folder) in a
# fresh Wine prefix, registers it, runs the script under Wine's cscript, and checks that the
# server ended after the script let it go and unregistered cleanly.
set -e
server="$1" script="$2" work="$3"
root="$(cd "$(dirname "$0")/../../.." && pwd)"
rm -rf "$work"
mkdir -p "$work/install/Daten"
cp "$server" "$work/install/VKSKontoServer.exe"
# The script host reads its files in the ANSI code page.
iconv -f UTF-8 -t WINDOWS-1252 "$script" > "$work/smoke.vbs"
export WINEPREFIX="$work/prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" DISPLAY=
sh "$root/cmake/wine-prefix.sh" "$WINEPREFIX"
wine "$work/install/VKSKontoServer.exe" /RegServer
status=0
(cd "$work" && wine cscript //nologo smoke.vbs) || status=$?
# The server ends by itself once the script has released its objects; wineserver -w waits for it.
wineserver -w
grep -q Skript "$work/install/Daten/VKSVirtKonten.dat" || { echo "store without the account"; status=1; }
wine "$work/install/VKSKontoServer.exe" /UnregServer
wineserver -w
if grep -qi "VKSKontoServerV7" "$WINEPREFIX/user.reg" "$WINEPREFIX/system.reg"; then
  echo "registration left behind"; status=1
fi
rm -rf "$WINEPREFIX"
exit $status
