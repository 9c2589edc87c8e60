#!/usr/bin/env bash
# debian-source.sh PACKAGE TARBALL: the upstream tarball of Debian's source package PACKAGE (the
# release that Debian's own -dev package ships), for the Windows build, which compiles it with the
# cross compiler where Debian has no mingw package of it. Uses a source list of its own, so the
# machine's apt configuration stays as it is.
set -euo pipefail
package="$1"
target="$2"
[ -s "$target" ] && exit 0
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/lists/partial"
. /etc/os-release
echo "deb-src http://deb.debian.org/debian ${VERSION_CODENAME:-bookworm} main" > "$work/sources.list"
apt_options=(-o "Dir::Etc::SourceList=$work/sources.list" -o "Dir::Etc::SourceParts=/dev/null"
             -o "Dir::State::Lists=$work/lists" -o "Debug::NoLocking=1" -q)
apt-get "${apt_options[@]}" update >/dev/null
(cd "$work" && apt-get "${apt_options[@]}" --download-only source "$package" >/dev/null)
mkdir -p "$(dirname "$target")"
cp "$work/${package}"_*.orig.tar.* "$target"
