#!/usr/bin/env bash
# Installs what the build needs, builds and runs the whole test suite.
#   ./test.sh          qmllint over every QML module, then the suite
#   ./test.sh --asan   the suite built with AddressSanitizer and UndefinedBehaviorSanitizer (build-asan/),
#                      and store files and CalDAV resources fuzzed with libFuzzer for 40 s
#   ./test.sh --long   the suite with the long soak and fuzz runs (200 kills, 60 s of fuzzing),
#                      then the sanitizer suite with a minute of libFuzzer, then (as root) the package check
# Under CI (CI=true) the plain form also runs the sanitizer suite once, after the plain suite passes.
set -euo pipefail
cd "$(dirname "$0")"
./scripts/deps.sh
dir=build
args=()
# Without debug information: a fifth less compiling, and the tests and benchmarks need none.
export BUILD_TYPE=${BUILD_TYPE:-Release}
case "${1:-}" in
--asan)
  dir=build-asan
  args=(-DVELMORA_SANITIZE=ON -DVELMORA_BENCH=OFF)
  # Unoptimised: it compiles in far less time, and the sanitizers see the code as written.
  export BUILD_TYPE=Debug
  export ASAN_OPTIONS=detect_leaks=0
  # clang: it has libFuzzer, so the input fuzzer is built and run with the suite.
  if command -v clang++-14 >/dev/null; then
    export CC=clang-14 CXX=clang++-14
  fi
  ;;
--long)
  export VELMORA_SOAK_ROUNDS=200 VELMORA_FUZZ_SECONDS=60
  ;;
esac
./scripts/build.sh "$dir" "${args[@]}"
if [ -z "${1:-}" ]; then
  # Every QML file through qmllint: any warning fails the run, whether or not qmllint's exit says so.
  lint=$(flock /tmp/taskarello-build.lock cmake --build "$dir" --target all_qmllint 2>&1) || { echo "$lint"; exit 1; }
  if grep -q '^Warning' <<<"$lint"; then echo "$lint"; exit 1; fi
fi
export QT_QPA_PLATFORM=offscreen
(cd "$dir" && ctest --output-on-failure -j2)
if [ "${CI:-}" = "true" ] && [ -z "${1:-}" ]; then
  ./test.sh --asan
fi
if [ "${1:-}" = "--long" ]; then
  ./test.sh --asan
  # The release check installs the package on a fresh Debian 12 root: it needs root and the mirror.
  if [ "$(id -u)" -eq 0 ]; then ./scripts/deb-check.sh; fi
fi
