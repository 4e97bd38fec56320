#!/bin/sh
# Builds the fuzz targets of the dictionary loaders with clang, ASan and
# UBSan, seeds each with the fixture edition's files, and runs each for
# SECONDS seconds (default 300). Crashes land in build-fuzz/fuzz/crashes/.
set -eu
cd "$(dirname "$0")/../.."
SECONDS_EACH="${1:-300}"
B=build-fuzz
CC=clang CXX=clang++ cmake -S . -B "$B" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DMALVEX_FUZZ=ON -DMALVEX_GUI=OFF -DMALVEX_TESTS=OFF -DMALVEX_BENCH=OFF
cmake --build "$B" --target fuzz_lexicon fuzz_semantic_dictionary fuzz_lemma_index fuzz_category_matrix \
  fuzz_borders fuzz_word_document malvex-mkdict
# Seeds: the test edition compiled from its sources.
mkdir -p "$B/fuzz/seed-edition"
"$B/tools/malvex-mkdict" --sources tests/data/edition-mini --out "$B/fuzz/seed-edition/mini" >/dev/null
mkdir -p "$B/fuzz/crashes"
printf 'X#######\tChapitre\r\nN#######\tConcluzii\r\n' > "$B/fuzz/seed-edition/mini.dlm"
for t in lexicon:lv8 semantic_dictionary:sv8 lemma_index:vv8 category_matrix:zv8 borders:dlm word_document:none; do
  name=${t%%:*}; ext=${t##*:}
  corpus="$B/fuzz/corpus-$name"
  mkdir -p "$corpus"
  cp "$B/fuzz/seed-edition/mini.$ext" "$corpus/" 2>/dev/null || true
  echo "fuzz_$name: $SECONDS_EACH s"
  "$B/fuzz/fuzz_$name" -max_total_time="$SECONDS_EACH" -artifact_prefix="$B/fuzz/crashes/$name-" \
    -print_final_stats=1 "$corpus" 2>&1 | tail -4
done
