#!/bin/sh
# Runs the command given as a client of a headless weston of its own, on a private runtime folder
# and socket name, and stops the compositor after. Exits 77 (skipped) where weston is missing.
command -v weston >/dev/null || exit 77
runtime=$(mktemp -d) || exit 1 # mode 0700, as a session's runtime folder is
chmod 0700 "$runtime"
export XDG_RUNTIME_DIR="$runtime" WAYLAND_DISPLAY="taskarello-test-$$" QT_QPA_PLATFORM=wayland
weston --backend=headless-backend.so --socket="$WAYLAND_DISPLAY" --idle-time=0 --width=1024 --height=768 \
    --no-config --log="$runtime/weston.log" &
weston=$!
trap 'kill $weston 2>/dev/null; wait $weston 2>/dev/null; rm -rf "$runtime"' EXIT
tries=0
until [ -S "$runtime/$WAYLAND_DISPLAY" ]; do
    if ! kill -0 $weston 2>/dev/null || [ $tries -ge 100 ]; then
        echo "weston did not start:" >&2
        cat "$runtime/weston.log" >&2
        exit 1
    fi
    tries=$((tries + 1))
    sleep 0.1
done
"$@"
