#!/usr/bin/env bash
# Installs what is missing, builds everything and runs the whole test suite:
# the core's tests under AddressSanitizer and UndefinedBehaviorSanitizer, the
# run tests under ThreadSanitizer, then every test (core, board library,
# command-line tool, windows offscreen) in the ordinary build.
set -euo pipefail
cd "$(dirname "$0")/.."
# The waveform viewer's converters and the logic analyser program check our
# value change dumps; only the tests need them.
bash scripts/deps.sh gtkwave sigrok-cli

jobs=${NIVARA_JOBS:-2}
status=0

configure_and_build() {  # dir, target, extra cmake args...
  local dir=$1 target=$2; shift 2
  cmake -S . -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@" >/dev/null
  cmake --build "$dir" -j "$jobs" --target "$target"
}

echo "== core tests under AddressSanitizer and UndefinedBehaviorSanitizer"
configure_and_build build-asan all -DNIVARA_CORE_ONLY=ON -DNIVARA_BENCH=OFF -DNIVARA_SANITIZE=address,undefined
ASAN_OPTIONS=detect_leaks=1 ctest --test-dir build-asan -L core --output-on-failure -j "$jobs" || status=1

if ls tests/*/CMakeLists.txt >/dev/null 2>&1 && grep -qs "LABELS.*tsan" tests/*/CMakeLists.txt; then
  echo "== run tests under ThreadSanitizer"
  configure_and_build build-tsan nivara_tsan_tests -DNIVARA_CORE_ONLY=ON -DNIVARA_BENCH=OFF -DNIVARA_SANITIZE=thread
  TSAN_OPTIONS="halt_on_error=1 second_deadlock_stack=1" \
    ctest --test-dir build-tsan -L tsan --output-on-failure || status=1
fi

echo "== all tests"
configure_and_build build all
ctest --test-dir build --output-on-failure -j "$jobs" || status=1
exit $status
