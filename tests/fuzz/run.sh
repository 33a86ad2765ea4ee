#!/usr/bin/env bash
# Builds the fuzz targets (preset "fuzz") and runs each for a bounded time under AddressSanitizer
# and UndefinedBehaviorSanitizer, starting from its committed seeds. Any finding fails the run;
# the input that caused it is kept in build-fuzz/findings/.
#
#   tests/fuzz/run.sh                 every target, BRUMMO_FUZZ_SECONDS (default 30) seconds each
#   tests/fuzz/run.sh wave            one target
set -euo pipefail
cd "$(dirname "$0")/../.."

seconds="${BRUMMO_FUZZ_SECONDS:-30}"
targets=("$@")
[ "${#targets[@]}" -gt 0 ] || targets=(savedgame wave midi)

cmake --preset fuzz >/dev/null
cmake --build --preset fuzz -j "$(nproc)"

# SDL allocates a wave chunk at the size its header claims before it reads it: a 60-byte image
# can ask for 4 GB. Under ASan such an allocation would end the run as "out of memory", and even
# ones of a few hundred MB cost so much shadow memory that the wave target slowed from 8000 to
# 300 inputs a second. Above 64 MB the allocation fails instead, and SDL takes its own
# out-of-memory path, as it does on a real system when the memory is not there.
export ASAN_OPTIONS="detect_leaks=1:allocator_may_return_null=1:max_allocation_size_mb=64"
export LSAN_OPTIONS="suppressions=$PWD/tests/lsan.supp:print_suppressions=0"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
mkdir -p build-fuzz/findings build-fuzz/logs

failed=0
for target in "${targets[@]}"; do
  # New inputs go into a scratch corpus, so the committed seeds stay as they are.
  scratch="$(mktemp -d)"
  log="build-fuzz/logs/$target.log"
  status=0
  "build-fuzz/tests/fuzz/fuzz_$target" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
    -print_final_stats=1 -artifact_prefix="build-fuzz/findings/$target-" \
    "$scratch" "tests/fuzz/corpus/$target" >"$log" 2>&1 || status=$?
  rm -rf "$scratch"
  # The log may hold bytes of the input that are no text in the caller's locale: under UTF-8 grep
  # would then call it a binary file and show no line of it, so it reads every log as text (-a).
  runs="$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -n 1)"
  speed="$(sed -n 's/^stat::average_exec_per_sec: *//p' "$log" | tail -n 1)"
  coverage="$(grep -ao 'cov: [0-9]*' "$log" | tail -n 1 | cut -d' ' -f2)"
  if [ "$status" -eq 0 ]; then
    echo "fuzz $target: ${runs:-?} runs in ${seconds} s (${speed:-?} exec/s, coverage ${coverage:-?}), no finding"
  else
    failed=1
    echo "fuzz $target: FINDING (exit $status) after ${runs:-?} runs; log $log, input in build-fuzz/findings/"
    grep -aE 'ERROR|SUMMARY|Eigenschaft verletzt|runtime error' "$log" | head -n 10 || true
  fi
done
exit "$failed"
