#!/usr/bin/env bash
# Installs what is needed, then builds and runs every test, once plainly and once under
# AddressSanitizer, UndefinedBehaviorSanitizer and LeakSanitizer; then fuzzes for a short while;
# then, where Qt for Windows is built, checks the Windows release under Wine.
# A failure does not stop the run: every part runs, and the end says what failed.
set -euo pipefail
cd "$(dirname "$0")/.."

bash tools/setup.sh

failed=()
# Builds a preset and runs its tests; what failed is added to the list.
test_preset() {
  local preset=$1
  if ! { cmake --preset "$preset" && cmake --build --preset "$preset" -j "$(nproc)"; }; then
    failed+=("$preset: the build")
    return
  fi
  if ! ctest --preset "$preset" -j "$(nproc)"; then
    # ctest keeps the failed tests' names; -N lists them without running anything.
    while read -r test; do
      failed+=("$preset: $test")
    done < <(ctest --preset "$preset" --rerun-failed -N | sed -n 's/^ *Test *#[0-9]*: //p')
  fi
}
for preset in default asan; do
  test_preset "$preset"
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

# A check of the Windows release; exit status 77 is a skip, which it has explained in one line.
windows_check() {
  local what=$1 status=0
  shift
  bash "$@" || status=$?
  [ "$status" -eq 0 ] || [ "$status" -eq 77 ] || failed+=("windows: $what")
}

# The Windows release under Wine, where Qt for Windows is already built: building it takes about an
# hour, more than a test run may, so a machine without it skips this part with one line. The
# release is built (with the tools it needs), then the game's tests that need no Linux run under
# Wine, cross-built on the same Qt, and then the release itself.
if windows_qt=$(bash packaging/windows/build-qt.sh --ready | tail -n 1); then
  if BRUMMO_WINDOWS_QT=$windows_qt bash packaging/windows/make-windows.sh "$windows_qt"; then
    BRUMMO_WINDOWS_QT=$windows_qt test_preset windows-tests
    setup=$(ls build-win/Brummo-on-the-run-*-setup.exe)
    windows_check "the installer under Wine" tests/windows/check-installer.sh "$setup"
    windows_check "the installed game under Wine" tests/windows/check-game-wine.sh "$setup" \
      build/tests/screens/render-windows
  else
    failed+=("windows: the build")
  fi
else
  echo "SKIP windows: no Qt for Windows in the cache; packaging/windows/make-windows.sh builds it once (about an hour)"
fi

if [ "${#failed[@]}" -gt 0 ]; then
  echo
  echo "FAILED (${#failed[@]}):"
  printf '  %s\n' "${failed[@]}"
  exit 1
fi
echo
echo "Every test passed in both presets, and the fuzzers found nothing."
