#!/usr/bin/env bash
# Builds the libFuzzer targets (the fuzz preset: clang with ASan and UBSan)
# and runs each one briefly on a copy of its seed corpus, so the corpus in the
# repository is never written to. A finding is kept in build/fuzz/findings/
# and fails the run.
#
#   FUZZ_SECONDS   how long each target runs (default 10)
#   FUZZ_BUILD_DIR build somewhere other than the preset's build/fuzz
set -euo pipefail
cd "$(dirname "$0")/.."

seconds=${FUZZ_SECONDS:-10}
targets=(ini file_encoding settings text_case)
# The first three read Tarvolo.INI-like files, so they share one seed corpus.
declare -A corpus_of=([ini]=fuzz/corpus/ini [file_encoding]=fuzz/corpus/ini [settings]=fuzz/corpus/ini
  [text_case]=fuzz/corpus/text_case)
declare -A dict_of=([ini]=fuzz/ini.dict [file_encoding]=fuzz/ini.dict [settings]=fuzz/ini.dict
  [text_case]=fuzz/rtf.dict)

if [[ -n ${FUZZ_BUILD_DIR:-} ]]; then
  build=$FUZZ_BUILD_DIR
  cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Debug -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
    -DTARVOLO_FUZZ=ON -DTARVOLO_WERROR=ON >/dev/null
  cmake --build "$build" -j2 --target "${targets[@]/#/fuzz_}"
else
  build=build/fuzz
  cmake --preset fuzz >/dev/null
  cmake --build --preset fuzz --target "${targets[@]/#/fuzz_}"
fi

findings=$build/findings
mkdir -p "$findings"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-halt_on_error=1:print_stacktrace=1}

failed=0
for target in "${targets[@]}"; do
  mkdir -p "$work/$target"
  cp "${corpus_of[$target]}"/* "$work/$target"/
  echo "--- fuzz_$target: ${seconds} s"
  # -timeout: one input taking over 10 s counts as a hang.
  if "$build/fuzz/fuzz_$target" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -max_len=8192 \
      -dict="${dict_of[$target]}" -artifact_prefix="$findings/$target-" -print_final_stats=1 \
      "$work/$target" >"$work/$target.log" 2>&1; then
    grep -E '^stat::number_of_executed_units|^Done [0-9]+ runs' "$work/$target.log" || true
    echo "--- fuzz_$target: no finding"
  else
    tail -n 60 "$work/$target.log"
    echo "--- fuzz_$target: FINDING, input kept in $findings/"
    failed=1
  fi
done
exit $failed
