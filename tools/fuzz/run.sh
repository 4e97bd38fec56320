#!/bin/sh
# Builds the fuzz targets with clang, ASan and UBSan (through ccache), seeds
# them, and runs them for SECONDS seconds each (default 300), at the lowest
# priority, one after another or JOBS (1 or 2) at a time:
#   [JOBS=2] tools/fuzz/run.sh [SECONDS [TARGET...]]
# TARGET is a name without the "fuzz_" prefix:
#   dictionaries   lexicon semantic_dictionary lemma_index category_matrix
#   user files     borders scenario_file scenario_layer settings parameters
#                  external_request owl_import
#   documents      word_document markup rtf binary_document office_package
#   whole analysis text_analysis
#   typed text     criteria_parser
# none means all of them. The dictionary targets are seeded with the files
# of the mini edition (tests/data/edition-mini, compiled by malvex-mkdict),
# which scenario_layer, settings and text_analysis also load; settings is
# seeded with records the settings code writes, the others with the files
# tools/fuzz/make_seeds.py writes. Each run's whole log is kept in
# build-fuzz/fuzz/logs/TARGET.log, crashes land in build-fuzz/fuzz/crashes/,
# and build-fuzz/fuzz/summary.txt gets a line per run: target, seconds,
# executions, coverage (cov, ft), the crashes written and the UBSan reports
# (undefined behaviour stops a run as a crash).
set -eu
cd "$(dirname "$0")/../.."
SECONDS_EACH="${1:-300}"
[ $# -gt 0 ] && shift
ALL="lexicon semantic_dictionary lemma_index category_matrix borders scenario_file scenario_layer settings
parameters external_request owl_import word_document markup rtf binary_document office_package text_analysis
criteria_parser"
TARGETS="${*:-$ALL}"
JOBS="${JOBS:-1}"
B=build-fuzz
OUT="$PWD/$B/fuzz"
export CCACHE_BASEDIR="${CCACHE_BASEDIR:-/work}" CCACHE_NOHASHDIR=1
CC=clang CXX=clang++ cmake -S . -B "$B" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_C_COMPILER_LAUNCHER=ccache -DCMAKE_CXX_COMPILER_LAUNCHER=ccache \
  -DMALVEX_FUZZ=ON -DMALVEX_GUI=OFF -DMALVEX_TESTS=OFF -DMALVEX_BENCH=OFF >/dev/null
BUILD="fuzz_edition"
for name in $TARGETS; do BUILD="$BUILD fuzz_$name"; done
nice -n 19 cmake --build "$B" -j2 --target $BUILD
# Seeds: the mini edition's files, the settings code's records, and the
# made-up files and documents.
mkdir -p "$OUT/crashes" "$OUT/logs"
printf 'X#######\tChapitre\r\nN#######\tConcluzii\r\n' > "$OUT/seed-edition/mini.dlm"
if [ -x "$OUT/fuzz_settings" ]; then
  rm -rf "$OUT/seed-settings"
  MALVEX_FUZZ_SETTINGS_SEEDS="$OUT/seed-settings" "$OUT/fuzz_settings" >"$OUT/logs/settings-seeds.log" 2>&1
fi
python3 tools/fuzz/make_seeds.py "$OUT"

run_one() {
  name=$1
  corpus="$OUT/corpus-$name"
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
  [ -n "$seed" ] && cp "$OUT/seed-edition/mini.$seed" "$corpus/"
  [ -d "$OUT/seed-$name" ] && find "$OUT/seed-$name" -type f -exec cp {} "$corpus/" \;
  [ -f "$OUT/$name.dict" ] && set -- "$@" -dict="$OUT/$name.dict"
  case $name in
    markup|rtf|binary_document|office_package) set -- "$@" -max_len=20000 ;;
    settings) set -- "$@" -max_len=13000 ;;
    external_request) set -- "$@" -max_len=2400 ;;
    owl_import) set -- "$@" -max_len=16384 ;;
    text_analysis) set -- "$@" -max_len=8192 ;;
    criteria_parser) set -- "$@" -max_len=400 ;;
  esac
  log="$OUT/logs/$name.log"
  echo "fuzz_$name: $SECONDS_EACH s, log $log"
  status=0
  # The targets that change the current folder get absolute paths.
  nice -n 19 "$OUT/fuzz_$name" -max_total_time="$SECONDS_EACH" -timeout=30 \
    -artifact_prefix="$OUT/crashes/$name-" -print_final_stats=1 "$@" "$corpus" >"$log" 2>&1 || status=$?
  grep -aE '^#[0-9]+.*(DONE|pulse)|stat::number_of_executed_units|stat::peak_rss_mb|ERROR|SUMMARY|Test unit written' \
    "$log" | tail -6
  [ "$status" -eq 0 ] || echo "fuzz_$name: stopped with status $status (see $log)"
  execs=$(grep -a '^stat::number_of_executed_units:' "$log" | sed 's/.*: *//' | tail -1)
  line=$(grep -aoE '^#[0-9]+[[:space:]]+(DONE|NEW|REDUCE|pulse|INITED)[[:space:]]+cov: [0-9]+ ft: [0-9]+' "$log" |
    tail -1)
  cov=$(echo "$line" | sed -n 's/.* cov: \([0-9]*\) ft: .*/\1/p')
  ft=$(echo "$line" | sed -n 's/.* ft: \([0-9]*\)$/\1/p')
  crashes=$(grep -ac 'Test unit written' "$log" || true)
  # Undefined behaviour stops the run (the build does not let UBSan go on);
  # a report that did not is counted too.
  ubsan=$(grep -ac 'runtime error:' "$log" || true)
  printf '%-20s %6s s %10s execs  cov %6s  ft %6s  crashes %s  ubsan %s\n' "$name" "$SECONDS_EACH" \
    "${execs:-?}" "${cov:-?}" "${ft:-?}" "$crashes" "$ubsan" >>"$OUT/summary.txt"
}

running=0
for name in $TARGETS; do
  if [ "$JOBS" -gt 1 ]; then
    run_one "$name" &
    running=$((running + 1))
    if [ "$running" -ge "$JOBS" ]; then
      wait
      running=0
    fi
  else
    run_one "$name"
  fi
done
wait
