#!/usr/bin/env bash
# Sets up a fresh Debian 12 machine: installs the packages, builds and installs the account server
# and its tools, then runs the main job: the demo host plays a bundled trading day against the
# server over D-Bus.
#   ./setup.sh             everything
#   ./setup.sh --deps-only only the packages
#   ./setup.sh --windows   the packages, then the Windows build (build-windows), cross-compiled
#                          with mingw-w64; its tests run under Wine: ctest --preset windows
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
  xvfb xauth x11-utils imagemagick locales \
  g++-mingw-w64-x86-64-posix mingw-w64-tools binutils-mingw-w64-x86-64 libwine-dev wine wine64
# Numbers and dates follow the user's locale; the tests run under both of these.
$SUDO sed -i -E 's/^# ?(de_DE.UTF-8 UTF-8|en_US.UTF-8 UTF-8)/\1/' /etc/locale.gen
$SUDO locale-gen >/dev/null
[ "${1:-}" = "--deps-only" ] && exit 0
if [ "${1:-}" = "--windows" ]; then
  $SUDO .ci/pcre2-source.sh build-windows/pcre2-source.tar.gz
  cmake --preset windows
  cmake --build --preset windows -j"$(nproc)"
  exit 0
fi

cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release
cmake --build build -j"$(nproc)"
# As the host's installer does: the installation folder with its Daten folder, and the registry
# value that tells the server where the main installation is.
cmake --install build

# Main job: the demo host on a session bus of its own (so it runs without a desktop session), where
# the bus activates the server just installed; accounts, store and RTT files go to build/demo.
./build/tools/vks-host-demo/vks-host-demo build/demo
