#!/bin/sh
# Builds the fuzz targets with clang, ASan and UBSan, seeds them, and runs
# them one after another for SECONDS seconds each (default 300):
#   tools/fuzz/run.sh [SECONDS [TARGET...]]
# TARGET is a name without the "fuzz_" prefix (lexicon, semantic_dictionary,
# lemma_index, category_matrix, borders, word_document, markup, rtf,
# binary_document, office_package); none means all of them. The dictionary
# targets are seeded with the fixture edition's files, the format targets
# with the documents tools/fuzz/make_seeds.py writes. Each run's whole log
# is kept in build-fuzz/fuzz/logs/TARGET.log; crashes land in
# build-fuzz/fuzz/crashes/.
set -eu
cd "$(dirname "$0")/../.."
SECONDS_EACH="${1:-300}"
[ $# -gt 0 ] && shift
TARGETS="${*:-lexicon semantic_dictionary lemma_index category_matrix borders word_document markup rtf binary_document office_package}"
B=build-fuzz
CC=clang CXX=clang++ cmake -S . -B "$B" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DMALVEX_FUZZ=ON -DMALVEX_GUI=OFF -DMALVEX_TESTS=OFF -DMALVEX_BENCH=OFF >/dev/null
BUILD="malvex-mkdict"
for name in $TARGETS; do BUILD="$BUILD fuzz_$name"; done
cmake --build "$B" -j2 --target $BUILD
# Seeds: the test edition compiled from its sources, and the made-up documents.
mkdir -p "$B/fuzz/seed-edition" "$B/fuzz/crashes" "$B/fuzz/logs"
"$B/tools/malvex-mkdict" --sources tests/data/edition-mini --out "$B/fuzz/seed-edition/mini" >/dev/null
printf 'X#######\tChapitre\r\nN#######\tConcluzii\r\n' > "$B/fuzz/seed-edition/mini.dlm"
python3 tools/fuzz/make_seeds.py "$B/fuzz"
for name in $TARGETS; do
  corpus="$B/fuzz/corpus-$name"
  mkdir -p "$corpus"
  set --
  case $name in
    lexicon) seed=lv8 ;;
    semantic_dictionary) seed=sv8 ;;
    lemma_index) seed=vv8 ;;
    category_matrix) seed=zv8 ;;
    borders) seed=dlm ;;
    *) seed= ;;
  esac
  [ -n "$seed" ] && cp "$B/fuzz/seed-edition/mini.$seed" "$corpus/"
  [ -d "$B/fuzz/seed-$name" ] && cp "$B/fuzz/seed-$name"/* "$corpus/"
  [ -f "$B/fuzz/$name.dict" ] && set -- "$@" -dict="$B/fuzz/$name.dict"
  case $name in
    markup|rtf|binary_document|office_package) set -- "$@" -max_len=20000 ;;
  esac
  log="$B/fuzz/logs/$name.log"
  echo "fuzz_$name: $SECONDS_EACH s, log $log"
  status=0
  "$B/fuzz/fuzz_$name" -max_total_time="$SECONDS_EACH" -artifact_prefix="$B/fuzz/crashes/$name-" \
    -print_final_stats=1 "$@" "$corpus" >"$log" 2>&1 || status=$?
  grep -E '^#[0-9]+.*(DONE|pulse)|stat::number_of_executed_units|stat::peak_rss_mb|ERROR|SUMMARY|Test unit written' \
    "$log" | tail -6
  [ "$status" -eq 0 ] || echo "fuzz_$name: stopped with status $status (see $log)"
done
