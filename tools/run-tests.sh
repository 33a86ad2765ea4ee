#!/usr/bin/env bash
# Installs what is needed, then builds and runs every test, once plainly and once under
# AddressSanitizer, UndefinedBehaviorSanitizer and LeakSanitizer; then fuzzes for a short while.
set -euo pipefail
cd "$(dirname "$0")/.."

bash tools/setup.sh
for preset in default asan; do
  cmake --preset "$preset"
  cmake --build --preset "$preset" -j "$(nproc)"
  ctest --preset "$preset" -j "$(nproc)"
done

# Each fuzz target for a bounded time (BRUMMO_FUZZ_SECONDS, default 30) under ASan and UBSan.
bash tests/fuzz/run.sh
