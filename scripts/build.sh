#!/usr/bin/env bash
# Configures and builds into a build folder (default build/). One build at a time on this machine:
# the lock keeps parallel callers from running two compilers' worth of jobs each.
set -euo pipefail
cd "$(dirname "$0")/.."
dir=${1:-build}
shift || true
type=${BUILD_TYPE:-RelWithDebInfo}
exec 9>/tmp/taskarello-build.lock
flock 9
if [ ! -f "$dir/CMakeCache.txt" ]; then
  cmake -S . -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE="$type" "$@" >/dev/null
fi
cmake --build "$dir" -j"$(nproc)"
