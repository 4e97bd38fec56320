#!/bin/sh
# Fails when a file of the engine library includes a folder on its own
# floor or above it. The floors, bottom first (docs/architecture.md):
#   platform, foundations, dictionaries, settings, reading | scenarios,
#   semantic, engine, views, app | integrations
# Folders on one floor (reading and scenarios, app and integrations) do
# not include each other. The helper headers of tests/support count as the
# folders they include themselves. Usage: check_floors.sh [SOURCE_ROOT]
set -eu
ROOT="${1:-$(dirname "$0")/../..}"

rank() {
  case "$1" in
    platform) echo 0 ;;
    foundations) echo 1 ;;
    dictionaries) echo 2 ;;
    settings) echo 3 ;;
    reading|scenarios) echo 4 ;;
    semantic) echo 5 ;;
    engine) echo 6 ;;
    views) echo 7 ;;
    app|integrations) echo 8 ;;
    *) echo "" ;;
  esac
}

# The engine folders a header of tests/support reaches.
support_folders() {
  grep -ho '#include "[a-z_]*/' "$ROOT/tests/support/$1" 2>/dev/null | sed 's/#include "//; s#/##' | sort -u
}

status=0
for dir in "$ROOT"/src/*/; do
  folder=$(basename "$dir")
  own=$(rank "$folder")
  [ -n "$own" ] || continue
  for file in "$dir"*.h "$dir"*.cc; do
    [ -f "$file" ] || continue
    grep -n '^#include "' "$file" | while IFS= read -r line; do
      number=${line%%:*}
      target=$(printf '%s\n' "$line" | sed 's/^[0-9]*:#include "//; s/".*//')
      case "$target" in
        */*) used=${target%%/*} ;;
        *) used=$(support_folders "$target") ;;
      esac
      for u in $used; do
        [ "$u" = "$folder" ] && continue
        r=$(rank "$u")
        [ -n "$r" ] || continue
        if [ "$r" -ge "$own" ]; then
          echo "${file#"$ROOT"/}:$number: $folder/ includes $u/ ($target), which is not below it"
        fi
      done
    done
  done
done > "${TMPDIR:-/tmp}/floors.$$"
if [ -s "${TMPDIR:-/tmp}/floors.$$" ]; then
  cat "${TMPDIR:-/tmp}/floors.$$"
  status=1
else
  echo "every include runs down the floors"
fi
rm -f "${TMPDIR:-/tmp}/floors.$$"
exit $status
