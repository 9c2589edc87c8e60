#!/usr/bin/env bash
# Sets up a fresh Debian 12 machine: installs the packages, builds and installs the account server
# and its tools, then runs the main job: the demo host plays a bundled trading day against the
# server over D-Bus.
#   ./setup.sh             everything
#   ./setup.sh --deps-only only the packages
set -euo pipefail
cd "$(dirname "$0")"

SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -q
$SUDO apt-get install -y -q --no-install-recommends \
  cmake ninja-build g++ pkg-config make \
  googletest libgtest-dev libgmock-dev libbenchmark-dev \
  libsqlite3-dev nlohmann-json3-dev liblua5.4-dev libpcre2-dev \
  qt6-base-dev qt6-svg-dev qt6-charts-dev libqt6opengl6-dev qt6-wayland \
  dbus python3-dbus python3-gi \
  clang libclang-rt-14-dev \
  xvfb xauth x11-utils imagemagick locales
# Numbers and dates follow the user's locale; the tests run under both of these. Only a missing one
# is generated, so a machine that has them (generated before, or locales-all) stays as it is.
has_locale() { locale -a 2>/dev/null | grep -Eix "$1\.utf-?8" >/dev/null; }
missing=""
for wanted in de_DE en_US; do
  has_locale $wanted && continue
  missing="$missing $wanted"
  if grep -Eq "^# ?$wanted\.UTF-8 UTF-8" /etc/locale.gen 2>/dev/null; then
    $SUDO sed -i -E "s/^# ?($wanted\.UTF-8 UTF-8)/\1/" /etc/locale.gen
  elif ! grep -qx "$wanted.UTF-8 UTF-8" /etc/locale.gen 2>/dev/null; then
    echo "$wanted.UTF-8 UTF-8" | $SUDO tee -a /etc/locale.gen >/dev/null
  fi
done
if [ -n "$missing" ]; then
  $SUDO locale-gen >/dev/null
  for wanted in $missing; do
    has_locale $wanted || { echo "setup.sh: locale-gen hat $wanted.UTF-8 nicht erzeugt" >&2; exit 1; }
  done
fi
[ "${1:-}" = "--deps-only" ] && exit 0

cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release
cmake --build build -j"$(nproc)"
# As the host's installer does: the installation folder with its Daten folder, and the registry
# value that tells the server where the main installation is.
cmake --install build

# Main job: the demo host on a session bus of its own (so it runs without a desktop session), where
# the bus activates the server just installed; accounts, store and RTT files go to build/demo.
./build/tools/vks-host-demo/vks-host-demo build/demo
