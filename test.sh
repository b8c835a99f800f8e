#!/usr/bin/env bash
# Installs what the build needs, builds and runs the whole test suite.
#   ./test.sh          the suite
#   ./test.sh --asan   the suite built with AddressSanitizer and UndefinedBehaviorSanitizer
set -euo pipefail
cd "$(dirname "$0")"
./scripts/deps.sh
dir=build
args=()
if [ "${1:-}" = "--asan" ]; then
  dir=build-asan
  args=(-DVELMORA_SANITIZE=ON -DVELMORA_BENCH=OFF)
  export ASAN_OPTIONS=detect_leaks=0
fi
./scripts/build.sh "$dir" "${args[@]}"
export QT_QPA_PLATFORM=offscreen
cd "$dir"
ctest --output-on-failure -j2
