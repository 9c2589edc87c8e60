#!/bin/sh
# Renders the windows' pictures and fails when one is missing or blank (a single colour).
set -eu
shots="$1"
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
"$shots" "$out"
for name in frmHauptfenster frmHauptfenster_markiert frmRTTSpeicherordner \
    Meldung_KontoMarkieren Meldung_KontoWaehlen Meldung_EinstellungsordnerFalsch \
    Meldung_ZeitZurueck Meldung_KontoLoeschen Meldung_RTTLoeschfehler Meldung_FehlerAufgetreten \
    Meldung_OrdnerAngeben Meldung_OrdnerAnlegen Meldung_OrdnerNichtAngelegt \
    Meldung_OrdnerAngelegt Meldung_SpeicherpfadGeaendert Meldung_ErsterStart \
    frmKontoUebersicht frmNeuesKonto_Einstellungen frmNeuesKonto_Skripts \
    frmVBScriptBearbeiten frmVBScriptBearbeiten_Kennzahlen; do
  file="$out/$name.png"
  if [ ! -s "$file" ]; then
    echo "missing: $file"
    exit 1
  fi
  colours=$(identify -format '%k' "$file")
  if [ "$colours" -lt 2 ]; then
    echo "blank: $file"
    exit 1
  fi
done
echo "all pictures present"
