#!/bin/sh
# vks-script on the bundled sample store, one table: the account's placement rule, rule files that
# round and ask to cancel, refuse an order (exit 3) or fail (exit 1), an unknown account, and the
# same as JSON. Arguments: the vks-script binary, the repository's data folder, a scratch folder.
tool=$1
store=$2/Daten/VKSVirtKonten.dat
work=$3
mkdir -p "$work"
failures=0
fail() { echo "FEHLER: $*"; failures=$((failures + 1)); }
printf 'Ergebnis = 3.5\r\nStreicheEnterOrders\r\n' >"$work/rule.vbs"
printf 'Ergebnis = 1\r\nErgebnis = 2.5 +\r\n' >"$work/bad.vbs"
printf 'Ergebnis = 7\r\n' >"$work/refuse.vbs"

# account | further arguments | exit code | output (\n between lines; a leading * matches a part)
table="
müller-depot|--placement Buy|0|Konto: Müller-Depot\nErgebniscode: -1\nErgebnis: 0\nOrder erlaubt\nStreicheEnterOrders: keine
Konto Zürich|--file $work/rule.vbs|0|Konto: Konto Zürich\nErgebniscode: -1\nErgebnis: 4\nStreicheEnterOrders: Konto Zürich
Konto Zürich|--file $work/bad.vbs|1|*Ergebniscode: -301\nFehler 1023 in Zeile 2: Ausdruck erwartet
Konto Zürich|--placement Sell --file $work/refuse.vbs|3|*Ergebnis: 7\nOrder verboten, Meldung:
Konto Zürich|--placement 1 --file $work/refuse.vbs --json|3|{\"konto\":\"Konto Zürich\",\"ergebniscode\":-1,\"ergebnis\":7,\"order\":\"verboten\",\"meldung\":\"\",\"streiche_enter_orders\":[]}
Konto Zürich|--file $work/bad.vbs --json|1|*\"fehler\":{\"nummer\":1023,\"zeile\":2,\"meldung\":\"Ausdruck erwartet
Unbekannt|--cancel|1|
"
IFS='
'
for row in $table; do
  account=${row%%|*}; rest=${row#*|}
  args=${rest%%|*}; rest=${rest#*|}
  code=${rest%%|*}; want=$(printf '%b' "${rest#*|}")
  IFS=' '
  # shellcheck disable=SC2086
  out=$("$tool" --store "$store" --account "$account" $args 2>/dev/null)
  got=$?
  IFS='
'
  [ $got -eq "$code" ] || fail "$account $args endet mit $got statt $code"
  case $want in
    \**) case $out in *"${want#\*}"*) ;; *) fail "$account $args gibt aus: $out" ;; esac ;;
    *) [ "$out" = "$want" ] || fail "$account $args gibt aus: $out" ;;
  esac
done

[ $failures -eq 0 ] && echo "vks-script: alle Prüfungen bestanden"
exit $failures
