#!/usr/bin/env bash
# Builds the fuzz targets with clang's libFuzzer and runs each for a bounded time
# (FUZZ_SECONDS, one minute by default) from its seed corpus in tests/fuzz/corpus.
# The run takes a fixed seed and a fixed number of inputs (FUZZ_RUNS), so that ./test
# gives the same answer on every machine; FUZZ_SEED=0 lets libFuzzer choose, for
# exploring by hand.
# Passes over the run when clang is not installed.
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$here"
if ! command -v clang++ >/dev/null; then
  echo "fuzz: clang++ not found, fuzz targets not run"
  exit 0
fi
seconds="${FUZZ_SECONDS:-60}"
runs="${FUZZ_RUNS:-300000}"
seed="${FUZZ_SEED:-1}"
cmake --workflow --preset fuzz
for target in writeback line_buffer csv; do
  # New inputs go to a folder of the build; the seeds in the tree stay as they are.
  work="build/fuzz/corpus-$target"
  mkdir -p "$work"
  echo "fuzz: $target for ${seconds}s"
  log="build/fuzz/$target.log"
  if ! "build/fuzz/tests/fuzz/${target}_fuzz" -max_total_time="$seconds" -runs="$runs" -seed="$seed" -timeout=10 \
    -rss_limit_mb=2048 -print_final_stats=1 -artifact_prefix="build/fuzz/$target-" \
    "$work" "tests/fuzz/corpus/$target" >"$log" 2>&1; then
    tail -n 40 "$log"
    echo "fuzz: $target found a fault (input in build/fuzz/$target-*)"
    exit 1
  fi
  grep -E "^stat::number_of_executed_units|^Done" "$log" || true
done
