#!/bin/sh
# Sets everything up (packages, configure, build, dictionaries) and runs
# the whole test suite. Extra arguments go to ctest.
set -eu
cd "$(dirname "$0")/.."
sh scripts/setup.sh
BUILD="${MALVEX_BUILD:-build}"
ctest --test-dir "$BUILD" --output-on-failure -j "$(nproc)" "$@"
