#!/bin/sh
# hosts_test.sh WORK SERVER VKS-STORE EARLY-BOUND-HOST [--installiert]
# The hosts that are not ours against the Windows server under Wine: the host scripts under Wine's
# own cscript (late binding), then the C++ host that binds early and sinks the event. Each run gets
# a fresh Wine prefix in WORK where SERVER registers itself (/RegServer) for the user. With
# --installiert the caller has made the prefix (WINEPREFIX) and the installer has registered
# SERVER; the accounts then live in the installation's Daten folder.
# After each host the server must end by itself once the host has released its objects.
set -u
work=$1
server=$2
store_tool=$3
host=$4
installiert=${5:-}
here=$(cd "$(dirname "$0")" && pwd)
cmake_dir=$here/../../../cmake
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" DISPLAY=
failures=0
fail() { echo "FEHLER: $*"; failures=$((failures + 1)); }

if [ -z "$installiert" ]; then
  rm -rf "$work"
  mkdir -p "$work"
  export WINEPREFIX="$work/prefix"
  sh "$cmake_dir/wine-prefix.sh" "$WINEPREFIX" || { echo "kein Wine-Präfix"; exit 1; }
  wine "$server" /RegServer || fail "/RegServer"
  # The build's server is no main installation, so it takes the data folder set below.
  wine reg delete 'HKLM\Software\Wendrich Software Entwicklung\Tradomir\PfadV7' /ve /f \
    >/dev/null 2>&1
  wineserver -w
  # The accounts and RTT files of this run stay in WORK.
  mkdir -p "$work/Tradomir/Daten" "$work/RTT"
  settings='HKCU\Software\VB and VBA Program Settings'
  wine reg add "$settings\\Tradomir\\Programm" /v PfadV7 /d "$(winepath -w "$work/Tradomir")" /f \
    >/dev/null || fail "PfadV7"
  wine reg add "$settings\\Tradomir Kontoserver\\Einstellungen" /v RTTSpeicherpfadV7 \
    /d "$(winepath -w "$work/RTT")" /f >/dev/null || fail "RTTSpeicherpfadV7"
  daten="$work/Tradomir/Daten"
else
  mkdir -p "$work"
  daten="$(dirname "$server")/Daten"
fi

# Under Wine the server that COM starts inherits the host's standard handles, so the hosts write to
# files: a pipe would stay open as long as the server runs.

# Waits until every program of the prefix has ended: the server ends when its last object is gone.
server_ends() {
  timeout 120 wineserver -w || fail "$1: der Server endet nicht"
}

# Wine's script host reads a script in the ANSI code page (a UTF-16 file does not run at all), so
# the scripts are kept in UTF-8 and handed over as Windows-1252, behind the checks they share with
# the interpreter's own scripts (the script host has no include).
for script in konto_host dienste_host; do
  { echo "Option Explicit"; cat "$here/../../vbscript/lib/Pruefung.vbs" "$here/host_pruefung.vbs" \
      "$here/$script.vbs"; } |
    iconv -f UTF-8 -t WINDOWS-1252 >"$work/$script.vbs"
  wine cscript //nologo "$(winepath -w "$work/$script.vbs")" >"$work/$script.out" 2>&1
  code=$?
  tr -d '\r' <"$work/$script.out" >"$work/$script.txt"
  [ "$code" -eq 0 ] || fail "$script: Exit-Code $code"
  [ "$(tail -n 1 "$work/$script.txt")" = "ENDE 0 Fehler" ] || fail "$script:
$(cat "$work/$script.txt")"
  server_ends "$script"
done

# The accounts that the scripts made were saved before the server ended.
store="$daten/VKSVirtKonten.dat"
wine "$store_tool" check "$(winepath -w "$store")" >/dev/null 2>&1 || fail "Kontendatei"

# The C++ host: makes its account, the store gets the rules (as the settings dialog writes them),
# then the rules run against the early-bound host.
run_host() {
  wine "$host" "$1" >"$work/host-$1.out" 2>&1
  code=$?
  tr -d '\r' <"$work/host-$1.out" >"$work/host-$1.txt"
  [ "$code" -eq 0 ] || fail "EarlyBoundHost $1: Exit-Code $code
$(cat "$work/host-$1.txt")"
  server_ends "EarlyBoundHost $1"
}
run_host anlegen
json="$work/regeln.json"
wine "$store_tool" dump "$(winepath -w "$store")" 2>/dev/null | tr -d '\r' | /usr/bin/python3 -c '
import json, sys
doc = json.load(sys.stdin)
rules = {
    "PlatziereBedingung": "If Kennzahl(\"Positionen\") >= KontoGlobalData.Item(\"Max\") Then Ergebnis = 1",
    "PlatziereMeldung": "Nur #Ergebnis# Positionen",
    "FillStreichBedingung": "If Kennzahl(\"Positionen\") >= 1 Then StreicheEnterOrders",
}
for record in doc["elements"]:
    values = {e.get("field"): e for e in record["elements"]}
    if values["KontoName"]["value"] == "Regeln":
        for name, value in rules.items():
            values[name]["value"] = value
json.dump(doc, open(sys.argv[1], "w"), ensure_ascii=False)
' "$json" || fail "Regeln setzen"
wine "$store_tool" pack "$(winepath -w "$json")" "$(winepath -w "$store")" >/dev/null 2>&1 ||
  fail "vks-store pack"
run_host regeln

# Sinks that fail or hang, a host killed mid-call: a short bound for the hanging sink, and the
# server still ends once the last living host lets go, with both hanging hosts' fills saved.
export VKS_SENKE_FRIST_MS=3000
run_host senken
wine "$store_tool" dump "$(winepath -w "$store")" 2>/dev/null | tr -d '\r' >"$work/senken.json"
for order in H-1 H-2; do
  grep -q "\"$order\"" "$work/senken.json" || fail "Fill $order fehlt in der Kontendatei"
done

[ $failures -eq 0 ] && echo "Hosts unter Wine: alles in Ordnung"
exit $failures
