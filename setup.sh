#!/usr/bin/env bash
# Sets up a fresh Debian 12 machine for running the account server: installs the packages it needs,
# builds it without tests, benches and fuzzers, installs it below ~/.local for this user, makes that
# the main installation, then runs the main job: the demo host plays a bundled trading day against
# the server over D-Bus.
#   ./setup.sh                     everything
#   ./setup.sh --deps-only         only the packages for running
#   ./setup.sh --deps-only --tests only the packages for building and running every test
#                                  (run-tests.sh calls this), with mingw-w64 and Wine for the
#                                  Windows build
#   ./setup.sh --windows           the test packages, then the Windows build (build-windows),
#                                  cross-compiled with mingw-w64; its tests run under Wine:
#                                  ctest --preset windows
set -euo pipefail
cd "$(dirname "$0")"

deps_only=false
tests=false
windows=false
for arg in "$@"; do
  case "$arg" in
    --deps-only) deps_only=true ;;
    --tests) tests=true ;;
    --windows) tests=true; windows=true ;;
    *) echo "Aufruf: ./setup.sh [--deps-only [--tests] | --windows]" >&2; exit 2 ;;
  esac
done

packages="cmake ninja-build g++ pkg-config make libsqlite3-dev nlohmann-json3-dev libcli11-dev
  libpcre2-dev qt6-base-dev qt6-svg-dev qt6-wayland dbus
  libsystemd-dev help2man qt6-tools-dev qt6-l10n-tools qt6-translations-l10n"
if $tests; then
  packages="$packages googletest libgtest-dev libgmock-dev libbenchmark-dev liblua5.4-dev
    python3-dbus python3-gi clang libclang-rt-14-dev xvfb xauth x11-utils imagemagick locales
    desktop-file-utils appstream
    g++-mingw-w64-x86-64-posix mingw-w64-tools binutils-mingw-w64-x86-64 libwine-dev wine wine64
    nsis"
fi
# Only what is missing goes to apt-get, so a machine that has everything needs no sudo.
missing_packages=""
for p in $packages; do
  dpkg-query -W -f='${db:Status-Status}' "$p" 2>/dev/null | grep -qx installed ||
    missing_packages="$missing_packages $p"
done
SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
if [ -n "$missing_packages" ]; then
  export DEBIAN_FRONTEND=noninteractive
  $SUDO apt-get update -q
  # shellcheck disable=SC2086
  $SUDO apt-get install -y -q --no-install-recommends $missing_packages
fi
# Numbers and dates follow the user's locale; the tests run under both of these. Only a missing one
# is generated, so a machine that has them (generated before, or locales-all) stays as it is.
if $tests; then
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
fi
$deps_only && exit 0
if $windows; then
  .ci/pcre2-source.sh build-windows/pcre2-source.tar.gz
  cmake --preset windows
  cmake --build --preset windows -j"$(nproc)"
  exit 0
fi

prefix="$HOME/.local"
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$prefix" \
  -DVKS_BUILD_TESTS=OFF -DVKS_BUILD_BENCH=OFF -DVKS_BUILD_FUZZ=OFF
cmake --build build -j"$(nproc)"
# As the host's installer does: the programs below the prefix, where the session bus finds the
# server's .service file and the menu the account list's entry; then the registry value that tells
# the server where the main installation is.
cmake --install build
"$prefix/libexec/tradomir/vks-kontoserver" --registrieren

# Main job: the demo host on a session bus of its own (so it runs without a desktop session), where
# the bus activates the server just installed; accounts, store and RTT files go to build/demo.
"$prefix/bin/vks-host-demo" build/demo
