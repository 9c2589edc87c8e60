#!/bin/sh
# demo_gleich_test.sh linux|windows DEMO SERVER VKS-STORE WORK
# The demo plays the bundled day on one build (Linux: over its own bus; Windows: under Wine through
# COM, against SERVER registered in a fresh prefix) and must print the same table and leave the
# same accounts as the other build. Both builds hold their run against what the Linux demo wrote
# once, kept in gleich/: the table byte for byte, the store as `vks-store dump` gives it with the
# fills' and orders' wall-clock times (RealDatum, the computer's clock at booking) blanked out.
# VKS_GLEICH_SCHREIBEN=1 writes gleich/ anew from this run (do that on Linux only).
# Runs under de_DE.UTF-8 (the caller's with_locale.sh), so both builds format alike.
set -u
build=$1
demo=$2
server=$3
store_tool=$4
work=$5
kept=$(cd "$(dirname "$0")" && pwd)/gleich
failures=0
fail() { echo "FEHLER: $*"; failures=$((failures + 1)); }
rm -rf "$work"
mkdir -p "$work"

# The table: from the day's first line to the counts, without the lines about the run's folders.
table() { tr -d '\r' | sed -n '/^Handelstag mit/,/^Kontendatei:/p' | sed '$d'; }
ohne_uhrzeit() {
  tr -d '\r' | /usr/bin/python3 -c '
import json, sys
def blank(node):
    if isinstance(node, dict):
        if node.get("field") == "RealDatum":
            node["value"] = node["text"] = None
        for v in node.values():
            blank(v)
    elif isinstance(node, list):
        for v in node:
            blank(v)
doc = json.load(sys.stdin)
blank(doc)
json.dump(doc, sys.stdout, ensure_ascii=False, indent=1, sort_keys=True)
print()'
}

if [ "$build" = linux ]; then
  "$demo" --server "$server" "$work/demo" >"$work/ausgabe.txt" || fail "Exit-Code"
  "$store_tool" dump "$work/demo/Tradomir/Daten/VKSVirtKonten.dat" | ohne_uhrzeit >"$work/konten.json"
else
  export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" DISPLAY= WINEPREFIX="$work/prefix"
  sh "$(dirname "$0")/../../../cmake/wine-prefix.sh" "$WINEPREFIX" || exit 1
  wine "$server" /RegServer || fail "/RegServer"
  # The build's server is no main installation, so it takes the data folder the demo sets.
  wine reg delete 'HKLM\Software\Wendrich Software Entwicklung\Tradomir\PfadV7' /ve /f \
    >/dev/null 2>&1
  wineserver -w
  wine "$demo" "$(winepath -w "$work")\\demo" >"$work/ausgabe.txt" || fail "Exit-Code"
  # The server saves and ends once the demo has released its object.
  timeout 120 wineserver -w || fail "der Server endet nicht"
  wine "$store_tool" dump "$(winepath -w "$work/demo/Tradomir/Daten/VKSVirtKonten.dat")" |
    ohne_uhrzeit >"$work/konten.json"
fi
table <"$work/ausgabe.txt" >"$work/tabelle.txt"
[ -s "$work/tabelle.txt" ] || fail "keine Tabelle:
$(cat "$work/ausgabe.txt")"

if [ "${VKS_GLEICH_SCHREIBEN:-}" = 1 ]; then
  mkdir -p "$kept"
  cp "$work/tabelle.txt" "$work/konten.json" "$kept/"
fi
for datei in tabelle.txt konten.json; do
  cmp -s "$kept/$datei" "$work/$datei" || { diff -u "$kept/$datei" "$work/$datei" | head -40; fail "$datei"; }
done
[ $failures -eq 0 ] && echo "vks-host-demo ($build): dieselbe Tabelle, dieselben Konten"
exit $failures
