#!/bin/sh
# with_locale.sh LOCALE COMMAND...: runs the command with every locale category set to LOCALE, as
# for a user with those system settings. A locale the machine lacks falls back to C without a word,
# so its absence fails the test at once (setup.sh generates the locales).
locale=$1
shift
wanted=$(printf '%s' "$locale" | tr 'A-Z' 'a-z' | sed 's/utf-8$/utf8/')
if ! locale -a 2>/dev/null | tr 'A-Z' 'a-z' | grep -qxF "$wanted"; then
  echo "Die Locale $locale fehlt auf diesem Rechner (./setup.sh --deps-only erzeugt sie)." >&2
  exit 1
fi
unset LANGUAGE
LC_ALL=$locale
LANG=$locale
export LC_ALL LANG
exec "$@"
