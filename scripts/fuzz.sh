#!/usr/bin/env bash
# Builds the libFuzzer targets in build-fuzz/ (clang, AddressSanitizer and
# UndefinedBehaviorSanitizer) and runs each for a fixed number of inputs,
# starting from the seeds in tests/fuzz/corpus/<target>/.
# Usage: scripts/fuzz.sh [RUNS [TARGET...]]   (RUNS defaults to 2000; a fixed
# seed, so the short run in the test command repeats exactly)
# New inputs found go to build-fuzz/corpus/<target>/, crashes to
# build-fuzz/crashes/; any crash makes the script fail. Long runs go faster
# with TMPDIR=/dev/shm (the file-saving targets sync each file). (Paths given to the
# targets are absolute: the file-reading targets work in a scratch folder.)
set -euo pipefail
cd "$(dirname "$0")/.."
runs="${1:-2000}"
shift || true
targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
  targets=(Png Jpeg Wav Ogg HttpReply LogDecode Script LevelFile OptionsFile ProfileFile UniqueId)
fi

scripts/setup.sh
dir=build-fuzz
launcher=()
if command -v ccache >/dev/null 2>&1; then
  launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DCMAKE_C_COMPILER_LAUNCHER=ccache)
fi
cmake -S . -B "$dir" -G Ninja "${launcher[@]}" -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
  -DQM_FUZZ=ON -DQM_BUILD_TESTS=OFF -DQM_BUILD_ASSETS=OFF >/dev/null
cmake --build "$dir" --target "${targets[@]/#/fuzz-}"

export ASAN_OPTIONS="detect_leaks=1:abort_on_error=1"
export LSAN_OPTIONS="suppressions=$PWD/scripts/lsan.supp:print_suppressions=0"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
mkdir -p "$dir/crashes"
failed=()
for t in "${targets[@]}"; do
  mkdir -p "$dir/corpus/$t"
  echo "== fuzz-$t: $runs runs"
  if ! "$dir/tests/fuzz/fuzz-$t" -runs="$runs" -seed=1 -max_len=65536 -rss_limit_mb=1024 -timeout=10 \
      -artifact_prefix="$PWD/$dir/crashes/$t-" -print_final_stats=1 \
      "$PWD/$dir/corpus/$t" "$PWD/tests/fuzz/corpus/$t" 2>"$dir/fuzz-$t.log"; then
    tail -n 60 "$dir/fuzz-$t.log"
    failed+=("$t")
  else
    grep -E "stat::number_of_executed_units|Done" "$dir/fuzz-$t.log" | tail -n 2 || true
  fi
done
if [ ${#failed[@]} -ne 0 ]; then
  echo "fuzz: failures in ${failed[*]} (inputs in $dir/crashes/)"
  exit 1
fi
