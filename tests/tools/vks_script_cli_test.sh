#!/bin/sh
# vks-script on the bundled sample store: a placement rule, the cancellation rule, a rule file that
# rounds, asks to cancel and fails, each with its output and exit code.
tool=$1
store=$2/Daten/VKSVirtKonten.dat
work=$3
mkdir -p "$work"
failures=0
fail() { echo "FEHLER: $*"; failures=$((failures + 1)); }
expect() {  # expect NAME EXPECTED ACTUAL
  [ "$2" = "$3" ] || fail "$1: erwartet
$2
erhalten
$3"
}

out=$("$tool" --store "$store" --account "müller-depot" --placement Buy)
expect "placement exit" 0 $?
expect "placement" "Konto: Müller-Depot
Ergebniscode: -1
Ergebnis: 0
Order erlaubt
StreicheEnterOrders: keine" "$out"

printf 'Ergebnis = 3.5\r\nStreicheEnterOrders\r\n' > "$work/rule.vbs"
out=$("$tool" --store "$store" --account "Konto Zürich" --file "$work/rule.vbs")
expect "file exit" 0 $?
expect "file" "Konto: Konto Zürich
Ergebniscode: -1
Ergebnis: 4
StreicheEnterOrders: Konto Zürich" "$out"

printf 'Ergebnis = 1\r\nErgebnis = 2.5 +\r\n' > "$work/bad.vbs"
out=$("$tool" --store "$store" --account "Konto Zürich" --file "$work/bad.vbs")
expect "error exit" 1 $?
case $out in
  *"Ergebniscode: -301"*"in Zeile 2: Ausdruck erwartet"*) ;;
  *) fail "error report: $out" ;;
esac

"$tool" --store "$store" --account "Unbekannt" --cancel >/dev/null 2>&1
[ $? -ne 0 ] || fail "unknown account accepted"
"$tool" --store "$store" >/dev/null 2>&1
expect "usage exit" 2 $?

[ $failures -eq 0 ] && echo "vks-script: alle Prüfungen bestanden"
exit $failures
