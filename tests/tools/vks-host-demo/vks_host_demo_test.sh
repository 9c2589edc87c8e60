#!/bin/sh
# The demo host against the built server on its own bus: the refused order, the cancellation rule
# answered by cancelling two entry orders from the handler, the closing table, and a store and RTT
# files that the tools read. Runs under the caller's locale; the table, its numbers written as
# without one, goes to tabelle.txt for comparing the runs under several locales.
demo=$1
server=$2
store_tool=$3
rtt_tool=$4
work=$5
rm -rf "$work"
mkdir -p "$work"
failures=0
fail() { echo "FEHLER: $*"; failures=$((failures + 1)); }
contains() {  # contains NAME TEXT LINE
  printf '%s\n' "$2" | grep -qxF -- "$3" || fail "$1: keine Zeile »$3« in
$2"
}

# The table's numbers follow the locale; with the separators of one that writes 1.234,5 swapped,
# they read as without a locale.
invariant() {
  if [ "$(locale decimal_point)" = "," ]; then
    sed -E 's/([0-9])\.([0-9])/\1_\2/g; s/([0-9]),([0-9])/\1.\2/g; s/([0-9])_([0-9])/\1,\2/g'
  else
    cat
  fi
}
out=$("$demo" --server "$server" "$work/demo")
[ $? -eq 0 ] || fail "exit code"
out=$(printf '%s\n' "$out" | invariant)
# The day and its table; the folders named after it are each run's own.
table() { grep -v '^Die Demo' | sed '/^Kontendatei:/,$d'; }
printf '%s\n' "$out" | table >"$work/tabelle.txt"
contains "refusal" "$out" \
  "  Demo Platzierregel: Order R-2 nicht platziert – Order abgelehnt: höchstens 1 offene Position(en)"
contains "event" "$out" \
  "  AlleOrdersStreichen(Demo Streichregel): 2 offene Enter-Order(s) werden gestrichen"
contains "summary" "$out" \
  "Abgelehnte Orders: 1, AlleOrdersStreichen: 1, daraufhin gestrichene Enter-Orders: 2"
contains "header" "$out" \
  "                                 Demo Aktien  Demo Kontrakte  Demo Dollar  Demo Platzierregel  Demo Streichregel"
contains "positions" "$out" \
  "Positionen                              0.00            1.00         1.00                1.00               1.00"
contains "open orders" "$out" \
  "OffeneOrders                            0.00            0.00         0.00                0.00               0.00"
contains "fills" "$out" \
  "AusgeführteOrders                       4.00            3.00         1.00                1.00               1.00"

! grep -E 'Sanitizer|runtime error:' "$work/demo/Tradomir/kontoserver.log" || fail "server log"

store="$work/demo/Tradomir/Daten/VKSVirtKonten.dat"
"$store_tool" check "$store" >/dev/null || fail "store check"
[ "$("$store_tool" dump "$store" | grep -c '"record": "clKonto"')" = 5 ] || fail "five accounts"
files=$(find "$work/demo/RTT" -name '*.RTT' | wc -l)
[ "$files" -gt 200 ] || fail "RTT files: $files"
find "$work/demo/RTT" -name '*.RTT' -exec "$rtt_tool" info {} + > "$work/info.txt" || fail "vks-rtt info"
[ "$(grep -c '^Wohlgeformt: ja$' "$work/info.txt")" = "$files" ] || fail "well formed"

# A second run starts from a clean folder and prints the same table.
again=$("$demo" --server "$server" "$work/demo" | invariant | table)
[ "$again" = "$(cat "$work/tabelle.txt")" ] || fail "second run differs"

[ $failures -eq 0 ] && echo "vks-host-demo: alles in Ordnung"
exit $failures
