#!/usr/bin/env bash
# Installs what the app needs, builds it and starts it. Arguments go to the app, e.g.
#   ./run.sh --screenshot main.png
set -euo pipefail
cd "$(dirname "$0")"
./scripts/deps.sh
./scripts/build.sh build
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ -z "${QT_QPA_PLATFORM:-}" ]; then
  export QT_QPA_PLATFORM=offscreen
fi
exec ./build/taskarello "$@"
