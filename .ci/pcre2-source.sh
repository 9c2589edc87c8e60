#!/usr/bin/env bash
# pcre2-source.sh TARBALL: Debian's source of PCRE2 (the release that libpcre2-dev ships), for the
# Windows build's regular expressions.
exec "$(dirname "$0")/debian-source.sh" pcre2 "$1"
