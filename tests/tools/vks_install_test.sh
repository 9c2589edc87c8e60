#!/bin/sh
# Installs the build tree as a package build stages it (DESTDIR) and as a user moves it (--prefix
# with a blank in it): nothing lands outside the prefix, the Exec= lines name the installed
# programs, the install leaves the registry alone and the per-user set-up step writes it. The
# installed demo then gets the installed server activated through the installed .service file, and
# a server outside the main installation logs how to make it the main one.
build=$1
work=$2
seiten=${3:-}  # the man pages the build makes, relative to share/
rm -rf "$work"
mkdir -p "$work/home"
failures=0
fail() { echo "FEHLER: $*"; failures=$((failures + 1)); }
# Whatever writes to the builder's home or registry shows up here.
export HOME="$work/home" VKS_REGISTRY="$work/registry.sqlite"
unset XDG_DATA_HOME XDG_CONFIG_HOME
key='HKLM\Software\Wendrich Software Entwicklung\Tradomir\PfadV7'

exec_of() { sed -n 's/^Exec="\(.*\)"$/\1/p' "$1"; }
check_tree() {  # check_tree NAME ROOT PREFIX EXEC_PREFIX: ROOT holds only PREFIX, PREFIX all of it
  outside=$(find "$2" -mindepth 1 | while read -r f; do
    case "$3/" in "$f"/*) ;; *) case "$f" in "$3"/*) ;; *) echo "$f" ;; esac ;; esac
  done)
  [ -z "$outside" ] || fail "$1: außerhalb des Präfixes: $outside"
  for f in bin/vks-store bin/vks-rtt bin/vbs bin/vks-script bin/vks-reg bin/vks-konten \
    bin/vks-host-demo libexec/tradomir/vks-kontoserver; do
    [ -x "$3/$f" ] || fail "$1: $f fehlt"
  done
  [ -d "$3/libexec/tradomir/Daten" ] || fail "$1: Daten fehlt"
  [ -f "$3/share/tradomir/demo/Handelstag.txt" ] || fail "$1: Handelstag fehlt"
  [ "$(exec_of "$3/share/dbus-1/services/de.tradomir.VKSKontoServerV7.service")" = \
    "$4/libexec/tradomir/vks-kontoserver" ] || fail "$1: Exec= der .service-Datei"
  [ "$(exec_of "$3/share/applications/de.tradomir.VKSKonten.desktop")" = "$4/bin/vks-konten" ] ||
    fail "$1: Exec= der .desktop-Datei"
  [ "$(sed -n 's/^ExecStart="\(.*\)"$/\1/p' "$3/share/systemd/user/vks-kontoserver.service")" = \
    "$4/libexec/tradomir/vks-kontoserver" ] || fail "$1: ExecStart= der systemd-Unit"
  grep -qx "SystemdService=vks-kontoserver.service" \
    "$3/share/dbus-1/services/de.tradomir.VKSKontoServerV7.service" || fail "$1: SystemdService="
  # shellcheck disable=SC2086
  for f in doc/tradomir-kontoserver/handbuch.html bash-completion/completions/vks-reg $seiten; do
    [ -f "$3/share/$f" ] || fail "$1: $f fehlt"
  done
  [ -z "$(ls -A "$HOME")" ] || fail "$1: in HOME geschrieben: $(ls -A "$HOME")"
  [ ! -e "$VKS_REGISTRY" ] || fail "$1: die Installation schreibt die Registrierung"
}

# Staged, as a package build does; an absolute destination would stop the install script.
DESTDIR="$work/stage" cmake -DCMAKE_INSTALL_PREFIX=/usr -DCMAKE_ERROR_ON_ABSOLUTE_INSTALL_DESTINATION=ON \
  -P "$build/cmake_install.cmake" >"$work/stage.log" 2>&1 || fail "DESTDIR: $(cat "$work/stage.log")"
check_tree DESTDIR "$work/stage" "$work/stage/usr" /usr

prefix="$work/mit Leerzeichen/tradomir"
cmake --install "$build" --prefix "$prefix" >"$work/prefix.log" 2>&1 ||
  fail "--prefix: $(cat "$work/prefix.log")"
check_tree --prefix "$work/mit Leerzeichen" "$prefix" "$prefix"

# The set-up step makes the installed server the main installation.
out=$("$prefix/libexec/tradomir/vks-kontoserver" --registrieren) || fail "--registrieren: Exit-Code"
printf '%s\n' "$out" | grep -qF "$prefix/libexec/tradomir" || fail "--registrieren sagt nicht, was: $out"
"$prefix/bin/vks-reg" query "$key" | grep -qF "$prefix/libexec/tradomir" ||
  fail "Registrierung: $("$prefix/bin/vks-reg" query "$key" 2>&1)"

# Under systemd the log goes to the journal, each line with its priority; elsewhere as it is.
for journal in ja nein; do
  : >"$work/journal.log"
  stream=""
  [ $journal = nein ] || stream=$(stat -c '%d:%i' "$work/journal.log")
  JOURNAL_STREAM=$stream DBUS_SESSION_BUS_ADDRESS="unix:path=$work/kein-bus" \
    env -u DISPLAY -u WAYLAND_DISPLAY "$prefix/libexec/tradomir/vks-kontoserver" 2>"$work/journal.log"
  first=$(grep -m 1 "FEHLER: " "$work/journal.log")
  case "$journal:$first" in
    "ja:<3>FEHLER: "* | "nein:FEHLER: "*) ;;
    *) fail "Journal $journal: $first" ;;
  esac
done

# The demo needs its folder; a day given with --tag is read as the day.
"$prefix/bin/vks-host-demo" >/dev/null 2>&1
[ $? -eq 2 ] || fail "vks-host-demo ohne ORDNER: Exit-Code"
"$prefix/bin/vks-host-demo" --tag "$work/kein Tag.txt" "$work/demo" 2>"$work/tag.txt"
[ $? -eq 1 ] && grep -qF "$work/kein Tag.txt fehlt" "$work/tag.txt" || fail "--tag: $(cat "$work/tag.txt")"

# Activation through the installed file, its Exec= path with a blank.
out=$(XDG_DATA_HOME="$prefix/share" "$prefix/bin/vks-host-demo" "$work/demo") || fail "Demo: $out"
printf '%s\n' "$out" | grep -qx "Der Bus hat den Kontoserver aktiviert (installierte .service-Datei)." ||
  fail "keine Aktivierung: $out"
printf '%s\n' "$out" | grep -q "^Abgelehnte Orders: 1," || fail "Demo-Ergebnis: $out"

# Started by the demo itself: the demo's own registry names no main installation, so the server's
# log tells the command that makes its folder one.
"$prefix/bin/vks-host-demo" --server "$prefix/libexec/tradomir/vks-kontoserver" "$work/demo" \
  >/dev/null || fail "Demo mit --server"
grep -qxF "Hinweis: '$prefix/libexec/tradomir/vks-kontoserver' --registrieren macht diesen Ordner zur Haupt-Installation." \
  "$work/demo/Tradomir/kontoserver.log" || fail "kein Hinweis: $(cat "$work/demo/Tradomir/kontoserver.log")"

[ $failures -eq 0 ] && echo "Installation: alles in Ordnung"
exit $failures
