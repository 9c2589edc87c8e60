#!/bin/sh
# installer_test.sh WORK INSTALLER EARLY-BOUND-HOST
# The installer under Wine, as a user without an administrator runs it: a silent install (/S) into
# a fresh prefix, the hosts against the installed server (hosts/hosts_test.sh), a silent uninstall.
# Afterwards nothing of ours may remain, neither files nor registry entries, but the user's
# accounts and RTT files stay.
set -u
work=$1
installer=$2
host=$3
here=$(cd "$(dirname "$0")" && pwd)
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" DISPLAY=
export WINEPREFIX="$work/prefix"
failures=0
fail() { echo "FEHLER: $*"; failures=$((failures + 1)); }
rm -rf "$work"
mkdir -p "$work"
sh "$here/../../cmake/wine-prefix.sh" "$WINEPREFIX" || { echo "kein Wine-Präfix"; exit 1; }

wine "$installer" /S || fail "Installation: Exit-Code $?"
wineserver -w
ziel=$(winepath -u "$(wine cmd /c echo %LOCALAPPDATA% | tr -d '\r')\\Tradomir Kontoserver")
for datei in VKSKontoServer.exe vks-store.exe vks-rtt.exe vks-reg.exe vbs.exe vks-script.exe \
             vks-host-demo.exe demo/Handelstag.txt Deinstallieren.exe; do
  [ -f "$ziel/$datei" ] || fail "nicht installiert: $datei"
done
[ -d "$ziel/Daten" ] || fail "kein Daten-Ordner"
# No Start-menu entry: the Windows build has no account list program yet.
! find "$WINEPREFIX/drive_c" -name 'Tradomir Virtuelle Konten.lnk' | grep -q . ||
  fail "Startmenü-Eintrag ohne Programm"

sh "$here/hosts/hosts_test.sh" "$work/hosts" "$ziel/VKSKontoServer.exe" "$ziel/vks-store.exe" \
  "$host" --installiert || fail "Hosts gegen den installierten Server"
[ -f "$ziel/Daten/VKSVirtKonten.dat" ] || fail "keine Kontendatei im Daten-Ordner"

# The uninstaller copies itself away and returns at once; the prefix's end is its end.
wine "$ziel/Deinstallieren.exe" /S || fail "Deinstallation: Exit-Code $?"
wineserver -w
[ -f "$ziel/Daten/VKSVirtKonten.dat" ] || fail "Deinstallation löschte die Konten"
rest=$(cd "$ziel" 2>/dev/null && find . -type f ! -path './Daten/*' ! -path './Realtimedaten/*')
[ -z "$rest" ] || fail "nach der Deinstallation übrig: $rest"
for reg in user.reg system.reg; do
  spuren=$(grep -n -i -E 'VKSKontoServer|Deinstallieren|Wendrich|F3F2E6EC-2170|0D826401-EA45|67F5A5A0-3472|17017253-6350|4380DAD9-BDFE' \
    "$WINEPREFIX/$reg")
  [ -z "$spuren" ] || fail "$reg nach der Deinstallation:
$spuren"
done

[ $failures -eq 0 ] && echo "Installation unter Wine: alles in Ordnung"
exit $failures
