#!/bin/sh
# Installs every Debian package Malvex needs (idempotent, non-interactive),
# then configures and builds the project into build/ (or $MALVEX_BUILD).
set -eu
cd "$(dirname "$0")/.."

PACKAGES="build-essential cmake ninja-build pkg-config git \
  qt6-base-dev qt6-base-dev-tools qt6-svg-dev libgl-dev \
  libgtest-dev libgmock-dev libbenchmark-dev \
  libpoppler-cpp-dev libgsf-1-dev libzip-dev libpugixml-dev libxlsxwriter-dev libinih-dev \
  xvfb xauth imagemagick xdotool fonts-dejavu-core \
  clang libclang-rt-14-dev \
  lttoolbox lttoolbox-dev apertium-es-ro hunspell-ro hunspell-tools mythes-ro wordnet-base \
  apertium-eng-spa apertium-spa-cat apertium-eng-cat apertium-eo-es apertium-eo-en \
  installation-guide-amd64 gimp-help-ro"

missing=""
for p in $PACKAGES; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing="$missing $p"
done
if [ -n "$missing" ]; then
  SUDO=""
  [ "$(id -u)" -ne 0 ] && SUDO="sudo"
  export DEBIAN_FRONTEND=noninteractive
  $SUDO apt-get -o DPkg::Lock::Timeout=600 update -q
  $SUDO apt-get -o DPkg::Lock::Timeout=600 install -y -q --no-install-recommends $missing
fi

BUILD="${MALVEX_BUILD:-build}"
BUILD_TYPE="${MALVEX_BUILD_TYPE:-RelWithDebInfo}"
cmake -S . -B "$BUILD" -G Ninja -DCMAKE_BUILD_TYPE="$BUILD_TYPE" ${MALVEX_CMAKE_ARGS:-}
cmake --build "$BUILD"
