#!/bin/sh
# The account list window on a real X server (Xvfb), end to end; see vks_konten_x11.py.
#   vks_konten_xvfb_test.sh VKS-KONTEN VKS-KONTOSERVER VKS-REG STORE OUTDIR
set -eu
if ! command -v xvfb-run >/dev/null 2>&1; then
  echo "übersprungen: xvfb-run fehlt (Debian-Paket xvfb)"
  exit 77
fi
# Every step has its own limit; this one only ends a hang of Xvfb itself.
exec timeout -k 10 240 xvfb-run -a -s "-screen 0 1280x800x24 -nolisten tcp" \
  /usr/bin/python3 "$(dirname "$0")/vks_konten_x11.py" "$@"
