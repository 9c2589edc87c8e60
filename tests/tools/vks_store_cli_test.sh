#!/bin/sh
# vks-store on the bundled sample: dump gives the bundled JSON, pack gives the bundled store, check
# accepts it and names the offset of a fault in a truncated copy (the command-line convention is vks_cli_test.sh's).
# Arguments: the vks-store binary, the repository's data folder, a scratch folder.
set -u
tool=$1
data=$2
work=$3
store=$data/Daten/VKSVirtKonten.dat
failures=0
fail() {
  echo "FEHLER: $*"
  failures=$((failures + 1))
}

rm -rf "$work" && mkdir -p "$work" || exit 1

"$tool" dump "$store" >"$work/dump.json" || fail "dump endet mit $?"
cmp -s "$work/dump.json" "$data/sample-store.json" || fail "dump weicht von sample-store.json ab"

"$tool" pack "$data/sample-store.json" "$work/packed.dat" || fail "pack endet mit $?"
cmp -s "$work/packed.dat" "$store" || fail "pack ergibt nicht die gebündelte Kontendatei"
[ -e "$work/packed.dat.neu" ] && fail "pack lässt die Zwischendatei liegen"

out=$("$tool" check "$store")
[ $? -eq 0 ] || fail "check auf dem Beispiel endet nicht mit 0"
[ "$out" = "$store: in Ordnung, 4 Konten, 8 Positionen, 7 offene Orders, 15 Fills" ] ||
  fail "check meldet: $out"

head -c 3000 "$store" >"$work/truncated.dat"
err=$("$tool" check "$work/truncated.dat" 2>&1 >/dev/null)
[ $? -eq 1 ] || fail "check auf der gekürzten Datei endet nicht mit 1"
case $err in
  *"Kontendatei endet vorzeitig"*"an Byte "[0-9]*"fehlt (Dateilänge 3000)") ;;
  *) fail "check meldet: $err" ;;
esac

"$tool" dump "$work/truncated.dat" >/dev/null 2>&1
[ $? -eq 1 ] || fail "dump der gekürzten Datei endet nicht mit 1"

# Seeding the sample's series gives the bundled RTT files, byte for byte.
rm -rf "$work/rtt"
out=$("$tool" rtt "$data/Daten/VKSVirtKonten.dat" "$work/rtt") || fail "rtt endet mit Fehler"
[ "$out" = "4 Konten in $work/rtt geschrieben" ] || fail "rtt meldet: $out"
diff -r "$work/rtt" "$data/RTT" >/dev/null || fail "rtt weicht von data/RTT ab"

[ $failures -eq 0 ] && echo "vks-store: alle Prüfungen bestanden"
exit $failures
