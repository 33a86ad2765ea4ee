#!/usr/bin/env bash
# Installs what is needed, then builds and runs every test, once plainly and once under
# AddressSanitizer, UndefinedBehaviorSanitizer and LeakSanitizer; then fuzzes for a short while.
# A failure does not stop the run: every part runs, and the end says what failed.
set -euo pipefail
cd "$(dirname "$0")/.."

bash tools/setup.sh

failed=()
for preset in default asan; do
  if ! { cmake --preset "$preset" && cmake --build --preset "$preset" -j "$(nproc)"; }; then
    failed+=("$preset: the build")
    continue
  fi
  if ! ctest --preset "$preset" -j "$(nproc)"; then
    # ctest keeps the failed tests' names; -N lists them without running anything.
    while read -r test; do
      failed+=("$preset: $test")
    done < <(ctest --preset "$preset" --rerun-failed -N | sed -n 's/^ *Test *#[0-9]*: //p')
  fi
done

# Each fuzz target for a bounded time (BRUMMO_FUZZ_SECONDS, default 30) under ASan and UBSan.
fuzz_log=$(mktemp)
trap 'rm -f "$fuzz_log"' EXIT
if ! bash tests/fuzz/run.sh | tee "$fuzz_log"; then
  findings=$(sed -n 's/^\(fuzz [a-z]*\): FINDING.*/\1: a finding/p' "$fuzz_log")
  while read -r finding; do
    failed+=("$finding")
  done <<<"${findings:-fuzz: the build}"
fi

if [ "${#failed[@]}" -gt 0 ]; then
  echo
  echo "FAILED (${#failed[@]}):"
  printf '  %s\n' "${failed[@]}"
  exit 1
fi
echo
echo "Every test passed in both presets, and the fuzzers found nothing."
