#!/bin/sh
# vks-reg as a user runs it, on a real store in a temporary folder, each command its own process.
# Arguments: the vks-reg executable, a scratch folder.
set -eu
reg="$1"
work="$2"
rm -rf "$work"
mkdir -p "$work"
export VKS_REGISTRY="$work/store/"
fail() { echo "FAIL: $*" >&2; exit 1; }

key='HKCU\Software\VB and VBA Program Settings\Tradomir\Programm'
"$reg" add "$key" /v PfadV7 /d '/opt/tradomir' >/dev/null
"$reg" add "$key" /v Zahl /t REG_DWORD /d 258 >/dev/null
[ "$("$reg" query "$key" /v pfadv7)" = "HKEY_CURRENT_USER\\Software\\VB and VBA Program Settings\\Tradomir\\Programm
    PfadV7    REG_SZ    /opt/tradomir" ] || fail "query after add"

"$reg" export 'HKCU\Software' "$work/a.reg" >/dev/null
"$reg" delete 'HKCU\Software' /f >/dev/null
if "$reg" query "$key" 2>"$work/err"; then fail "key still there after delete"; fi
grep -q "FEHLER: Der angegebene Registrierungsschl" "$work/err" || fail "message for a missing key"
"$reg" import "$work/a.reg" >/dev/null
"$reg" query "$key" /v Zahl | grep -q "Zahl    REG_DWORD    0x102" || fail "import"

printf 'REGEDIT4\r\n[HKCU\\x]\r\n"v"=dword:1\r\n' >"$work/bad.reg"
if "$reg" import "$work/bad.reg" 2>"$work/err"; then fail "bad file imported"; fi
grep -q "Zeile 3" "$work/err" || fail "bad file without its line"

echo ok
