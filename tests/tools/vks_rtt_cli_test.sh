#!/bin/sh
# vks-rtt on the bundled RTT files: info finds each well formed, dump gives a file's records as text
# and as JSON, a cut copy is reported with its fault (the command-line convention is
# vks_cli_test.sh's). What it prints is kept
# in info.txt, dump.txt and dump.json. Arguments: the vks-rtt binary, the bundled RTT folder, a
# scratch folder.
set -u
tool=$1
rtt=$2
work=$3
failures=0
fail() {
  echo "FEHLER: $*"
  failures=$((failures + 1))
}

rm -rf "$work" && mkdir -p "$work" || exit 1

# In the same order under every locale.
find "$rtt" -name '*.RTT' | LC_ALL=C sort >"$work/files.txt"
count=$(wc -l <"$work/files.txt")
[ "$count" -gt 100 ] || fail "nur $count RTT-Dateien gefunden"
tr '\n' '\0' <"$work/files.txt" | xargs -0 "$tool" info >"$work/info.txt" || fail "info endet mit Fehler"
[ "$(grep -c '^Wohlgeformt: ja$' "$work/info.txt")" = "$count" ] || fail "info: nicht jede Datei wohlgeformt"

file="$rtt/Konto Zürich/Portfolio/KapitalGesamt-Konto Zürich.RTT"
"$tool" dump "$file" >"$work/dump.txt" || fail "dump endet mit $?"
"$tool" dump --json "$file" >"$work/dump.json" || fail "dump --json endet mit $?"
records=$(( ($(wc -c <"$file") - 856) / 16 ))
[ "$records" -gt 0 ] && [ "$(grep -c . "$work/dump.txt")" -gt "$records" ] ||
  fail "dump zeigt nicht alle $records Werte"

head -c 900 "$file" >"$work/cut.RTT"
out=$("$tool" info "$work/cut.RTT" 2>&1)
case $out in
  *"Wohlgeformt: nein"*) ;;
  *) fail "info auf der gekürzten Datei meldet: $out" ;;
esac

[ $failures -eq 0 ] && echo "vks-rtt: alle Prüfungen bestanden"
exit $failures
