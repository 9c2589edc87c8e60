#!/usr/bin/env bash
# The Debian package on this machine as a user gets it: cpack in the tests' build folder (no build
# of its own), apt-get installs it with its dependencies, a new user's first start makes the user's
# own folder the main installation, the demo plays against the installed server on a private
# session bus, and apt-get remove leaves no file of the package behind, only the users' data.
#   .ci/deb.sh [BUILD]      BUILD: a configured and built tree, build-test by default
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build-test}
work=$(mktemp -d /tmp/vks-deb.XXXXXX)
SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
failures=0
fail() { echo "FEHLER: $*"; failures=$((failures + 1)); }
benutzer=vkspaket
key='HKLM\Software\Wendrich Software Entwicklung\Tradomir\PfadV7'

(cd "$build" && cpack -G DEB >"$work/cpack.log" 2>&1) || { cat "$work/cpack.log"; exit 1; }
deb=$(realpath "$build"/tradomir-kontoserver_*.deb)
depends=$(dpkg-deb -f "$deb" Depends)
for lib in libqt6core6 libqt6widgets6 libqt6dbus6 libsystemd0 libsqlite3-0 libpcre2-8-0 dbus-daemon; do
  case "$depends" in *"$lib"*) ;; *) fail "Depends ohne $lib: $depends" ;; esac
done

export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get install -y -q --no-install-recommends "$deb" >"$work/install.log" 2>&1 ||
  { cat "$work/install.log"; exit 1; }
dpkg -L tradomir-kontoserver | sort >"$work/dateien"
for f in /usr/bin/vks-konten /usr/bin/vks-host-demo /usr/bin/vks-store /usr/bin/vks-rtt \
  /usr/bin/vks-reg /usr/bin/vks-script /usr/bin/vbs /usr/libexec/tradomir/vks-kontoserver; do
  [ -x "$f" ] || fail "$f fehlt"
done
for f in /usr/share/dbus-1/services/de.tradomir.VKSKontoServerV7.service \
  /usr/share/applications/de.tradomir.VKSKonten.desktop \
  /usr/share/systemd/user/vks-kontoserver.service \
  /usr/share/doc/tradomir-kontoserver/handbuch.html \
  /usr/share/bash-completion/completions/vks-store /usr/share/tradomir/demo/Handelstag.txt; do
  [ -f "$f" ] || fail "$f fehlt"
done
for tool in vks-kontoserver vks-konten vks-host-demo vks-store vks-rtt vks-reg vks-script vbs; do
  ls /usr/share/man/man1/$tool.1* >/dev/null 2>&1 || fail "Handbuchseite $tool fehlt"
done
grep -qx 'Exec="/usr/libexec/tradomir/vks-kontoserver"' \
  /usr/share/dbus-1/services/de.tradomir.VKSKontoServerV7.service || fail "Exec= der .service-Datei"
grep -qx 'ExecStart="/usr/libexec/tradomir/vks-kontoserver"' \
  /usr/share/systemd/user/vks-kontoserver.service || fail "ExecStart= der Unit"
# The unit as systemd reads it (there is no user manager in a CI container: the system manager's
# parser checks the same settings; the page it names is checked above).
if command -v systemd-analyze >/dev/null; then
  systemd-analyze verify --man=no /usr/share/systemd/user/vks-kontoserver.service >"$work/verify" 2>&1 ||
    fail "systemd-analyze verify: $(cat "$work/verify")"
else
  echo "Hinweis: ohne systemd-analyze bleibt die Unit ungeprüft"
fi

# Completion: sub-commands, and options from the tool's own help.
completion() {
  bash -c 'source /usr/share/bash-completion/completions/vks-store
           COMP_WORDS=("$@"); COMP_CWORD=$(($# - 1)); _vks; echo "${COMPREPLY[*]}"' _ "$@"
}
[ "$(completion vks-store du)" = dump ] || fail "Ergänzung vks-store du: $(completion vks-store du)"
[ "$(completion vks-store check --js)" = --json ] || fail "Ergänzung --js: $(completion vks-store check --js)"

# A user of this machine, at the first start: the server from the package makes the user's own
# folder the main installation, without a word of warning; the registry says which.
id "$benutzer" >/dev/null 2>&1 || $SUDO useradd -m "$benutzer"
home=$(getent passwd "$benutzer" | cut -d: -f6)
als_benutzer() { $SUDO runuser -u "$benutzer" -- env -i HOME="$home" PATH=/usr/bin:/bin LANG=C.UTF-8 "$@"; }
als_benutzer dbus-run-session -- vks-konten --status >"$work/status" 2>"$work/status.log" ||
  fail "vks-konten --status: $(cat "$work/status.log")"
grep -qx "Datenordner: $home/.local/share/tradomir/Kontoserver/Daten" "$work/status" ||
  fail "Datenordner beim ersten Start: $(cat "$work/status")"
grep -q "Haupt-Installation von Tradomir" "$work/status.log" &&
  fail "Warnung beim ersten Start: $(cat "$work/status.log")"
als_benutzer vks-reg query "$key" | grep -qF "$home/.local/share/tradomir/Kontoserver" ||
  fail "Haupt-Installation nicht eingetragen: $(als_benutzer vks-reg query "$key" 2>&1)"

# The menu entry's command under Xvfb, as that user: the account list window opens (the first
# start is behind, so no box asks anything), --schliessen closes it, and both programs end.
menu=$(sed -n 's/^Exec="\(.*\)"$/\1/p' /usr/share/applications/de.tradomir.VKSKonten.desktop)
[ "$menu" = /usr/bin/vks-konten ] || fail "Exec= des Menüeintrags: $menu"
if command -v xvfb-run >/dev/null; then
  als_benutzer timeout 60 xvfb-run -a dbus-run-session -- sh -c '
    "$1" >"$HOME/fenster.out" 2>&1 &
    for i in $(seq 300); do grep -q "ist offen" "$HOME/fenster.out" && break; sleep 0.1; done
    vks-konten --schliessen && wait $!' _ "$menu" >"$work/fenster.log" 2>&1 ||
    fail "Kontenliste aus dem Menü: $(cat "$work/fenster.log" "$home/fenster.out" 2>&1)"
  grep -q "ist offen" "$home/fenster.out" || fail "Kontenfenster nicht offen: $(cat "$home/fenster.out")"
fi

# The demo against the installed server, activated on a private session bus.
dbus-run-session -- vks-host-demo "$work/demo" >"$work/demo.out" 2>&1 || fail "Demo: $(cat "$work/demo.out")"
grep -qx "Der Bus hat den Kontoserver aktiviert (installierte .service-Datei)." "$work/demo.out" ||
  fail "keine Aktivierung: $(cat "$work/demo.out")"
grep -q "^Abgelehnte Orders: 1," "$work/demo.out" || fail "Demo-Ergebnis: $(cat "$work/demo.out")"

# Removed: none of the package's files stays; the user's accounts do.
$SUDO apt-get remove -y -q tradomir-kontoserver >"$work/remove.log" 2>&1 || { cat "$work/remove.log"; exit 1; }
while read -r f; do
  # Folders the package shares with others (/usr/bin, /usr/share/man/man1, ...) stay.
  if [ -d "$f" ]; then
    case "$f" in */tradomir | */tradomir/* | */tradomir-kontoserver) fail "Ordner bleibt: $f" ;; esac
  elif [ -e "$f" ] || [ -L "$f" ]; then
    fail "bleibt nach dem Entfernen: $f"
  fi
done <"$work/dateien"
[ -d "$home/.local/share/tradomir/Kontoserver/Daten" ] || fail "die Daten des Benutzers sind weg"

$SUDO userdel -r "$benutzer" 2>/dev/null || true
rm -rf "$work"
[ $failures -eq 0 ] && echo "Debian-Paket: alles in Ordnung"
exit $failures
