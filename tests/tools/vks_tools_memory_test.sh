#!/bin/sh
# vks-rtt info and vks-store check on files of 2 GiB, with the address space held far below that:
# a tool that reads a whole file into memory fails here. The files are sparse, so they cost no disk.
# Arguments: the vks-rtt and vks-store binaries, the repository's data folder, a scratch folder.
set -u
rtt_tool=$1
store_tool=$2
data=$3
work=$4
limit_kib=524288
size=2147483664  # 2 GiB and one record
failures=0
fail() {
  echo "FEHLER: $*"
  failures=$((failures + 1))
}

rm -rf "$work" && mkdir -p "$work" || exit 1

# A real header, then zero records up to the size.
head -c 856 "$data/RTT/Neues Konto/Portfolio/KapitalCash-Neues Konto.RTT" >"$work/big.RTT"
truncate -s $size "$work/big.RTT" || exit 1
out=$( (ulimit -v $limit_kib && "$rtt_tool" info "$work/big.RTT") 2>&1)
[ $? -eq 0 ] || fail "vks-rtt info endet mit Fehler: $out"
case $out in
  *"Datensätze: 134217675"*) ;;
  *) fail "vks-rtt info meldet: $out" ;;
esac

# Zeros read as one Empty value and then bytes that do not belong to any value.
truncate -s $size "$work/big.dat" || exit 1
err=$( (ulimit -v $limit_kib && "$store_tool" check "$work/big.dat") 2>&1 >/dev/null)
[ $? -eq 1 ] || fail "vks-store check endet nicht mit 1"
case $err in
  *"Kontendatei beschädigt: 2147483662 überzählige Bytes ab Byte 2") ;;
  *) fail "vks-store check meldet: $err" ;;
esac

rm -rf "$work"
[ $failures -eq 0 ] && echo "vks-rtt info, vks-store check: klein auf großen Dateien"
exit $failures
