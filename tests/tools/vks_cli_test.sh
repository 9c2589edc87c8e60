#!/bin/sh
# The command-line convention of every tool, one table: --help on standard output with exit 0,
# --version, usage errors with exit 2 and their reason, failures with exit 1, output to a full
# disk is a failure, "-" reads standard input and writes standard output.
# Arguments: the build folder, the repository's data folder, a scratch folder.
set -u
build=$1
data=$2
work=$3
store=$data/Daten/VKSVirtKonten.dat
rttfile="$data/RTT/Konto Zürich/Portfolio/KapitalGesamt-Konto Zürich.RTT"
failures=0
fail() {
  echo "FEHLER: $*"
  failures=$((failures + 1))
}
rm -rf "$work" && mkdir -p "$work" || exit 1
# The sample's path holds blanks; the table splits its arguments at them.
cp "$rttfile" "$work/probe.RTT" || exit 1
printf 'If WScript.Arguments.Count > 0 Then WScript.Echo "echo " & WScript.Arguments(0)\n' >"$work/echo.vbs"

# tool | arguments (split at blanks; @S@ the sample store, @R@ a sample RTT file, @W@ the scratch
# folder) | exit code |
# what standard output must hold | what standard error must hold ("" for empty)
table="
tools/vks-store|--help|0|Aufruf: vks-store|
tools/vks-store|--version|0|vks-store 7.0|
tools/vks-store|dump --help|0|Aufruf: vks-store dump|
tools/vks-store||2||vks-store: Befehl fehlt
tools/vks-store|frobnicate|2||Mehr mit vks-store --help
tools/vks-store|dump|2||vks-store: DATEI fehlt
tools/vks-store|pack x|2||vks-store: DATEI fehlt
tools/vks-store|dump /nicht/da|1||vks-store: 
tools/vks-store|check --json @S@|0|\"konten\":4|
tools/vks-rtt/vks-rtt|--help|0|Aufruf: vks-rtt|
tools/vks-rtt/vks-rtt|--version|0|vks-rtt 7.0|
tools/vks-rtt/vks-rtt|tail -n x @R@|2||vks-rtt: -n: keine ganze Zahl ab 0: x
tools/vks-rtt/vks-rtt|info /nicht/da|1||vks-rtt: 
tools/vks-rtt/vks-rtt|info --json @R@|0|\"records\":10|
programs/vks-kontoserver/vks-kontoserver|--help|0|Aufruf: vks-kontoserver|
programs/vks-kontoserver/vks-kontoserver|--version|0|vks-kontoserver 7.0|
programs/vks-kontoserver/vks-kontoserver|--bogus|2||vks-kontoserver: unerwartete Angabe: --bogus
tools/vbs|--help|0|Aufruf: vbs|
tools/vbs|--version|0|vbs 7.0|
tools/vbs||2||vbs: SKRIPT oder -e fehlt
tools/vbs|-e 1+2|0|3|
tools/vbs|-i @W@/echo.vbs @W@/echo.vbs eins|0|echo eins|
tools/vbs|/nicht/da.vbs|1||vbs: /nicht/da.vbs: Datei nicht gefunden
tools/vks-konten/vks-konten|--help|0|Aufruf: vks-konten|
tools/vks-konten/vks-konten|--version|0|vks-konten 7.0|
tools/vks-konten/vks-konten|--zeigen|2||vks-konten: unerwartete Angabe: --zeigen
tools/vks-konten/vks-konten|--status --schliessen|2||schließen einander aus
tools/vks-host-demo/vks-host-demo|--help|0|Aufruf: vks-host-demo|
tools/vks-host-demo/vks-host-demo|--version|0|vks-host-demo 7.0|
tools/vks-host-demo/vks-host-demo||2||vks-host-demo: ORDNER fehlt
tools/vks-host-demo/vks-host-demo|--tag @W@/kein.txt @W@/demo|1||vks-host-demo: @W@/kein.txt fehlt
tools/vks-ui-shots/vks-ui-shots|--help|0|Aufruf: vks-ui-shots|
tools/vks-ui-shots/vks-ui-shots|--version|0|vks-ui-shots 7.0|
tools/vks-ui-shots/vks-ui-shots||2||vks-ui-shots: AUSGABEORDNER fehlt
tools/vks-reg/vks-reg|--help|0|query SCHLÜSSEL|
tools/vks-reg/vks-reg|--version|0|vks-reg 7.0|
tools/vks-script|--help|0|Aufruf: vks-script|
tools/vks-script|--version|0|vks-script 7.0|
tools/vks-script|--store @S@|2||vks-script: --account fehlt
tools/vks-script|--store @S@ --account x|2||vks-script: --placement, --cancel oder --file fehlt
tools/vks-script|--store @S@ --account x --cancel --placement Buy|2||schließen einander aus
tools/vks-script|--store @S@ --account müller-depot --placement Buy --json|0|\"order\":\"erlaubt\"|
"
IFS='
'
for row in $table; do
  tool=${row%%|*}; rest=${row#*|}
  args=${rest%%|*}; rest=${rest#*|}
  code=${rest%%|*}; rest=${rest#*|}
  out_text=${rest%%|*}; err_text=${rest#*|}
  err_text=$(printf '%s' "$err_text" | sed "s|@W@|$work|g")
  set -f
  IFS=' '
  # shellcheck disable=SC2086
  set -- $(printf '%s' "$args" | sed "s|@S@|$store|g; s|@R@|$work/probe.RTT|g; s|@W@|$work|g")
  IFS='
'
  set +f
  "$build/$tool" "$@" >"$work/out" 2>"$work/err"
  got=$?
  [ $got -eq "$code" ] || fail "$tool $args endet mit $got statt $code"
  [ -z "$out_text" ] || grep -qF -- "$out_text" "$work/out" || fail "$tool $args: Ausgabe $(head -c 200 "$work/out")"
  if [ -z "$err_text" ]; then
    [ -s "$work/err" ] && fail "$tool $args schreibt auf stderr: $(cat "$work/err")"
  else
    grep -qF -- "$err_text" "$work/err" || fail "$tool $args meldet: $(cat "$work/err")"
  fi
  # Output that cannot be written is a failure, help included.
  if [ "$code" -eq 0 ]; then
    "$build/$tool" "$@" >/dev/full 2>"$work/err"
    [ $? -eq 1 ] || fail "$tool $args auf die volle Platte endet nicht mit 1"
    grep -qF "Die Ausgabe ließ sich nicht schreiben" "$work/err" || fail "$tool $args >/dev/full: $(cat "$work/err")"
  fi
done

# Pipes: "-" for standard input and standard output.
"$build/tools/vks-store" dump "$store" | "$build/tools/vks-store" pack - - >"$work/piped.dat" ||
  fail "dump | pack - - endet mit Fehler"
cmp -s "$work/piped.dat" "$store" || fail "dump | pack - - ergibt nicht die Kontendatei"
"$build/tools/vks-rtt/vks-rtt" dump - <"$rttfile" >"$work/stdin.csv" || fail "vks-rtt dump - endet mit Fehler"
"$build/tools/vks-rtt/vks-rtt" dump "$rttfile" | cmp -s - "$work/stdin.csv" || fail "vks-rtt dump - liest nicht die Standardeingabe"

[ $failures -eq 0 ] && echo "Kommandozeile: alle Prüfungen bestanden"
exit $failures
