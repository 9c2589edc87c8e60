#!/bin/sh
# vks-script TOOL STORE JOINED FILE.vbs...: runs the files joined into one as a rule of an account of
# the store; a self-checking script passes when its failure count, the rule's Ergebnis, is 0.
tool=$1
store=$2
joined=$3
shift 3
cat "$@" > "$joined"
out=$("$tool" --store "$store" --account "Konto Zürich" --file "$joined")
code=$?
printf '%s\n' "$out"
[ $code -eq 0 ] && printf '%s\n' "$out" | grep -qx "Ergebnis: 0"
